#include "tools/hostsim/HostWindow.h"

#include "tools/hostsim/HostErrors.h"
#include "tools/hostsim/HostText.h"

namespace zor::hostsim {
namespace {

void registerHostClass() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    windowClass.lpszClassName = kHostClassName;
    if (RegisterClassW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw HostError("cannot register the host window class");
    }
}

}  // namespace

HostWindow::HostWindow(HostEvents& hostEvents) : events(hostEvents) {
    registerHostClass();
    window = CreateWindowExW(0, kHostClassName, toWide(kHostCaption).c_str(), WS_OVERLAPPEDWINDOW,
                             0, 0, 275, 116, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (window == nullptr) {
        throw HostError("cannot create the host main window");
    }
    // Installed after creation so that the procedure always finds its object.
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HostWindow::windowProc));
}

HostWindow::~HostWindow() {
    DestroyWindow(window);
}

void HostWindow::setCaption(const std::string& caption) {
    SetWindowTextW(window, toWide(caption).c_str());
}

LRESULT CALLBACK HostWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The window keeps its object in GWLP_USERDATA, which the API holds as an integer.
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    auto* self = reinterpret_cast<HostWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->handle(message, wParam, lParam);
}

LRESULT HostWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_USER:
            return events.answerIpc(wParam, lParam);
        case WM_COMMAND:
            if (events.hostCommand(LOWORD(wParam))) {
                return 0;
            }
            break;
        case WM_SYSCOMMAND:
            if (events.hostSysCommand(wParam)) {
                return 0;
            }
            break;
        case WM_KEYDOWN:
        case WM_KEYUP:
            events.hostKey(message == WM_KEYDOWN, wParam);
            return 0;
        default:
            if (message >= kHostPrivateFirst && message <= kHostPrivateLast) {
                return events.hostPrivate(message, wParam, lParam);
            }
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace zor::hostsim
