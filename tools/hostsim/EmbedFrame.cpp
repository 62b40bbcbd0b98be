#include "tools/hostsim/EmbedFrame.h"

#include <atomic>

namespace zor::hostsim {
namespace {

constexpr const char* kFrameClassName = "hostsim embedded frame";
constexpr const char* kSkinClassName = "hostsim skin window";
// The skin window is a stand-in for the host's skinned main area; the frame sits inside it.
constexpr int kSkinWidth = 1200;
constexpr int kSkinHeight = 900;

// The embed function is a plain function without a context argument (the host interface
// dictates it), so what it needs from the host lives here.
std::atomic<bool> modernSkinWanted{false};
std::atomic<HWND> lastFrame{nullptr};
// How far the frame's right and bottom edges lie inside the skin window.
std::atomic<int> skinRightMargin{0};
std::atomic<int> skinBottomMargin{0};

LRESULT CALLBACK frameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Closing an embedded window hides it, as the host's own frames do; the plug-in destroys it.
    if (message == WM_CLOSE) {
        ShowWindow(window, SW_HIDE);
        return 0;
    }
    // The host keeps the embedded window filling the frame's client area, from the moment the
    // frame is shown (a frame inside a skin may never be resized at all).
    if (message == WM_SIZE) {
        if (HWND child = GetWindow(window, GW_CHILD); child != nullptr) {
            MoveWindow(child, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        }
    }
    if (message == WM_SHOWWINDOW && wParam != FALSE) {
        if (HWND child = GetWindow(window, GW_CHILD); child != nullptr) {
            RECT client{};
            GetClientRect(window, &client);
            MoveWindow(child, 0, 0, client.right, client.bottom, TRUE);
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The skin window keeps the frame at the margins it was given, as a skin's decorations do: when
// the skin is resized (the plug-in's one-line mode and adjust width resize it), so is the frame.
LRESULT CALLBACK skinProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE) {
        if (HWND frame = GetWindow(window, GW_CHILD); frame != nullptr) {
            RECT placed{};
            GetWindowRect(frame, &placed);
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&placed), 2);
            MoveWindow(frame, placed.left, placed.top,
                       LOWORD(lParam) - placed.left - skinRightMargin,
                       HIWORD(lParam) - placed.top - skinBottomMargin, TRUE);
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void registerClass(const char* name, UINT style, WNDPROC procedure) {
    WNDCLASSA windowClass{};
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass);  // a second registration fails harmlessly
}

HWND createSkinWindow() {
    registerClass(kSkinClassName, 0, skinProc);
    return CreateWindowExA(0, kSkinClassName, "Winamp modern skin",
                           WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, kSkinWidth, kSkinHeight,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

HWND __cdecl embedWindow(embedWindowState* state) {
    if (state == nullptr) {
        return nullptr;
    }
    registerClass(kFrameClassName, CS_DBLCLKS, frameProc);
    const RECT& r = state->r;
    HWND parent = nullptr;
    DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    if (modernSkinWanted) {
        skinRightMargin = kSkinWidth - r.right;
        skinBottomMargin = kSkinHeight - r.bottom;
        parent = createSkinWindow();
        style = WS_CHILD | WS_CAPTION | WS_THICKFRAME | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    }
    // Created hidden: the plug-in shows the frame when its window is ready.
    HWND frame =
        CreateWindowExA(0, kFrameClassName, "", style, r.left, r.top, r.right - r.left,
                        r.bottom - r.top, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    state->me = frame;
    lastFrame = frame;
    return frame;
}

}  // namespace

EmbedWindowFunction embedFunction() {
    return &embedWindow;
}

void useModernSkin(bool modernSkin) {
    modernSkinWanted = modernSkin;
}

HWND embeddedFrame() {
    return lastFrame;
}

}  // namespace zor::hostsim
