// The procedure put on the host's frame: it remembers where the user puts the frame, puts it
// back there when it is first shown, focuses the lyrics and toggles one-line mode on a double
// click.
#include "display/PluginWnd.h"
#include "framework/EntryGuard.h"
#include "host/HostWindows.h"
#include "host/LyricsPluginApp.h"

namespace zor {

namespace {

LRESULT passOn(const CLyricsPluginApp& app, HWND window, UINT message, WPARAM wParam,
               LPARAM lParam) {
    if (app.hostFrameProc == nullptr) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    return ::CallWindowProcW(app.hostFrameProc, window, message, wParam, lParam);
}

// The rectangle saved last, applied once to a free-standing frame.
LRESULT firstShowRestore(CLyricsPluginApp& app, HWND window, UINT message, WPARAM wParam,
                         LPARAM lParam) {
    if (app.positionRestored != 0) {
        return passOn(app, window, message, wParam, lParam);
    }
    if (hasParentWindow(window)) {
        passOn(app, window, message, wParam, lParam);
        return 0;  // tried again at the next such message
    }
    app.positionRestored = 1;
    app.loadWindowPosition();
    RECT& rect = app.embedState.r;
    rect.left = app.Screen_x;
    rect.top = app.Screen_y;
    rect.right = app.Screen_x + app.ScreenWidth;
    rect.bottom = app.Screen_y + app.ScreenHeight;
    ::SetWindowPos(app.hostFrame, nullptr, rect.left, rect.top, app.ScreenWidth, app.ScreenHeight,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING | SWP_SHOWWINDOW);
    ::RedrawWindow(app.hostFrame, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    app.pluginWnd->Invalidate();
    passOn(app, window, message, wParam, lParam);
    return 0;
}

// A negative coordinate (a frame pushed off the left or top edge, or minimised) keeps the old
// values: the size is guarded by the position, not by itself.
LRESULT positionMemory(CLyricsPluginApp& app, HWND window, UINT message, WPARAM wParam,
                       LPARAM lParam) {
    if (hasParentWindow(window)) {
        return 0;
    }
    if (const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam)) {
        if ((position->flags & SWP_NOMOVE) == 0) {
            if (position->x >= 0) {
                app.Screen_x = position->x;
            }
            if (position->y >= 0) {
                app.Screen_y = position->y;
            }
        }
        if ((position->flags & SWP_NOSIZE) == 0) {
            if (position->x >= 0) {
                app.ScreenWidth = position->cx;
            }
            if (position->y >= 0) {
                app.ScreenHeight = position->cy;
            }
        }
    }
    passOn(app, window, message, wParam, lParam);
    return 0;
}

LRESULT frameMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CLyricsPluginApp& app = pluginApp();
    switch (message) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                return passOn(app, window, message, wParam, lParam);
            }
            passOn(app, window, message, wParam, lParam);
            app.pluginWnd->focusList();
            return 0;
        case WM_SETFOCUS:
            passOn(app, window, message, wParam, lParam);
            app.pluginWnd->focusList();
            return 0;
        case WM_LBUTTONDBLCLK:
            passOn(app, window, message, wParam, lParam);
            app.doOneLine();
            return 0;
        case WM_SHOWWINDOW:
        case WM_WINDOWPOSCHANGED:
            return firstShowRestore(app, window, message, wParam, lParam);
        case WM_WINDOWPOSCHANGING:
            return positionMemory(app, window, message, wParam, lParam);
        default:
            return passOn(app, window, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK frameSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return fw::guardEntry(
        "host frame procedure", [&] { return frameMessage(window, message, wParam, lParam); },
        [&] { return passOn(pluginApp(), window, message, wParam, lParam); });
}

}  // namespace zor
