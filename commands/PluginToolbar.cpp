// The toolbar strip: the six buttons' commands and the song-title strip.
#include "commands/PluginToolbar.h"

#include <cwchar>
#include <string>

#include "display/ControlIds.h"
#include "display/PluginWnd.h"
#include "framework/Gdi.h"
#include "host/LyricsPluginApp.h"
#include "lyrics/platform/WideText.h"

namespace zor {

namespace {

constexpr const char* kNoArtist = "(Artist unavailable)";

fw::Font titleFont() {
    LOGFONTW font{};
    font.lfHeight = 12;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = ANSI_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = FF_SWISS;
    std::wcsncpy(font.lfFaceName, L"Arial", LF_FACESIZE - 1);
    return fw::Font(::CreateFontIndirectW(&font));
}

// Draws text centred across area at y and answers its height.
int drawCentred(HDC dc, const RECT& area, int y, const std::string& text) {
    const std::wstring wide = win::toWide(text);
    SIZE size{};
    ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    const int x = (area.right - area.left) / 2 - size.cx / 2;
    ::TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
    return size.cy;
}

int textHeight(HDC dc, const std::string& text) {
    const std::wstring wide = win::toWide(text);
    SIZE size{};
    ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cy;
}

}  // namespace

// Owner draw reaches only the title strip (the one pane with that style); the commands reach
// only the buttons' parent, the toolbar. Only clicks run a command, not the double-click
// notification that owner-drawn buttons send as well.
const fw::MessageEntry<CPluginToolbar> CPluginToolbar::messages[] = {
    fw::mapReflected(WM_DRAWITEM, &CPluginToolbar::onDrawTitle),
    fw::mapCommand(kTagsButtonId, BN_CLICKED, &CPluginToolbar::onTimeTags),
    fw::mapCommand(kHelpButtonId, BN_CLICKED, &CPluginToolbar::onHelpOrSave),
    fw::mapCommand(kEditorButtonId, BN_CLICKED, &CPluginToolbar::onTextEditor),
    fw::mapCommand(kRefreshButtonId, BN_CLICKED, &CPluginToolbar::onRefresh),
    fw::mapCommand(kConfigButtonId, BN_CLICKED, &CPluginToolbar::onConfig),
    fw::mapCommand(kSongInfoButtonId, BN_CLICKED, &CPluginToolbar::onSongInfo),
};
const fw::MessageMap CPluginToolbar::messageMap =
    fw::chainMessageMap(messages, &fw::CStatic::classMessageMap);

LRESULT CPluginToolbar::onDrawTitle(const fw::WindowMessage& m) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam);
    const HDC dc = item.hDC;
    const RECT area = item.rcItem;
    const CPluginWnd& window = *app->pluginWnd;
    {
        const fw::Brush fill(::CreateSolidBrush(window.BKWindowColor));
        ::FillRect(dc, &area, fill.get());
    }
    const fw::Font font(titleFont());
    const fw::ScopedSelect select(dc, font.get());
    ::SetTextColor(dc, window.lyricsList->TXTColor);
    ::SetBkColor(dc, window.BKWindowColor);
    ::SetBkMode(dc, OPAQUE);

    // Right after a live timing adjustment, its notice stands in for the title; so does what
    // the online step has to say.
    std::string notice = app->timingNotice();
    if (notice.empty()) {
        notice = app->onlineNotice();
    }
    drawCentred(dc, area, area.top + 3, notice.empty() ? app->songTitle : notice);
    if (app->songArtist.empty()) {
        app->songArtist = kNoArtist;
    }
    const int artistHeight = textHeight(dc, app->songArtist);
    drawCentred(dc, area, area.top + artistHeight + 2, app->songArtist);
    const std::string pathLine = app->titleStripPathLine();
    const int pathHeight = textHeight(dc, pathLine);
    drawCentred(dc, area, area.top + 2 * pathHeight + 1, pathLine);
    return TRUE;
}

LRESULT CPluginToolbar::onTimeTags(const fw::WindowMessage& /*m*/) {
    app->toggleTagEdit();
    return 0;
}

LRESULT CPluginToolbar::onHelpOrSave(const fw::WindowMessage& /*m*/) {
    if (app->isWindowUsable(app->pluginWnd->lyricsList.get(), true)) {
        app->showHelp();
    } else {
        app->saveLyrics(0);  // the save button of time-tag edit mode: no reload afterwards
    }
    return 0;
}

LRESULT CPluginToolbar::onTextEditor(const fw::WindowMessage& /*m*/) {
    app->openTextEditor();
    return 0;
}

LRESULT CPluginToolbar::onRefresh(const fw::WindowMessage& /*m*/) {
    app->refreshLyrics();
    return 0;
}

LRESULT CPluginToolbar::onConfig(const fw::WindowMessage& /*m*/) {
    app->Config(app->visModule);
    return 0;
}

LRESULT CPluginToolbar::onSongInfo(const fw::WindowMessage& /*m*/) {
    app->showSongInfo();
    return 0;
}

}  // namespace zor
