#pragma once

#include <windows.h>

#include <string>

namespace zor::hostsim {

// What reaches the host main window from the plug-in, handled on the host's main thread.
class HostEvents {
  public:
    virtual ~HostEvents() = default;
    // WM_USER request; lParam is the IPC number.
    virtual LRESULT answerIpc(WPARAM wParam, LPARAM ipc) = 0;
    // WM_COMMAND and WM_SYSCOMMAND: true when the host knows the command.
    virtual bool hostCommand(WPARAM command) = 0;
    virtual bool hostSysCommand(WPARAM command) = 0;
    // A key posted to the main window, as the host's own keys are.
    virtual void hostKey(bool down, WPARAM virtualKey) = 0;
};

// The host main window: the module's hwndParent, on the host's main thread. Requests sent from
// another thread are answered while this thread pumps messages. WM_GETTEXT answers the caption.
class HostWindow {
  public:
    explicit HostWindow(HostEvents& events);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND handle() const { return window; }
    void setCaption(const std::string& caption);

  private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    HostEvents& events;
    HWND window = nullptr;
};

// The caption the host shows before a song is selected.
inline constexpr const char* kHostCaption = "Winamp";

}  // namespace zor::hostsim
