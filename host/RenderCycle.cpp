// One render call: the song check, the load on a song change, and the highlight that follows
// playback second by second (or, with precise timing, to the millisecond, with the wipe of a
// word-timed line).
#include <algorithm>
#include <cstdint>
#include <exception>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "diag/TraceLog.h"
#include "display/ControlIds.h"
#include "display/PluginWnd.h"
#include "host/HostWindows.h"
#include "host/LyricsPluginApp.h"

namespace zor {

namespace {

// The playlist entry the host points at is trusted to be the song playing unless the caption
// shows a song ("-") that is not that entry's title.
bool songCheckTrusted(const std::optional<std::string>& title, const std::string& caption) {
    if (!title) {
        return true;
    }
    return caption.find('-') == std::string::npos || caption.find(*title) != std::string::npos;
}

// After a load: the selection the list had before, or line 0 when it had none.
void restoreSelection(CLyricsListBox& list, int remembered) {
    if (remembered < 0) {
        if (list.selection() < 0) {
            list.setSelection(0);
        }
    } else {
        list.setSelection(remembered);
    }
}

void selectFirstLineIfNone(CLyricsListBox& list) {
    if (list.selection() < 0 && list.count() > 0) {
        list.setSelection(0);
    }
}

// A call that ends by an exception leaves the re-entry flag down and the song to be loaded
// anew, so the next call starts afresh instead of finding the plug-in stuck in a call.
class RenderUnwindGuard {
  public:
    explicit RenderUnwindGuard(CLyricsPluginApp& app)
        : app_(app), exceptions_(std::uncaught_exceptions()) {}
    ~RenderUnwindGuard() {
        if (std::uncaught_exceptions() > exceptions_) {
            app_.inRender = 0;
            app_.reloadLyrics = 1;
        }
    }
    RenderUnwindGuard(const RenderUnwindGuard&) = delete;
    RenderUnwindGuard& operator=(const RenderUnwindGuard&) = delete;

  private:
    CLyricsPluginApp& app_;
    int exceptions_;
};

}  // namespace

int CLyricsPluginApp::Render(winampVisModule* module) {
    if (inRender != 0 || module == nullptr) {
        return 0;
    }
    const RenderUnwindGuard unwindGuard(*this);
    inRender = 1;
    visModule = module;

    const int index = host.listPosition();
    const std::string path = host.playlistFile(index).value_or(songFile);
    // The title and the caption only decide whether a change is trusted, so they are asked for
    // only when there is one: each host request is a message to another thread.
    const bool changed = path != songFile || reloadLyrics != 0;
    // Taken now: a refresh asked for while this call runs (a command or a dialog inside a modal
    // loop, whose own render call returns at once) is kept for the next call.
    reloadLyrics = 0;
    if (changed && songCheckTrusted(host.playlistTitle(index), host.mainCaption())) {
        if (songChange(path) != 0) {
            return 0;  // edit mode was left instead; the next call loads the new song
        }
    } else if (MoveBar != 0 && isWindowUsable(pluginWnd->lyricsList.get(), true)) {
        highlightFollow();
        if (PreciseTiming != 0) {
            followWipe();
        }
    }
    endExpiredNotice();
    endExpiredOnlineNotice();
    if (ShowMenu != 0 && ShowOsciloscope != 0) {
        drawOscFrame();
    }
    inRender = 0;
    return 0;
}

// Answers 1 when the call ends here, with the edit-mode exit instead of a load.
int CLyricsPluginApp::songChange(const std::string& path) {
    if (path != songFile) {
        abandonOnline();  // the previous song's request: its answer must not reach this song
        pluginWnd->titleStrip->Invalidate();
        if (!isWindowUsable(pluginWnd->lyricsList.get(), true)) {
            leaveEditModeForNewSong();
            return 1;
        }
    }
    tickerX = oscWidth + 50;
    ++lyricsLoads;
    loadLyrics(path);
    finishLoad();
    startOnlineStep();
    refreshTitleStrip();
    return 0;
}

// A new song while the edit list shows: the edit is left (saved first if the user wants), and
// songFile keeps the old path so that the next call finds the change again.
bool CLyricsPluginApp::leaveEditModeForNewSong() {
    bool leave = true;
    if (modified != 0) {
        const PromptAnswer answer =
            prompt.show(PromptOwner::PluginWindow, "Changes not saved. Save?", "Save",
                        PromptButtons::YesNoCancel);
        if (answer == PromptAnswer::Yes) {
            leave = saveLyrics(0) != 0;
        }
    }
    inRender = 0;
    if (leave) {
        CPluginWnd& window = *pluginWnd;
        window.helpButton->setTooltip("Help");
        window.helpButton->setIcon(kHelpIcon);
        window.helpButton->Invalidate();
        window.helpButton->UpdateWindow();
        modified = 0;
        window.lyricsList->ShowWindow(SW_SHOW);
        window.editList->ShowWindow(SW_HIDE);
    }
    return leave;
}

void CLyricsPluginApp::finishLoad() {
    CLyricsListBox& lyrics = *pluginWnd->lyricsList;
    if (isWindowUsable(&lyrics, true)) {
        lyrics.measureWidths();
        lyrics.setRedraw(true);
        lyrics.Invalidate();
        restoreSelection(lyrics, loadSelection);
        centerHighlight();
        traceValue(IsOneLine, "isOneLine:");
        traceValue(isReducedMode() ? 1 : 0, "isReducedMode():");
        if (layoutPending != 0) {
            if (hasParentWindow(hostFrame) && IsOneLine != 0 && !isReducedMode()) {
                doOneLine();
            }
            layoutPending = 0;
        }
        if (lyrics.AdjustWidth != 0) {
            adjustWidth();
        }
        selectFirstLineIfNone(lyrics);
        return;
    }
    CLyricsListBox& edit = *pluginWnd->editList;
    edit.setRedraw(true);
    edit.Invalidate();
    restoreSelection(edit, loadSelection);
    centerHighlight();
    selectFirstLineIfNone(edit);
}

void CLyricsPluginApp::highlightFollow() {
    CLyricsListBox& list = *pluginWnd->lyricsList;
    const int position = host.outputTime();
    lastEntry = kNoEntry;
    if (position == -1) {
        followSameTimeLines(-1);
        if (list.selection() != 0) {
            list.setSelection(0);
        }
        centerHighlight();
        return;
    }
    // By default the tag reached is looked up once a playback second; precise timing looks it
    // up on every call, at the lyrics' time to the millisecond.
    const bool precise = PreciseTiming != 0;
    lyricsNowMs = lyricsTimeAt(position);
    int second = position / 1000;
    if (precise) {
        second = lyricsNowMs < 0 ? -1
                                 : static_cast<int>(std::min<std::int64_t>(
                                       lyricsNowMs / 1000, std::numeric_limits<int>::max()));
    }
    bool found = false;
    int entry = 0;
    if (precise || second != lastSecond) {
        entry = precise ? lineAtMs(lyricsNowMs) : lineAtSecond(second);
        if (entry >= 0) {
            found = true;
            lastEntry = entry;
            const int line = timeTags[entry].line;
            if (line != lastTagLine) {
                list.setSelection(line);
                followSameTimeLines(entry);
                centerHighlight();
                lastTagLine = line;
            } else {
                followSameTimeLines(entry);
            }
        }
        lastSecond = second;
    }
    // Back to line 0 when no tag was reached, and all through second 0; the first lyric line
    // stays when a tag holds it there.
    const bool zero = !found && second == 0;
    if ((entry < 0 || zero) && (lastTagLine != 0 || zero)) {
        followSameTimeLines(-1);
        if (list.selection() != 0 && !(entry >= 0 && list.selection() == headerLines)) {
            list.setSelection(0);
        }
        centerHighlight();
        lastTagLine = 0;
    }
}

void CLyricsPluginApp::followSameTimeLines(int entry) {
    std::vector<int> lines;
    if (SameTimeLines != 0 && entry >= 0) {
        lines = linesTimedLike(entry);
    }
    if (lines.size() < 2) {
        lines.clear();
    }
    pluginWnd->lyricsList->showSameTime(lines);
}

// The wipe follows the word times of the line the tag reached selected, while it is selected.
// With lines highlighted together, each of them that has word tags is wiped by its own marks from
// the tag they share; a line without them stays highlighted whole.
void CLyricsPluginApp::followWipe() {
    CLyricsListBox& list = *pluginWnd->lyricsList;
    if (list.wipes().empty()) {
        wipeLengths.clear();  // the list was refilled: the lengths are asked for again
    }
    nextWipes.clear();
    if (lastEntry >= 0 && list.selection() == timeTags[lastEntry].line) {
        const TimeTag& tag = timeTags[lastEntry];
        const std::vector<int>& group = list.sameTimeLines();
        const bool together = !group.empty() && group.back() == tag.line;
        // The line lasts until the next later tag, if there is one.
        std::int64_t lineMs = -1;
        for (int i = lastEntry + 1; i < timeTags.size(); ++i) {
            if (timeTags[i].ms > tag.ms) {
                lineMs = timeTags[i].ms - tag.ms;
                break;
            }
        }
        const auto wipeLine = [&](int line, const std::vector<int>& lines) {
            const std::vector<WordMark>* marks = wordTimes.find(line);
            if (marks != nullptr) {
                LineWipe wipe;
                wipe.item = line;
                wipe.point =
                    wipeAt(*marks, wipeLengthOf(line, lines), lyricsNowMs - tag.ms, lineMs);
                nextWipes.push_back(wipe);
            }
        };
        if (!together) {
            wipeLine(tag.line, {});
        } else if (IsOneLine == 0) {
            // (One-line mode shows the group joined in one item, highlighted whole.)
            for (const int line : group) {
                wipeLine(line, group);
            }
        }
    }
    list.showWipes(nextWipes);
}

int CLyricsPluginApp::wipeLengthOf(int line, const std::vector<int>& lines) {
    for (const WipeLength& known : wipeLengths) {
        if (known.line == line) {
            return known.length;
        }
    }
    // The wipe went on to other lines: those it left are forgotten.
    const auto left = [&lines](const WipeLength& known) {
        return std::find(lines.begin(), lines.end(), known.line) == lines.end();
    };
    wipeLengths.erase(std::remove_if(wipeLengths.begin(), wipeLengths.end(), left),
                      wipeLengths.end());
    wipeLengths.push_back(
        WipeLength{line, static_cast<int>(pluginWnd->lyricsList->text(line).size())});
    return wipeLengths.back().length;
}

}  // namespace zor
