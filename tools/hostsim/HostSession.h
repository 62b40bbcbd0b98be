#pragma once

#include <windows.h>

#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "tools/hostsim/AudioSource.h"
#include "tools/hostsim/BoxWatcher.h"
#include "tools/hostsim/FileHolds.h"
#include "tools/hostsim/HostErrors.h"
#include "tools/hostsim/HostOptions.h"
#include "tools/hostsim/HostWindow.h"
#include "tools/hostsim/InputDriver.h"
#include "tools/hostsim/Player.h"
#include "tools/hostsim/PluginLibrary.h"
#include "tools/hostsim/VisThread.h"

namespace zor::hostsim {

// Everything a script acts on: the plug-in library, the host main window, the player, the
// visualization thread and the watcher that answers the plug-in's boxes.
class HostSession : public HostEvents {
  public:
    explicit HostSession(HostOptions hostOptions);
    // Closes as the host does: Quit if the plug-in still runs, then the library goes.
    ~HostSession() override;
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    // Playlist, metadata and caption.
    void addSong(const std::string& path, const std::string& title);
    void setMeta(const std::string& path, const std::string& key, const std::string& value);
    void select(int index);
    void setCaption(const std::string& caption);
    Player& player() { return playerState; }

    // The plug-in's life: header, init, config, run, quit.
    void printHeader();
    void init();
    void config();
    // Config from the main thread while the visualization thread keeps calling Render for ms of
    // playback (and on until Config returns), selecting the next playlist entry every songMs
    // (0: never), as a player does while its preferences are open.
    void configLive(int ms, int songMs);
    // Config from the main thread while it answers the playback-time request of the next
    // render call (one that follows playback): the configuration runs inside that call.
    void configInRender();
    void run(int ms);
    void quit();

    // A user at the plug-in's windows.
    void key(const KeyPress& key);
    void click(int controlId, bool doubleClick);  // kFrameControl: the host frame
    // Moves and sizes the host frame as a user's drag would: the frame hears of it beforehand.
    void moveFrame(int x, int y, int width, int height);
    // The frame's close box (the host hides the frame) and the host's menu item that shows it.
    void showFrame(bool show);
    BoxWatcher& boxes() { return boxWatcher; }

    // What the tests look at.
    void dump();
    void shot(const std::string& path);
    void sleep(int ms);
    // Pumps until the plug-in control's text holds text; fails after 10 s.
    void waitForText(int controlId, const std::string& text);
    FileHolds& holds() { return fileHolds; }
    void printGdi();
    // The audio data the last render call was handed (AudioProbe.cpp).
    void printAudio() const;

    // Handles what the plug-in made happen on the main thread before the next command.
    void settle();
    int exitStatus() const;

    LRESULT answerIpc(WPARAM wParam, LPARAM ipc) override;
    bool hostCommand(WPARAM command) override;
    bool hostSysCommand(WPARAM command) override;
    void hostKey(bool down, WPARAM virtualKey) override;
    LRESULT hostPrivate(UINT message, WPARAM wParam, LPARAM lParam) override;

    static constexpr int kFrameControl = -1;

  private:
    friend class BenchRunner;  // times the render call inside the session's own steps

    PluginLibrary& plugin();    // loaded on first use, as the host loads it when it needs it
    winampVisModule& module();  // module 0 with the host's fields filled
    VisThread& visThread();
    LRESULT answerFileInfo(const extendedFileInfoStruct* request) const;
    LRESULT answerWideFileInfo(const extendedFileInfoStructW* request) const;
    const std::string* findMeta(const std::string& path, const std::string& key) const;
    LRESULT answerPlaylistText(WPARAM index, LPARAM ipc) const;
    bool answersWide() const { return !options.ansiHost && !options.oldHost; }
    unsigned hostVersion() const;
    int renderStepMs();
    void renderOnce();
    // The module's Render on the visualization thread, marked so that a render call on another
    // thread meanwhile is seen.
    void callRender(winampVisModule& m);
    void callConfig();
    // A render call began on the main thread: two at once when the visualization thread renders.
    void noteMainThreadRender();
    struct LiveStep;
    void liveStep(LiveStep& step);
    void bringFrameForward();
    void clickFrame(HWND frame, bool doubleClick);
    void requireRunning(const char* command) const;

    HostOptions options;
    BoxWatcher boxWatcher;
    Player playerState;
    std::map<std::pair<std::string, std::string>, std::string> metadata;
    HostWindow mainWindow;
    std::unique_ptr<PluginLibrary> library;
    winampVisModule* visModule = nullptr;
    std::unique_ptr<VisThread> vis;
    std::unique_ptr<AudioSource> audio;
    FileHolds fileHolds;
    HWND visWindow = nullptr;  // what IPC_SETVISWND handed over
    bool initCalled = false;
    DWORD lastClickTick = 0;
    std::atomic<bool> visRendering{false};   // the visualization thread is inside Render
    std::atomic<bool> liveRendering{false};  // config-live's render loop runs
    std::atomic<bool> liveConfigDone{false};
    int liveSongMs = 0;
    int liveSinceSongMs = 0;
    bool configOnNextRequest = false;
    bool overlapSeen = false;
};

}  // namespace zor::hostsim
