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
    // hostsim's own messages (kHostPrivateFirst and on), from its other threads.
    virtual LRESULT hostPrivate(UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

// hostsim's own messages to the main window, so that what the player holds is only ever
// changed on the main thread.
inline constexpr UINT kHostPrivateFirst = WM_APP + 0x100;
inline constexpr UINT kHostStepMessage = kHostPrivateFirst;        // a live render step
inline constexpr UINT kHostConfigMessage = kHostPrivateFirst + 1;  // call Config now
inline constexpr UINT kHostSelectMessage = kHostPrivateFirst + 2;  // select entry wParam
inline constexpr UINT kHostPrivateLast = kHostSelectMessage;

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

// The real host's class name, so that plug-ins looking for it find this window. A Unicode window,
// so that its caption holds any text and answers both forms of WM_GETTEXT.
inline constexpr const wchar_t* kHostClassName = L"Winamp v1.x";

// The caption the host shows before a song is selected.
inline constexpr const char* kHostCaption = "Winamp";

}  // namespace zor::hostsim
