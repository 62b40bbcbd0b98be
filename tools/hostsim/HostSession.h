#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tools/hostsim/HostErrors.h"
#include "tools/hostsim/HostOptions.h"
#include "tools/hostsim/HostWindow.h"
#include "tools/hostsim/PluginLibrary.h"

namespace zor::hostsim {

// The player the host simulates: a playlist, the position in it and the playback clock.
struct Player {
    struct Entry {
        std::string path;
        std::string title;
    };
    std::vector<Entry> playlist;
    int listPosition = 0;
    int playingState = 0;  // IPC_ISPLAYING's answer: 1 playing, 3 paused, 0 stopped
    int positionMs = 0;
};

// Everything a script acts on: the plug-in library, the host main window and the player.
class HostSession : public IpcHandler {
  public:
    explicit HostSession(HostOptions hostOptions);

    // header: what winampVisGetHeader and getModule hand out.
    void printHeader();
    // quit: frees the library.
    void quit();

    LRESULT answerIpc(WPARAM wParam, LPARAM ipc) override;
    int exitStatus() const { return kExitOk; }

  private:
    PluginLibrary& plugin();  // loaded on first use, as the host loads it when it needs it

    HostOptions options;
    Player player;
    HostWindow mainWindow;
    std::unique_ptr<PluginLibrary> library;
};

}  // namespace zor::hostsim
