#include "tools/hostsim/HostWindow.h"

#include "tools/hostsim/HostErrors.h"

namespace zor::hostsim {
namespace {

// The real host's class name and caption, so that plug-ins looking for them find this window.
constexpr const char* kHostClassName = "Winamp v1.x";
constexpr const char* kHostCaption = "Winamp";

void registerHostClass() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    windowClass.lpszClassName = kHostClassName;
    if (RegisterClassA(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw HostError("cannot register the host window class");
    }
}

}  // namespace

HostWindow::HostWindow(IpcHandler& ipcHandler) : handler(ipcHandler) {
    registerHostClass();
    window = CreateWindowExA(0, kHostClassName, kHostCaption, WS_OVERLAPPEDWINDOW, 0, 0, 275, 116,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window == nullptr) {
        throw HostError("cannot create the host main window");
    }
    // Installed after creation so that the procedure always finds its object.
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HostWindow::windowProc));
}

HostWindow::~HostWindow() {
    DestroyWindow(window);
}

LRESULT CALLBACK HostWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The window keeps its object in GWLP_USERDATA, which the API holds as an integer.
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    auto* self = reinterpret_cast<HostWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_USER && self != nullptr) {
        return self->handler.answerIpc(wParam, lParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace zor::hostsim
