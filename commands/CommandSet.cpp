// The commands keys and buttons run, as operations of the application object.
#include "commands/CommandSet.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>

#include "commands/DlgEditor.h"
#include "commands/HelpDialog.h"
#include "display/ControlIds.h"
#include "display/PluginWnd.h"
#include "framework/WinApp.h"
#include "host/HostWindows.h"
#include "host/LyricsPluginApp.h"
#include "lyrics/lookup/SongNames.h"
#include "lyrics/tags/SongLyrics.h"

namespace zor {

namespace {

constexpr const char* kPluginCaption = "Maresh's Zor Lyrics plugin!!!!";
constexpr const char* kSongNotLoadedText =
    "The lyrics of the playing song could not be loaded for editing. Please try again.";

constexpr int kPlayPolls = 10;
constexpr int kTimingStepMs = 100;
constexpr DWORD kPlayPollMs = 100;

int toggled(int flag) {
    return flag == 0 ? 1 : 0;
}

// The help button is the save button while the edit list shows.
void showEditList(CPluginWnd& window) {
    window.helpButton->setTooltip("Save (CTRL+S)");
    window.helpButton->setIcon(kSaveIcon);
    window.lyricsList->ShowWindow(SW_HIDE);
    window.editList->ShowWindow(SW_SHOW);
}

void showLyricsList(CPluginWnd& window) {
    window.helpButton->setTooltip("Help");
    window.helpButton->setIcon(kHelpIcon);
    window.lyricsList->ShowWindow(SW_SHOW);
    window.editList->ShowWindow(SW_HIDE);
}

// The display line of an edit line: below the title line, and on the last line for the edit
// list's trailing lines that the display does not show (its empty last line).
int displayLineFor(int editLine, int headerLines, int droppedLines, int count) {
    const int line = std::max(editLine + headerLines - droppedLines, 1);
    return count > 0 ? std::min(line, count - 1) : line;
}

void repaintHelpButton(CPluginWnd& window) {
    window.helpButton->Invalidate();
    window.helpButton->UpdateWindow();
}

}  // namespace

void postKeyToHost(HWND window, UINT key, bool shift, bool alt, bool ctrl) {
    BYTE state[256] = {};
    ::GetKeyboardState(state);
    const BYTE savedShift = state[VK_SHIFT];
    const BYTE savedCtrl = state[VK_CONTROL];
    const BYTE savedAlt = state[VK_MENU];
    state[VK_SHIFT] = shift ? 0x80 : 0;
    state[VK_CONTROL] = ctrl ? 0x80 : 0;
    state[VK_MENU] = alt ? 0x80 : 0;
    ::SetKeyboardState(state);
    ::PostMessageW(window, WM_KEYDOWN, key, 0);
    state[VK_SHIFT] = savedShift;
    state[VK_CONTROL] = savedCtrl;
    state[VK_MENU] = savedAlt;
    ::SetKeyboardState(state);
}

void CLyricsPluginApp::runKeyCommand(CLyricsListBox& list, UINT key, bool shift, bool /*ctrl*/) {
    CPluginWnd& window = *pluginWnd;
    switch (key) {
        case VK_RETURN:
            seekToLine(-1);
            break;
        case VK_END:
            list.setSelection(list.count() - 1);
            centerHighlight();
            break;
        case VK_UP:
        case VK_DOWN:
            if (shift) {
                postKeyToHost(hostMain, key, false, false, false);  // Winamp's volume
            } else {
                centerHighlight();  // after the list moved its selection
            }
            break;
        case VK_INSERT:
            insertTimeTag(stampTimeAt(host.outputTime()));
            break;
        case VK_DELETE:
            removeTimeTag();
            break;
        case 'C':
            completeParagraph();
            break;
        case 'F':
            list.setSelection(list.selection() == pathLine ? 0 : pathLine);
            centerHighlight();
            break;
        case 'S':
            saveKey();
            break;
        case VK_F1:
            showHelp();
            break;
        case VK_F2:
            if (!shift) {
                ShowMenu = toggled(ShowMenu);
            } else if (ShowOsciloscope != 0 && ShowMenu != 0) {
                ShowOsciloscope = 0;
            } else {
                ShowOsciloscope = 1;
                ShowMenu = 1;
            }
            window.layoutChildren();
            break;
        case VK_F3:
            MoveBar = toggled(MoveBar);
            break;
        case VK_F4:
            openTextEditor();
            break;
        case VK_F5:
            if (shift) {
                searchOnlineByHand();
            } else {
                refreshLyrics();
            }
            break;
        case VK_F6:
            showSongInfo();
            break;
        case VK_F7:
            if (shift) {
                list.ShowVerticalScroll = toggled(list.ShowVerticalScroll);
                refreshLyrics();
            } else if (hasParentWindow(hostFrame)) {
                prompt.show(PromptOwner::HostMain,
                            "The adjust width don't apply with modern skins.", kPluginCaption,
                            PromptButtons::Ok);
                window.focusList();
            } else {
                list.AdjustWidth = toggled(list.AdjustWidth);
                refreshLyrics();
            }
            break;
        case VK_F8:
            doOneLine();
            break;
        case VK_F9:
            if (shift) {
                publishKey();
            } else {
                toggleTagEdit();
            }
            break;
        case VK_ESCAPE:
            cancelPublish();
            break;
        case VK_F11:
            window.lyricsList->ShowCentered = toggled(window.lyricsList->ShowCentered);
            refreshLyrics();
            break;
        case VK_F12:
            Config(visModule);
            break;
        case VK_OEM_4:
            nudgeTiming(-kTimingStepMs);
            break;
        case VK_OEM_6:
            nudgeTiming(kTimingStepMs);
            break;
        default:
            break;
    }
}

void CLyricsPluginApp::refreshLyrics() {
    reloadLyrics = 1;
    if (isWindowUsable()) {
        CPluginWnd& window = *pluginWnd;
        // A width change makes the list recalculate its frame, so a new scroll-bar setting shows.
        const RECT outer = window.GetWindowRect();
        const RECT list = window.lyricsList->GetWindowRect();
        const int width = 2 * (outer.right - outer.left) - (list.right - list.left) + 1;
        window.lyricsList->MoveWindow(0, 0, width, list.bottom - list.top);
        window.Invalidate();
        window.UpdateWindow();
    }
    Render(visModule);
}

void CLyricsPluginApp::showSongInfo() {
    host.showFileInfo();
}

void CLyricsPluginApp::showHelp() {
    runHelpDialog(*this);
}

void CLyricsPluginApp::seekToLine(int line) {
    CPluginWnd& window = *pluginWnd;
    if (line < 0) {
        if (isWindowUsable(window.lyricsList.get(), true)) {
            line = window.lyricsList->selection();
        } else if (isWindowUsable(window.editList.get(), true)) {
            line = window.editList->selection();
        }
        if (line < 0) {
            return;
        }
    }
    // The position the line's tag is reached at: whole seconds, or the exact millisecond.
    const int position = std::max(host.outputTime(), 0);
    int target = -1;
    if (PreciseTiming != 0) {
        const std::int64_t tagMs = tagMsForLine(line, lyricsTimeAt(position));
        if (tagMs >= 0) {
            target = static_cast<int>(std::min<std::int64_t>(positionAt(tagMs), INT_MAX));
        }
    } else {
        const int seconds = tagTimeForLine(line, position / 1000);
        if (seconds >= 0) {
            target =
                static_cast<int>(std::min<std::int64_t>(std::int64_t{seconds} * 1000, INT_MAX));
        }
    }

    bool started = false;
    if (!host.isPlaying()) {
        host.play();
        started = true;
        // The host may take a moment to report playing; the jump goes out all the same.
        for (int poll = 0; poll < kPlayPolls; ++poll) {
            if (host.isPlaying()) {
                break;
            }
            ::Sleep(kPlayPollMs);
        }
    }
    if (line == 0) {
        target = 0;  // the title line starts the song
    }
    if (target != -1) {
        host.jumpToTime(target);
    } else if (started) {
        host.jumpToTime(0);
    }
}

bool CLyricsPluginApp::loadEditLines() {
    CPluginWnd& window = *pluginWnd;
    // A second try follows a render pass that met a new song and showed the display for it.
    for (int attempt = 0; attempt < 2; ++attempt) {
        showEditList(window);
        const int loadsBefore = lyricsLoads;
        reloadLyrics = 1;
        Render(visModule);  // the raw lines of the song go into the edit list
        if (lyricsLoads != loadsBefore && isWindowUsable(window.editList.get(), true)) {
            return true;
        }
        // The pass loaded nothing (a song check not trusted, a song change, a call already
        // running): whatever the edit list holds is not this song's.
        showLyricsList(window);
        editList.clear();
        reloadLyrics = 1;
        Render(visModule);
    }
    prompt.show(PromptOwner::PluginWindow, kSongNotLoadedText, "Edit mode", PromptButtons::Ok);
    window.focusList();
    return false;
}

bool CLyricsPluginApp::toggleTagEdit() {
    CPluginWnd& window = *pluginWnd;
    CLyricsListBox& lyrics = *window.lyricsList;
    CLyricsListBox& edit = *window.editList;
    if (isWindowUsable(&lyrics, true)) {
        if (!loadEditLines()) {
            return false;
        }
        edit.SetFocus();
        edit.setSelection(std::max(lyrics.selection() - headerLines + droppedLines, 0));
    } else {
        if (modified != 0) {
            const PromptAnswer answer =
                prompt.show(PromptOwner::PluginWindow, "Changes not saved. Save?", "Save",
                            PromptButtons::YesNoCancel);
            if (answer == PromptAnswer::Yes && saveLyrics(0) == 0) {
                return false;  // the failed save reported itself; the edits stay
            }
            if (answer == PromptAnswer::Cancel) {
                edit.SetFocus();
                repaintHelpButton(window);
                centerHighlight();
                return false;
            }
        }
        showLyricsList(window);
        modified = 0;
        reloadLyrics = 1;
        Render(visModule);  // the display lines come back
        lyrics.SetFocus();
        lyrics.setSelection(
            displayLineFor(edit.selection(), headerLines, droppedLines, lyrics.count()));
    }
    repaintHelpButton(window);
    centerHighlight();
    return true;
}

void CLyricsPluginApp::saveKey() {
    if (!isWindowUsable(pluginWnd->lyricsList.get(), true)) {
        if (saveLyrics(0) != 0) {
            reloadLyrics = 1;
            Render(visModule);
            pluginWnd->editList->SetFocus();
        }
        return;
    }
    // Through edit mode, which loads the raw lines that are saved.
    if (!toggleTagEdit()) {
        return;
    }
    saveLyrics(0);
    toggleTagEdit();
}

void CLyricsPluginApp::openTextEditor() {
    CPluginWnd& window = *pluginWnd;
    if (!isWindowUsable(window.lyricsList.get(), true)) {
        prompt.show(PromptOwner::PluginWindow, "Option disabled in 'tag edit mode'.", "Edit mode",
                    PromptButtons::Ok);
        return;
    }
    // The raw lines go into the edit list, which keeps them while display mode comes back.
    if (!loadEditLines()) {
        return;
    }
    showLyricsList(window);
    modified = 0;
    Render(visModule);

    CDlgEditor editor(window);
    editor.setEditLines(*window.editList);
    editor.setCanSaveInMp3(!lyricsStoreName(songPath).empty());
    const INT_PTR result = editor.DoModal(fw::frameworkModule());
    if (result == CDlgEditor::kSaveInMp3 || result == CDlgEditor::kSaveAsLrc) {
        saveLyrics(static_cast<int>(result));
        reloadLyrics = 1;
        Render(visModule);
    }
    window.focusList();
}

}  // namespace zor
