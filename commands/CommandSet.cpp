// The commands keys and buttons run, as operations of the application object.
#include "commands/CommandSet.h"

#include "display/PluginWnd.h"
#include "host/HostWindows.h"
#include "host/LyricsPluginApp.h"

namespace zor {

namespace {

constexpr const char* kPluginCaption = "Maresh's Zor Lyrics plugin!!!!";

int toggled(int flag) {
    return flag == 0 ? 1 : 0;
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
    ::PostMessageA(window, WM_KEYDOWN, key, 0);
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
            insertTimeTag(host.outputTime());
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
            refreshLyrics();
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
            toggleTagEdit();
            break;
        case VK_F11:
            window.lyricsList->ShowCentered = toggled(window.lyricsList->ShowCentered);
            refreshLyrics();
            break;
        case VK_F12:
            Config(visModule);
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

void CLyricsPluginApp::seekToLine(int /*line*/) {}

void CLyricsPluginApp::toggleTagEdit() {}

void CLyricsPluginApp::saveKey() {}

void CLyricsPluginApp::openTextEditor() {}

void CLyricsPluginApp::showHelp() {}

}  // namespace zor
