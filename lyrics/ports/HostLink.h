#pragma once

#include <optional>
#include <string>

namespace zor {

// The host requests the plug-in relies on. On Windows each is a WM_USER message to the host's
// main window; the command-line companion and the tests answer them from what they were given.
class HostLink {
public:
    virtual ~HostLink() = default;

    virtual bool isPlaying() = 0;                     // IPC_ISPLAYING answers 1
    virtual int outputTime() = 0;                     // IPC_GETOUTPUTTIME: ms, -1 when stopped
    virtual void jumpToTime(int ms) = 0;              // IPC_JUMPTOTIME
    virtual int listPosition() = 0;                   // IPC_GETLISTPOS
    virtual std::optional<std::string> playlistFile(int index) = 0;   // IPC_GETPLAYLISTFILE
    virtual std::optional<std::string> playlistTitle(int index) = 0;  // IPC_GETPLAYLISTTITLE
    // IPC_GET_EXTENDED_FILE_INFO: true when the host answered non-zero; answer holds its text.
    virtual bool extendedFileInfo(const std::string& file, const std::string& key,
                                  std::string& answer) = 0;
    virtual void play() = 0;                          // WM_COMMAND 40045
    virtual void showFileInfo() = 0;                  // WM_SYSCOMMAND 40188, posted
    virtual std::string mainCaption() = 0;            // WM_GETTEXT, 511 characters at most
};

}  // namespace zor
