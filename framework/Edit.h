#pragma once

#include <windows.h>

#include <string>

#include "framework/Wnd.h"

namespace zor::fw {

// A system edit control; its text is the window text, of any length.
class CEdit : public CWnd {
  public:
    bool Create(DWORD style, const RECT& rect, HWND parent, UINT id, DWORD exStyle = 0) {
        return CreateEx(exStyle, "EDIT", "", style, rect, parent, id);
    }

    std::string GetText() const { return GetWindowText(); }
    void SetText(const std::string& text) { SetWindowText(text); }
};

}  // namespace zor::fw
