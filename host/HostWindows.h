#pragma once

#include <windows.h>

namespace zor {

// Whether window sits inside another window (the host frame under a modern skin). An owner is
// not a parent: a free-standing frame the host owns still counts as free-standing.
inline HWND parentWindow(HWND window) {
    if (window == nullptr || (::GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) == 0) {
        return nullptr;
    }
    return ::GetParent(window);
}

inline bool hasParentWindow(HWND window) {
    return parentWindow(window) != nullptr;
}

}  // namespace zor
