// The one-line mode, the width that follows the widest line, and the centred highlight.
#include <algorithm>

#include "diag/TraceLog.h"
#include "display/PluginWnd.h"
#include "host/HostWindows.h"
#include "host/LyricsPluginApp.h"
#include "lyrics/platform/WideText.h"

namespace zor {

namespace {

int heightOf(const RECT& rect) {
    return rect.bottom - rect.top;
}

int widthOf(const RECT& rect) {
    return rect.right - rect.left;
}

RECT windowRect(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

// The plug-in window's client area in screen coordinates.
RECT clientOnScreen(const CPluginWnd& window) {
    RECT client = window.GetClientRect();
    ::MapWindowPoints(window.GetSafeHwnd(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

// What window adds above and below the plug-in window's client area.
int frameOverhead(const RECT& outer, const RECT& client) {
    return (client.top - outer.top) + (outer.bottom - client.bottom);
}

int handleValue(HWND window) {
    return static_cast<int>(reinterpret_cast<INT_PTR>(window));
}

// Moves without the position-changing notification, so the frame's position memory ignores it.
void placeWindow(HWND window, const RECT& rcWnd, int width, int height) {
    ::SetWindowPos(window, nullptr, rcWnd.left, rcWnd.top, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING | SWP_SHOWWINDOW);
}

}  // namespace

HWND CLyricsPluginApp::actualWindow() {
    HWND window = hostFrame;
    const HWND hostWindow = visModule != nullptr ? visModule->hwndParent : nullptr;
    for (HWND parent = parentWindow(window); parent != nullptr && parent != hostWindow;
         parent = parentWindow(window)) {
        traceValue(handleValue(window), "actualWindow:");
        window = parent;
    }
    return window;
}

void CLyricsPluginApp::measureLineHeight() {
    CLyricsListBox& list = *pluginWnd->lyricsList;
    fw::WindowDC dc(list.GetSafeHwnd());
    if (!dc) {
        return;
    }
    LOGFONTW font{};
    font.lfHeight = -::MulDiv(list.FontSize, ::GetDeviceCaps(dc.get(), LOGPIXELSY), 72);
    font.lfWeight = list.FontWeight;
    font.lfItalic = static_cast<BYTE>(list.FontItalic);
    font.lfPitchAndFamily = FIXED_PITCH;
    win::toWide(list.FontFamily).copy(font.lfFaceName, LF_FACESIZE - 1);
    const fw::Font lineFont(::CreateFontIndirectW(&font));
    chosenFont = font;

    SIZE size{};
    {
        const fw::ScopedSelect select(dc.get(), lineFont.get());
        ::GetTextExtentPoint32W(dc.get(), L"MjM", 3, &size);
    }
    if (list.IsWindow()) {
        list.itemHeight = size.cy;
    }
}

bool CLyricsPluginApp::isReducedMode() {
    if (!pluginWnd->lyricsList->IsWindow() || hostFrame == nullptr) {
        return false;
    }
    measureLineHeight();
    const RECT frame = windowRect(hostFrame);
    const int target =
        pluginWnd->lyricsList->itemHeight + frameOverhead(frame, clientOnScreen(*pluginWnd));
    const int height = heightOf(frame);
    return height >= target - 1 && height <= target + 1;
}

void CLyricsPluginApp::doOneLine() {
    traceLine("doOneLine()");
    if (!isWindowUsable(pluginWnd->lyricsList.get(), false) || hostFrame == nullptr) {
        return;
    }
    const HWND window = actualWindow();
    const RECT client = clientOnScreen(*pluginWnd);
    const RECT rcWnd = windowRect(window);
    traceValue(rcWnd.top, "rcWnd.top ANTES:");

    int height = 0;
    CPluginWnd& plugin = *pluginWnd;
    if (!isReducedMode()) {
        height = plugin.lyricsList->itemHeight + frameOverhead(rcWnd, client);
        for (CLyricsListBox* list : {plugin.lyricsList.get(), plugin.editList.get()}) {
            if (isWindowUsable(list, true) && list->selection() >= 0) {
                list->SetTopIndex(list->selection());
            }
        }
        IsOneLine = 1;
    } else {
        height = (headerLines + 5) * plugin.lyricsList->itemHeight + frameOverhead(rcWnd, client) +
                 oscHeight;
        IsOneLine = 0;
    }
    traceValue(rcWnd.top, "rcWnd.top:");
    traceValue(widthOf(rcWnd), "rcWnd.Width():");
    placeWindow(window, rcWnd, widthOf(rcWnd), height);
    ::InvalidateRect(window, nullptr, TRUE);
    // The saved height is the free-standing frame's; a skin's outer window must not overwrite it.
    if (window == hostFrame) {
        ScreenHeight = height;
    }
    centerHighlight();
    traceLine("termina doOneLine()");
}

void CLyricsPluginApp::adjustWidth() {
    CLyricsListBox& list = *pluginWnd->lyricsList;
    if (list.AdjustWidth == 0 || !isWindowUsable() || hostFrame == nullptr) {
        return;
    }
    const HWND window = actualWindow();
    const RECT client = clientOnScreen(*pluginWnd);
    const RECT rcWnd = windowRect(window);
    const int width = list.widestItem + ::GetSystemMetrics(SM_CXHSCROLL) +
                      (client.left - rcWnd.left) + (rcWnd.right - client.right);
    placeWindow(window, rcWnd, width, heightOf(rcWnd));
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CLyricsPluginApp::centerHighlight() {
    if (showSameTimeGroup()) {
        return;
    }
    if (CenterHighlight == 0) {
        return;
    }
    CPluginWnd& plugin = *pluginWnd;
    CLyricsListBox* list = nullptr;
    if (isWindowUsable(plugin.lyricsList.get(), true)) {
        list = plugin.lyricsList.get();
    } else if (isWindowUsable(plugin.editList.get(), true)) {
        list = plugin.editList.get();
    } else {
        return;
    }
    const int top = list->GetTopIndex();
    const int selected = list->selection();
    const RECT client = list->GetClientRect();
    bool outside = false;
    const int bottom = list->ItemFromPoint(POINT{5, client.bottom - 3}, outside);
    int newTop = selected - (bottom - top) / 2;
    if (newTop < 0) {
        newTop = 0;
    }
    if (newTop != top) {
        list->SetTopIndex(newTop);
    }
}

bool CLyricsPluginApp::showSameTimeGroup() {
    CLyricsListBox& list = *pluginWnd->lyricsList;
    const std::vector<int>& group = list.sameTimeLines();
    if (group.size() < 2 || IsOneLine != 0 || !isWindowUsable(&list, true) ||
        list.selection() != group.back()) {
        return false;
    }
    const auto [firstLine, lastLine] = std::minmax_element(group.begin(), group.end());
    const int first = *firstLine;
    const int last = *lastLine;
    const int top = list.GetTopIndex();
    const RECT client = list.GetClientRect();
    bool outside = false;
    const int bottom = list.ItemFromPoint(POINT{5, client.bottom - 3}, outside);
    const int shown = std::max(1, bottom - top + 1);
    int newTop = top;
    if (CenterHighlight != 0) {
        newTop = (first + last + 1) / 2 - shown / 2;
    } else if (first < top) {
        newTop = first;
    } else if (last > bottom) {
        newTop = last - shown + 1;
    }
    // A group taller than the list shows from its first line.
    newTop = std::max(0, std::min(newTop, first));
    if (newTop != top) {
        list.SetTopIndex(newTop);
    }
    return true;
}

}  // namespace zor
