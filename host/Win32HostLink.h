#pragma once

#include <windows.h>

#include "lyrics/ports/HostLink.h"

namespace zor {

// The host requests as messages to the host's main window. Text the host hands back by pointer
// is copied at most 511 characters; nothing past that is read. A host that has the wide
// requests (its IPC_GETVERSION says so) is asked with them; an older one with the ANSI ones,
// whose answers are in the system's ANSI code page. Every text answered is UTF-8.
class Win32HostLink final : public HostLink {
  public:
    explicit Win32HostLink(HWND hostMain = nullptr) : hostMain_(hostMain) {}

    void setHostMain(HWND hostMain);
    HWND hostMain() const { return hostMain_; }

    bool isPlaying() override;
    int outputTime() override;
    void jumpToTime(int ms) override;
    int listPosition() override;
    std::optional<std::string> playlistFile(int index) override;
    std::optional<std::string> playlistTitle(int index) override;
    bool extendedFileInfo(const std::string& file, const std::string& key,
                          std::string& answer) override;
    void play() override;
    void showFileInfo() override;
    std::string mainCaption() override;

  private:
    LRESULT ask(WPARAM wParam, int ipc) const;
    unsigned hostVersion();
    std::optional<std::string> hostText(WPARAM index, int wideIpc, int ansiIpc);

    HWND hostMain_;
    std::optional<unsigned> version_;  // IPC_GETVERSION's answer, once asked
};

}  // namespace zor
