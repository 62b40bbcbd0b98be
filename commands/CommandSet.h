#pragma once

#include <windows.h>

namespace zor {

// Posts key as a WM_KEYDOWN (lParam 0) to window with SHIFT, ALT and CTRL shown as held or
// released as asked, then puts the thread's keyboard state back.
void postKeyToHost(HWND window, UINT key, bool shift, bool alt, bool ctrl);

}  // namespace zor
