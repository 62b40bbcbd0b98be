#pragma once

#include <windows.h>

namespace zor::hostsim {

// Answers the plug-in's WM_USER requests; lParam is the IPC number.
class IpcHandler {
  public:
    virtual ~IpcHandler() = default;
    virtual LRESULT answerIpc(WPARAM wParam, LPARAM ipc) = 0;
};

// The host main window: the module's hwndParent, on the host's main thread. Requests sent from
// another thread are answered while that thread pumps messages.
class HostWindow {
  public:
    explicit HostWindow(IpcHandler& handler);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND handle() const { return window; }

  private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    IpcHandler& handler;
    HWND window = nullptr;
};

}  // namespace zor::hostsim
