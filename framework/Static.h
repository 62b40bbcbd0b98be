#pragma once

#include <windows.h>

#include <string>

#include "framework/Wnd.h"

namespace zor::fw {

// A system static control. An owner-drawn one (SS_OWNERDRAW) maps the reflected WM_DRAWITEM.
class CStatic : public CWnd {
  public:
    bool Create(const std::string& text, DWORD style, const RECT& rect, HWND parent, UINT id,
                DWORD exStyle = 0) {
        return CreateEx(exStyle, "STATIC", text.c_str(), style, rect, parent, id);
    }
};

}  // namespace zor::fw
