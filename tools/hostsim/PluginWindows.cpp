#include "tools/hostsim/PluginWindows.h"

#include "tools/hostsim/HostText.h"
#include "tools/hostsim/Output.h"

namespace zor::hostsim {
namespace {

// The plug-in's two lists: the lyrics shown in display mode, the raw lines in edit mode.
constexpr int kLyricsListId = 1031;
constexpr int kEditListId = 1032;
// A list item longer than this is not read; no item of the plug-in comes near it.
constexpr LRESULT kMaxItemRead = 64 * 1024;
// Lists answer from the visualization thread, which is idle while the host asks.
constexpr UINT kListAnswerMs = 5000;
constexpr int kGridSteps = 16;

BOOL CALLBACK collectChild(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

BOOL CALLBACK collectTopLevel(HWND window, LPARAM windows) {
    auto* all = reinterpret_cast<std::vector<HWND>*>(windows);
    all->push_back(window);
    EnumChildWindows(window, collectChild, windows);
    return TRUE;
}

bool hasVisibleStyle(HWND window) {
    return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

LRESULT askList(HWND list, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(list, message, wParam, lParam, SMTO_NORMAL, kListAnswerMs, &result)) {
        return LB_ERR;
    }
    return static_cast<LRESULT>(result);
}

std::string itemText(HWND list, int index) {
    const LONG style = GetWindowLongW(list, GWL_STYLE);
    const bool ownerData = (style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0 &&
                           (style & LBS_HASSTRINGS) == 0;
    if (ownerData) {
        return "<no text: owner-drawn without strings>";
    }
    const LRESULT length = askList(list, LB_GETTEXTLEN, static_cast<WPARAM>(index));
    if (length == LB_ERR || length < 0) {
        return "<unreadable>";
    }
    if (length > kMaxItemRead) {
        return "<" + std::to_string(length) + " characters>";
    }
    // Read in UTF-16, as the list holds it, and printed as UTF-8.
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = askList(list, LB_GETTEXT, static_cast<WPARAM>(index),
                                   reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == LB_ERR || copied < 0 ? 0 : static_cast<std::size_t>(copied));
    return toUtf8(text);
}

// Worked out from the children's rectangles: wine's ChildWindowFromPointEx was seen to answer
// the parent for a point that a visible child covers.
bool coveredByChild(HWND parent, POINT clientPoint) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        if (!IsWindowVisible(child) || !GetWindowRect(child, &rect)) {
            continue;
        }
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
        if (PtInRect(&rect, clientPoint)) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::vector<HWND> windowsOfThread(DWORD threadId) {
    std::vector<HWND> windows;
    if (threadId != 0) {
        EnumThreadWindows(threadId, collectTopLevel, reinterpret_cast<LPARAM>(&windows));
    }
    return windows;
}

HWND controlWithId(DWORD threadId, int controlId) {
    HWND any = nullptr;
    for (HWND window : windowsOfThread(threadId)) {
        if ((GetWindowLongW(window, GWL_STYLE) & WS_CHILD) == 0 ||
            GetDlgCtrlID(window) != controlId) {
            continue;
        }
        if (IsWindowVisible(window)) {
            return window;
        }
        if (any == nullptr) {
            any = window;
        }
    }
    return any;
}

POINT clickPointOf(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    POINT centre{(client.left + client.right) / 2, (client.top + client.bottom) / 2};
    ClientToScreen(window, &centre);
    return centre;
}

std::optional<POINT> uncoveredPointOf(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    std::vector<POINT> candidates{{client.right / 2, client.bottom / 2}};
    for (int row = 0; row < kGridSteps; ++row) {
        for (int column = 0; column < kGridSteps; ++column) {
            candidates.push_back({(2 * column + 1) * client.right / (2 * kGridSteps),
                                  (2 * row + 1) * client.bottom / (2 * kGridSteps)});
        }
    }
    for (POINT point : candidates) {
        if (!coveredByChild(window, point)) {
            ClientToScreen(window, &point);
            return point;
        }
    }
    return std::nullopt;
}

std::vector<std::string> dumpVisibleList(DWORD threadId) {
    // The visible list is the mode; the lists' own visibility decides, so that a hidden frame
    // still shows which list the plug-in has up.
    HWND editList = controlWithId(threadId, kEditListId);
    HWND lyricsList = controlWithId(threadId, kLyricsListId);
    HWND list = nullptr;
    int listId = 0;
    std::vector<std::string> lines;
    if (editList != nullptr && hasVisibleStyle(editList)) {
        list = editList;
        listId = kEditListId;
        lines.emplace_back("mode edit");
    } else if (lyricsList != nullptr) {
        list = lyricsList;
        listId = kLyricsListId;
        lines.emplace_back("mode display");
    } else {
        lines.emplace_back("mode none");
        return lines;
    }
    const LRESULT count = askList(list, LB_GETCOUNT);
    lines.push_back("list " + std::to_string(listId) + " count=" + std::to_string(count) +
                    " sel=" + std::to_string(askList(list, LB_GETCURSEL)) +
                    " top=" + std::to_string(askList(list, LB_GETTOPINDEX)));
    for (int i = 0; i < count; ++i) {
        lines.push_back("item " + std::to_string(i) + "\t" + printableText(itemText(list, i)));
    }
    return lines;
}

}  // namespace zor::hostsim
