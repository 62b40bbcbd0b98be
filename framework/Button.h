#pragma once

#include <windows.h>

#include <string>

#include "framework/Wnd.h"

namespace zor::fw {

// A system button (push button, check box, ...). An owner-drawn one gets its WM_DRAWITEM from
// its parent by reflection, as DrawItem; its clicks reach the parent as WM_COMMAND unless the
// object maps the reflected notification itself.
class CButton : public CWnd {
  public:
    bool Create(const std::string& text, DWORD style, const RECT& rect, HWND parent, UINT id);

    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int state) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(state)); }

  protected:
    virtual void DrawItem(const DRAWITEMSTRUCT& item);
    bool OnReflectedDefault(const WindowMessage& reflected, LRESULT& result) override;
};

}  // namespace zor::fw
