// The folder browser: drives, folders and the network in a tree that fills itself on demand.
#include "config/DlgGetPath.h"

#include <winnetwk.h>

#include <array>
#include <utility>
#include <vector>

#include "config/FolderTreeNames.h"
#include "framework/WinApp.h"
#include "lyrics/platform/WideText.h"
#include "resources/resource.h"

namespace zor {

namespace {

constexpr const char* kNetworkText = "Network Neighborhood";
constexpr int kSelectedFolderImage = 0;
constexpr int kFolderImage = 1;
constexpr int kNetworkImage = 7;
constexpr DWORD kEnumBufferBytes = 16384;
// IDC_WAIT in the form the W call takes.
const wchar_t* const kWaitCursor = MAKEINTRESOURCEW(32514);

// The platform's display type of a share (RESOURCEDISPLAYTYPE_SHARE).
constexpr DWORD kShareDisplayType = 3;

// An open network enumeration, closed when it goes out of scope.
class NetworkEnumeration {
  public:
    NetworkEnumeration(DWORD scope, NETRESOURCEW* container) {
        result_ = ::WNetOpenEnumW(scope, RESOURCETYPE_ANY, 0, container, &handle_);
    }
    ~NetworkEnumeration() {
        if (result_ == NO_ERROR) {
            ::WNetCloseEnum(handle_);
        }
    }
    NetworkEnumeration(const NetworkEnumeration&) = delete;
    NetworkEnumeration& operator=(const NetworkEnumeration&) = delete;

    DWORD openResult() const { return result_; }
    HANDLE get() const { return handle_; }

  private:
    HANDLE handle_ = nullptr;
    DWORD result_ = ERROR_NO_NETWORK;
};

// A folder listing, closed when it goes out of scope.
class FolderListing {
  public:
    explicit FolderListing(const std::string& pattern)
        : handle_(::FindFirstFileW(win::toWide(pattern).c_str(), &entry_)) {}
    ~FolderListing() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            ::FindClose(handle_);
        }
    }
    FolderListing(const FolderListing&) = delete;
    FolderListing& operator=(const FolderListing&) = delete;

    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    const WIN32_FIND_DATAW& entry() const { return entry_; }
    bool next() { return ::FindNextFileW(handle_, &entry_) != FALSE; }

  private:
    WIN32_FIND_DATAW entry_{};
    HANDLE handle_;
};

bool isSubfolder(const WIN32_FIND_DATAW& entry) {
    const std::wstring name = entry.cFileName;
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && name != L"." &&
           name != L"..";
}

std::wstring wideOrEmpty(const wchar_t* text) {
    return text != nullptr ? std::wstring(text) : std::wstring();
}

std::string textOrEmpty(const wchar_t* text) {
    return text != nullptr ? win::toUtf8(text) : std::string();
}

// The name a network entry shows: its remote name (else its comment) without the leading
// backslashes of a server name.
std::string networkName(const NETRESOURCEW& resource) {
    std::string name = textOrEmpty(resource.lpRemoteName);
    if (name.empty()) {
        name = textOrEmpty(resource.lpComment);
    }
    for (int i = 0; i < 2 && !name.empty() && name[0] == '\\'; ++i) {
        name.erase(0, 1);
    }
    return name;
}

// A share shows without its server: SERVER\Music shows as Music.
std::string shareName(const std::string& name) {
    const std::size_t separator = name.find('\\');
    return separator == std::string::npos ? name : name.substr(separator + 1);
}

}  // namespace

// The dialog's own copy of a network entry, so that it can be enumerated again when expanded.
// The strings live in the record; the platform's record points into them.
struct CDlgGetPath::NetworkRecord {
    explicit NetworkRecord(const NETRESOURCEW& entry)
        : resource(entry),
          localName(wideOrEmpty(entry.lpLocalName)),
          remoteName(wideOrEmpty(entry.lpRemoteName)),
          comment(wideOrEmpty(entry.lpComment)),
          provider(wideOrEmpty(entry.lpProvider)) {
        resource.lpLocalName = pointerTo(localName, entry.lpLocalName);
        resource.lpRemoteName = pointerTo(remoteName, entry.lpRemoteName);
        resource.lpComment = pointerTo(comment, entry.lpComment);
        resource.lpProvider = pointerTo(provider, entry.lpProvider);
    }
    NetworkRecord(const NetworkRecord&) = delete;
    NetworkRecord& operator=(const NetworkRecord&) = delete;

    static wchar_t* pointerTo(std::wstring& copy, const wchar_t* original) {
        return original != nullptr ? copy.data() : nullptr;
    }

    NETRESOURCEW resource;
    std::wstring localName;
    std::wstring remoteName;
    std::wstring comment;
    std::wstring provider;
};

// The tree of a Unicode dialog notifies in the W forms; the A forms are mapped as well, and
// the fields read (action, items, their data) lie alike in both records.
const fw::MessageEntry<CDlgGetPath> CDlgGetPath::messages[] = {
    fw::mapNotify(IDC_FOLDER_TREE, TVN_ITEMEXPANDINGA, &CDlgGetPath::OnItemexpandingTree),
    fw::mapNotify(IDC_FOLDER_TREE, TVN_ITEMEXPANDINGW, &CDlgGetPath::OnItemexpandingTree),
    fw::mapNotify(IDC_FOLDER_TREE, TVN_SELCHANGEDA, &CDlgGetPath::OnSelchangedTree),
    fw::mapNotify(IDC_FOLDER_TREE, TVN_SELCHANGEDW, &CDlgGetPath::OnSelchangedTree),
    fw::mapNotify(IDC_FOLDER_TREE, TVN_DELETEITEMA, &CDlgGetPath::OnDeleteitemTree),
    fw::mapNotify(IDC_FOLDER_TREE, TVN_DELETEITEMW, &CDlgGetPath::OnDeleteitemTree),
    fw::mapMessage(WM_DESTROY, &CDlgGetPath::OnDestroy),
};
const fw::MessageMap CDlgGetPath::messageMap =
    fw::chainMessageMap(messages, &fw::CDialog::classMessageMap);

CDlgGetPath::CDlgGetPath(HWND parent) : fw::CDialog(IDD_GETPATH, parent) {
    // The tree control's window class must exist before the template is made.
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&classes);
}

CDlgGetPath::~CDlgGetPath() = default;

BOOL CDlgGetPath::OnInitDialog() {
    m_tree = GetDlgItem(IDC_FOLDER_TREE);
    m_imageList.reset(::ImageList_LoadImageW(
        fw::frameworkModule(), MAKEINTRESOURCEW(IDB_FOLDER_TREE), FOLDER_TREE_IMAGE_WIDTH, 1,
        FOLDER_TREE_MASK_COLOUR, IMAGE_BITMAP, LR_CREATEDIBSECTION));
    // Without the picture strip the tree shows text only.
    TreeView_SetImageList(m_tree, m_imageList.get(), TVSIL_NORMAL);

    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string name = std::string(1, letter) + ":";
        const UINT type = ::GetDriveTypeW(win::toWide(name + "\\").c_str());
        if (type >= DRIVE_REMOVABLE && type <= DRIVE_RAMDISK) {
            InsertItem(TVI_ROOT, nullptr, name, static_cast<int>(type));
        }
    }
    m_networkItem = InsertItem(TVI_ROOT, nullptr, kNetworkText, kNetworkImage);
    openStartPath();
    return TRUE;
}

// Expands the tree along the start path; a part that is not found is skipped and the next part
// is looked for at the same level.
void CDlgGetPath::openStartPath() {
    HTREEITEM item = TVI_ROOT;
    std::string component;
    for (std::size_t index = 0; GetPathComponent(m_path, index, component); ++index) {
        if (index == 0 && component.empty()) {
            component = kNetworkText;  // \\server\share
        }
        if (HTREEITEM found = findChild(item, component); found != nullptr) {
            TreeView_Expand(m_tree, found, TVE_EXPAND);
            item = found;
        }
    }
}

HTREEITEM CDlgGetPath::findChild(HTREEITEM parent, const std::string& name) const {
    HTREEITEM child =
        parent == TVI_ROOT ? TreeView_GetRoot(m_tree) : TreeView_GetChild(m_tree, parent);
    for (; child != nullptr; child = TreeView_GetNextSibling(m_tree, child)) {
        if (sameName(itemText(child), name)) {
            return child;
        }
    }
    return nullptr;
}

HTREEITEM CDlgGetPath::InsertItem(HTREEITEM parent, NetworkRecord* record, const std::string& text,
                                  int image, int selectedImage) {
    std::wstring shown = win::toWide(CapitalizeName(text));
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_SORT;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM;
    insert.item.pszText = shown.data();
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage == -1 ? image : selectedImage;
    insert.item.cChildren = 1;  // an expand button until the item is found empty
    insert.item.lParam = reinterpret_cast<LPARAM>(record);
    return reinterpret_cast<HTREEITEM>(
        ::SendMessageW(m_tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

std::string CDlgGetPath::itemText(HTREEITEM item) const {
    std::array<wchar_t, MAX_PATH + 1> text{};
    TVITEMW query{};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = text.data();
    query.cchTextMax = static_cast<int>(text.size());
    ::SendMessageW(m_tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query));
    text.back() = L'\0';
    return win::toUtf8(text.data());
}

CDlgGetPath::NetworkRecord* CDlgGetPath::recordOf(HTREEITEM item) const {
    if (item == nullptr) {
        return nullptr;
    }
    TVITEMW query{};
    query.mask = TVIF_PARAM;
    query.hItem = item;
    ::SendMessageW(m_tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query));
    return reinterpret_cast<NetworkRecord*>(query.lParam);
}

void CDlgGetPath::setHasChildren(HTREEITEM item, bool hasChildren) {
    TVITEMW change{};
    change.mask = TVIF_CHILDREN;
    change.hItem = item;
    change.cChildren = hasChildren ? 1 : 0;
    ::SendMessageW(m_tree, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&change));
}

std::string CDlgGetPath::GetItemPath(HTREEITEM item) const {
    std::string path;
    for (; item != nullptr; item = TreeView_GetParent(m_tree, item)) {
        if (const NetworkRecord* record = recordOf(item); record != nullptr) {
            return textOrEmpty(record->resource.lpRemoteName) + "\\" + path;
        }
        path = itemText(item) + "\\" + path;
    }
    return path;
}

bool CDlgGetPath::PopulateTree(const std::string& path, HTREEITEM item) {
    bool found = false;
    if (item == m_networkItem || recordOf(item) != nullptr) {
        found = EnumNetwork(item);
    } else {
        FolderListing listing(path + "*.*");
        for (bool more = listing.valid(); more; more = listing.next()) {
            if (isSubfolder(listing.entry())) {
                InsertItem(item, nullptr, win::toUtf8(listing.entry().cFileName), kFolderImage,
                           kSelectedFolderImage);
                found = true;
            }
        }
    }
    if (!found) {
        setHasChildren(item, false);
    }
    return found;
}

// Under wine, and on machines without a network, the enumeration may open and list nothing, or
// not open at all; the item then simply loses its expand button.
bool CDlgGetPath::EnumNetwork(HTREEITEM item) {
    NetworkRecord* container = recordOf(item);
    NetworkEnumeration enumeration(container != nullptr ? RESOURCE_GLOBALNET : RESOURCE_CONTEXT,
                                   container != nullptr ? &container->resource : nullptr);
    if (enumeration.openResult() != NO_ERROR) {
        return false;
    }
    bool found = false;
    for (;;) {
        std::vector<unsigned char> buffer(kEnumBufferBytes, 0);
        DWORD count = 0xFFFFFFFF;
        DWORD size = kEnumBufferBytes;
        const DWORD result = ::WNetEnumResourceW(enumeration.get(), &count, buffer.data(), &size);
        if (result != NO_ERROR) {
            break;  // ERROR_NO_MORE_ITEMS ends it; any other failure keeps what was added
        }
        const auto* entries = reinterpret_cast<const NETRESOURCEW*>(buffer.data());
        for (DWORD i = 0; i < count; ++i) {
            const NETRESOURCEW& entry = entries[i];
            const std::string name = networkName(entry);
            if (entry.dwDisplayType == kShareDisplayType) {
                InsertItem(item, nullptr, shareName(name), kFolderImage, kSelectedFolderImage);
            } else {
                // The item owns its record: the tree's item data is the only place to keep it;
                // OnDeleteitemTree frees it.
                auto record = std::make_unique<NetworkRecord>(entry);
                if (InsertItem(item, record.get(), name,
                               kNetworkImage + static_cast<int>(entry.dwDisplayType)) != nullptr) {
                    record.release();  // NOLINT(bugprone-unused-return-value): the item has it
                }
            }
            found = true;
        }
    }
    return found;
}

LRESULT CDlgGetPath::OnItemexpandingTree(const fw::WindowMessage& m) {
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the tree's notification record
    const auto* notify = reinterpret_cast<const NMTREEVIEWW*>(m.lParam);
    if ((notify->action & TVE_EXPAND) == 0) {
        return 0;
    }
    const HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, kWaitCursor));
    const HTREEITEM item = notify->itemNew.hItem;
    if (TreeView_GetChild(m_tree, item) == nullptr) {
        PopulateTree(GetItemPath(item), item);
        if (TreeView_GetSelection(m_tree) != item) {
            TreeView_SelectItem(m_tree, item);
        }
    }
    ::SetCursor(previous);
    return 0;  // the expansion is always allowed
}

LRESULT CDlgGetPath::OnSelchangedTree(const fw::WindowMessage& m) {
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the tree's notification record
    const auto* notify = reinterpret_cast<const NMTREEVIEWW*>(m.lParam);
    const HTREEITEM item = notify->itemNew.hItem;
    if (closing_) {
        return 0;
    }
    // Only a drive, a folder or a share is a folder to search.
    const bool isFolder = item != m_networkItem && recordOf(item) == nullptr;
    ::EnableWindow(GetDlgItem(IDOK), isFolder ? TRUE : FALSE);
    SetDlgItemText(IDC_FOLDER_PATH, isFolder ? GetItemPath(item) : std::string());
    return 0;
}

LRESULT CDlgGetPath::OnDeleteitemTree(const fw::WindowMessage& m) {
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the tree's notification record
    const auto* notify = reinterpret_cast<const NMTREEVIEWW*>(m.lParam);
    // NOLINTNEXTLINE(cppcoreguidelines-owning-memory): taken back from the item's data
    std::unique_ptr<NetworkRecord> record(reinterpret_cast<NetworkRecord*>(notify->itemOld.lParam));
    return 0;
}

// OK and Cancel alike: the selected folder's path is kept and the items (with their network
// records) go while the tree still exists.
LRESULT CDlgGetPath::OnDestroy(const fw::WindowMessage& m) {
    m_path = GetItemPath(TreeView_GetSelection(m_tree));
    closing_ = true;
    TreeView_DeleteAllItems(m_tree);
    m_networkItem = nullptr;
    return Default(m);
}

}  // namespace zor
