#pragma once

#include <windows.h>

#include <string>

#include "framework/Wnd.h"

namespace zor::fw {

// A system list box. Item texts are held to the system's item limit (511 characters) both ways.
// An owner-drawn list gets its WM_DRAWITEM and WM_MEASUREITEM from its parent by reflection, as
// DrawItem and MeasureItem. The parent must be a framework window; for LBS_OWNERDRAWFIXED the
// one measurement during creation reaches only the parent.
class CListBox : public CWnd {
  public:
    bool Create(DWORD style, const RECT& rect, HWND parent, UINT id, DWORD exStyle = 0);

    int AddString(const std::string& text);
    int InsertString(int index, const std::string& text);
    int DeleteString(int index);
    std::string GetText(int index) const;
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    void ResetContent();
    void SetRedraw(bool redraw);
    int GetTopIndex() const;
    int SetTopIndex(int index);
    // The item nearest to a point in client coordinates; outside tells whether the point lies
    // outside every item.
    int ItemFromPoint(POINT point, bool& outside) const;
    void SetHorizontalExtent(int extent);
    int GetHorizontalExtent() const;
    int GetItemHeight(int index) const;
    bool GetItemRect(int index, RECT& rect) const;

  protected:
    virtual void DrawItem(const DRAWITEMSTRUCT& item);
    virtual void MeasureItem(MEASUREITEMSTRUCT& item);
    bool OnReflectedDefault(const WindowMessage& reflected, LRESULT& result) override;
};

}  // namespace zor::fw
