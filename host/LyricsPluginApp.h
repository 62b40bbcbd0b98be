#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "config/SettingsStore.h"
#include "diag/Win32Prompt.h"
#include "display/LineWipe.h"
#include "framework/Gdi.h"
#include "framework/WinApp.h"
#include "host/OnlineWorker.h"
#include "host/PluginListPort.h"
#include "host/PublishRun.h"
#include "host/Win32HostLink.h"
#include "host/WinampVis.h"
#include "lyrics/model/LyricsCore.h"

namespace zor {

namespace fw {
class CWnd;
}
class CPluginWnd;
class CLyricsListBox;

// The ports the portable core is built on. A base of the application object, constructed before
// the core, which keeps references to them. The lists forward to whichever plug-in window
// object is current, so a window made anew after Quit is reached through the same references.
class PluginPorts {
  protected:
    explicit PluginPorts(CLyricsPluginApp& app);

    Win32HostLink hostLink;
    Win32Prompt windowsPrompt;
    PluginListPort lyricsPort;
    PluginListPort editPort;
};

// The plug-in's one application object: every piece of state more than one window uses, the
// four host callbacks, the render cycle, the layout modes and the commands.
class CLyricsPluginApp : public fw::CWinApp, private PluginPorts, public LyricsCore {
  public:
    CLyricsPluginApp();
    ~CLyricsPluginApp() override;
    CLyricsPluginApp(const CLyricsPluginApp&) = delete;
    CLyricsPluginApp& operator=(const CLyricsPluginApp&) = delete;

    // ---- host callbacks ----
    void Config(winampVisModule* module);
    int Init(winampVisModule* module);
    int Render(winampVisModule* module);
    void Quit(winampVisModule* module);

    // False without a plug-in window; with no child, true; otherwise whether the child's window
    // exists and, if asked, is visible (it and all its ancestors shown).
    bool isWindowUsable(const fw::CWnd* child, bool mustBeVisible) const;
    bool isWindowUsable() const { return isWindowUsable(nullptr, false); }

    // ---- settings (plugin.ini beside the library) ----
    void loadSettings();
    void loadWindowPosition();
    void saveSettings();

    // ---- layout modes ----
    HWND actualWindow();
    void measureLineHeight();
    bool isReducedMode();
    void doOneLine();
    void adjustWidth();
    void centerHighlight() override;
    // Keeps the lines highlighted with the selected one in view (centred with CenterHighlight);
    // false when there is no such group to show.
    bool showSameTimeGroup();
    // The lyrics list's group of lines timed like entry, while SameTimeLines is on.
    void followSameTimeLines(int entry);
    // The length of line, one of the lines the wipe follows now (lines).
    int wipeLengthOf(int line, const std::vector<int>& lines);

    // ---- commands ----
    void seekToLine(int line);
    // The live timing adjustment by stepMs, shown for a while in the title strip.
    void nudgeTiming(int stepMs);
    // The adjustment notice while it shows ("offset +0.3 s"), else empty.
    std::string timingNotice() const;
    // False when the mode stays as it was (the current song's lines could not be loaded, or
    // the user kept the unsaved edits).
    bool toggleTagEdit();
    void saveKey();
    void openTextEditor();
    void refreshLyrics();
    void showSongInfo();
    void showHelp();
    // A key of the key table's command kind, pressed in list.
    void runKeyCommand(CLyricsListBox& list, UINT key, bool shift, bool ctrl);

    // ---- oscilloscope ----
    void createOscSurface();
    void releaseOscSurface();
    void drawOscFrame();

    // The modal configuration dialog (resource 101), owned by owner.
    void runConfigDialog(HWND owner);

    // Called by the plug-in window object as it deletes itself: a fresh object, holding the same
    // settings, takes its place so that Config and a later Init find one.
    void pluginWindowDestroyed(CPluginWnd& gone);

    // The library's file name, from the module's instance handle.
    std::string libraryFileName() const;

    winampVisModule* visModule = nullptr;
    embedWindowState embedState{};
    HWND hostFrame = nullptr;
    HWND hostMain = nullptr;
    WNDPROC hostFrameProc = nullptr;
    // Owned by the application until Init gives it a window; from then on the framework's frame
    // window deletes itself when its window is destroyed (pluginWindowDestroyed is told first).
    CPluginWnd* pluginWnd = nullptr;
    int inRender = 0;
    fw::Pen oscPen;
    int oscWidth = 152;
    int oscHeight = 50;
    LOGFONTW chosenFont{};
    fw::MemoryDC oscDC;
    fw::Bitmap oscBitmap;
    HGDIOBJ oscOldBitmap = nullptr;
    int tickerX = oscWidth + 50;
    int positionRestored = 0;
    int layoutPending = 1;
    int lyricsLoads = 0;  // loads by render calls so far: tells whether a pass loaded
    // Precise timing: the entry the highlight follow reached on its last call (kNoEntry for
    // none), the lyrics' time then, and when the adjustment notice ends (0: not showing).
    int lastEntry = kNoEntry;
    std::int64_t lyricsNowMs = 0;
    DWORD noticeEnd = 0;
    // The lines the wipe follows and their lengths, asked of the list once per line.
    struct WipeLength {
        int line = -1;
        int length = 0;
    };
    std::vector<WipeLength> wipeLengths;
    std::vector<LineWipe> nextWipes;  // kept to spare an allocation on every render call
    // The configuration dialog while it runs: owner of the boxes it raises.
    HWND configDialog = nullptr;

    // ---- online lyrics ----
    // After a load that found nothing: asks the worker, when the settings allow it and the song
    // was not asked for already.
    void startOnlineStep();
    // The worker's answer for generation, posted to the plug-in window.
    void onlineAnswered(std::uint32_t generation);
    // Cancels what the worker does for the current song and forgets the song was asked for.
    void abandonOnline();
    // The song's signature as the host reports it: artist, title, album and length.
    TrackSignature songSignature();
    // The memory of misses, beside plugin.ini.
    std::string missFilePath() const;
    // What the title strip shows in place of the title while the online step has something to
    // say ("Searching lrclib.net…", a failure for a few seconds), else empty.
    std::string onlineNotice() const;
    // The title strip's third line: the path, or the key that searches while nothing was found.
    std::string titleStripPathLine() const;
    // Repaints the title strip and gives it, as its window text, the lines it shows.
    void refreshTitleStrip();
    // SHIFT+F5: the search dialog, whatever OnlineLyrics says and whatever the memory of
    // misses holds; the record chosen is saved (over an existing file only if the user says
    // so) and loaded.
    void searchOnlineByHand();
    void useFoundRecord(const LyricsRecord& record);

    // ---- publishing ----
    // SHIFT+F9: the timed lyrics shown (in edit mode the edit list's lines as they stand,
    // saved or not) go to the service once the user has confirmed them; pressed again while a
    // publish runs, it cancels that.
    void publishKey();
    // ESC, or the key again: the publish under way is given up.
    void cancelPublish();
    // The publishing worker's answer for generation, posted to the plug-in window.
    void publishAnswered(std::uint32_t generation);
    // The window's timer while a publish has something to show: the progress line moves on,
    // the outcome ends in time.
    void publishTick();
    PublishRun publishRun;

    OnlineWorker onlineWorker;
    std::uint32_t onlineGeneration = 0;  // the find under way; 0 for none
    std::string onlineAskedFor;          // the song the last find was for
    std::string onlineNoticeText;
    DWORD onlineNoticeEnd = 0;  // when a failure's notice ends; 0 while it lasts (searching)
    bool searchHint = false;    // "Lyrics unavailable" shows: the strip names SHIFT+F5

  private:
    SettingsModule settingsModule() const;
    SettingsStore settingsStore();
    HWND promptOwner(PromptOwner owner) const;

    // The current song's raw lines into the edit list, shown, through a render pass; false,
    // with the display shown and the user told, when no pass loaded them.
    bool loadEditLines();

    // Render cycle steps.
    int songChange(const std::string& path);
    bool leaveEditModeForNewSong();
    void finishLoad();
    void highlightFollow();
    void followWipe();
    void endExpiredNotice();
    void endExpiredOnlineNotice();
    void showOnlineNotice(const std::string& text, bool lasting);

    friend class PluginPorts;
};

// The library's one application object.
CLyricsPluginApp& pluginApp();

// Installed on the host frame by Init, removed by Quit.
LRESULT CALLBACK frameSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace zor
