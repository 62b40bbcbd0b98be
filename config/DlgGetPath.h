#pragma once

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <type_traits>

#include "framework/Dialog.h"

namespace zor {

// A folder picked from a tree of the drives, their folders and the network (dialog 134). The
// tree is filled lazily: an item's children are looked up the first time it is expanded.
// GetPath answers the selected folder's path, which always ends with a backslash.
class CDlgGetPath : public fw::CDialog {
    ZOR_MESSAGE_MAP(CDlgGetPath);

  public:
    explicit CDlgGetPath(HWND parent);
    ~CDlgGetPath() override;
    CDlgGetPath(const CDlgGetPath&) = delete;
    CDlgGetPath& operator=(const CDlgGetPath&) = delete;

    void SetPath(const std::string& path) { m_path = path; }
    const std::string& GetPath() const { return m_path; }

    // The path an item stands for: its ancestors' names (or a network item's remote name) and
    // its own, each followed by a backslash; empty for no item.
    std::string GetItemPath(HTREEITEM item) const;

  protected:
    BOOL OnInitDialog() override;

  private:
    struct NetworkRecord;

    HTREEITEM InsertItem(HTREEITEM parent, NetworkRecord* record, const std::string& text,
                         int image, int selectedImage = -1);
    bool PopulateTree(const std::string& path, HTREEITEM item);
    bool EnumNetwork(HTREEITEM item);
    void openStartPath();
    HTREEITEM findChild(HTREEITEM parent, const std::string& name) const;
    NetworkRecord* recordOf(HTREEITEM item) const;
    std::string itemText(HTREEITEM item) const;
    void setHasChildren(HTREEITEM item, bool hasChildren);

    LRESULT OnItemexpandingTree(const fw::WindowMessage& m);
    LRESULT OnSelchangedTree(const fw::WindowMessage& m);
    LRESULT OnDeleteitemTree(const fw::WindowMessage& m);
    LRESULT OnDestroy(const fw::WindowMessage& m);

    struct ImageListDeleter {
        void operator()(HIMAGELIST list) const { ::ImageList_Destroy(list); }
    };
    using ImageList = std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListDeleter>;

    HWND m_tree = nullptr;
    ImageList m_imageList;  // the tree only borrows it; it goes with the dialog object
    std::string m_path;
    HTREEITEM m_networkItem = nullptr;
    bool closing_ = false;  // the items are going: selection changes mean nothing any more
};

}  // namespace zor
