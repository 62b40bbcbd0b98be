// The plug-in window: its children, their colours and layout, and keys passed on to the host.
#include "display/PluginWnd.h"

#include <algorithm>

#include "diag/TraceLog.h"
#include "display/ControlIds.h"
#include "host/LyricsPluginApp.h"

namespace zor {

namespace {

constexpr int kButtonWidth = 30;
constexpr int kButtonHeight = 20;

}  // namespace

const fw::MessageEntry<CPluginWnd> CPluginWnd::messages[] = {
    fw::mapCtlColor(&CPluginWnd::onCtlColor),
    fw::mapMessage(WM_SIZE, &CPluginWnd::onSize),
    fw::mapMessage(WM_KEYDOWN, &CPluginWnd::onKey),
    fw::mapMessage(WM_KEYUP, &CPluginWnd::onKey),
    fw::mapMessage(WM_NCCALCSIZE, &CPluginWnd::onNcCalcSize),
    fw::mapMessage(WM_DESTROY, &CPluginWnd::onDestroy),
    fw::mapMessage(kRunConfigMessage, &CPluginWnd::onRunConfig),
    fw::mapMessage(kOnlineAnswerMessage, &CPluginWnd::onOnlineAnswer),
    fw::mapMessage(kPublishAnswerMessage, &CPluginWnd::onPublishAnswer),
    fw::mapMessage(WM_TIMER, &CPluginWnd::onTimer),
};
const fw::MessageMap CPluginWnd::messageMap =
    fw::chainMessageMap(messages, &fw::CFrameWnd::classMessageMap);

// The brushes are made by the first refreshColours, at the settings load of Init, so that no
// graphics object is created while the library is being loaded.
CPluginWnd::CPluginWnd(CLyricsPluginApp& owner)
    : app(&owner),
      lyricsList(std::make_unique<CLyricsListBox>(owner, *this)),
      editList(std::make_unique<CLyricsListBox>(owner, *this)),
      toolbar(std::make_unique<CPluginToolbar>(owner)),
      titleStrip(std::make_unique<CPluginToolbar>(owner)),
      oscWnd(std::make_unique<CPluginToolbar>(owner)),
      tagsButton(
          std::make_unique<CPluginButton>(owner, kTagsIcon, "Edit/display song time tags (F9)")),
      refreshButton(std::make_unique<CPluginButton>(owner, kRefreshIcon, "Refresh (F5)")),
      helpButton(std::make_unique<CPluginButton>(owner, kHelpIcon, "Help")),
      editorButton(
          std::make_unique<CPluginButton>(owner, kEditorIcon, "Open lyric text editor (F4)")),
      configButton(
          std::make_unique<CPluginButton>(owner, kConfigIcon, "Plugin's configuration (F12)")),
      songInfoButton(std::make_unique<CPluginButton>(owner, kSongInfoIcon, "Song info (F6)")) {}

CPluginWnd::~CPluginWnd() {
    traceLine("destroy!!!");
}

void CPluginWnd::takeSettingsFrom(const CPluginWnd& other) {
    static_cast<WindowColours&>(*this) = other;
    static_cast<ListSettings&>(*lyricsList) = *other.lyricsList;
    static_cast<ListSettings&>(*editList) = *other.editList;
    lyricsList->BKColor = other.lyricsList->BKColor;
    editList->BKColor = other.editList->BKColor;
}

bool CPluginWnd::createPluginWindow(HWND hostFrame) {
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (!Create("", style, RECT{0, 0, 100, 100}, hostFrame)) {
        return false;
    }
    createChildren();
    refreshColours();
    layoutChildren();  // the children take their places before the host sizes the window
    return true;
}

void CPluginWnd::createChildren() {
    const HWND self = GetSafeHwnd();
    lyricsList->createList(self, kLyricsListId, true);
    editList->createList(self, kEditListId, false);

    const DWORD stripStyle = WS_CHILD | WS_VISIBLE | WS_DLGFRAME | SS_CENTER;
    const RECT none{0, 0, 0, 0};
    oscWnd->Create("", stripStyle, none, self, kOscWndId);
    toolbar->Create("", stripStyle, none, self, kToolbarId);
    titleStrip->Create("", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, none, toolbar->GetSafeHwnd(),
                       kTitleStripId);

    const HWND bar = toolbar->GetSafeHwnd();
    refreshButton->createButton(bar, kRefreshButtonId);
    tagsButton->createButton(bar, kTagsButtonId);
    editorButton->createButton(bar, kEditorButtonId);
    helpButton->createButton(bar, kHelpButtonId);
    songInfoButton->createButton(bar, kSongInfoButtonId);
    configButton->createButton(bar, kConfigButtonId);
}

void CPluginWnd::refreshColours() {
    lyricsList->BKColor = BKColor;
    editList->BKColor = lyricsList->BKColor;
    editList->TXTColor = lyricsList->TXTColor;
    editList->HLColor = lyricsList->HLColor;
    editList->HLTXTColor = lyricsList->HLTXTColor;
    editList->FontFamily = lyricsList->FontFamily;
    editList->FontWeight = lyricsList->FontWeight;
    editList->FontSize = lyricsList->FontSize;
    editList->FontItalic = lyricsList->FontItalic;
    editList->ShowCentered = lyricsList->ShowCentered;
    editList->AdjustWidth = lyricsList->AdjustWidth;

    bkBrush.reset(::CreateSolidBrush(BKColor));
    bkWindowBrush.reset(::CreateSolidBrush(BKWindowColor));
    oscBkBrush.reset(::CreateSolidBrush(OscBkColor));
}

void CPluginWnd::collapseChildren(int width, int height) {
    lyricsList->MoveWindow(0, 0, width, height);
    editList->MoveWindow(0, 0, width, height);
    toolbar->MoveWindow(0, 0, 0, 0);
    for (CPluginButton* button : {refreshButton.get(), tagsButton.get(), editorButton.get(),
                                  helpButton.get(), songInfoButton.get(), configButton.get()}) {
        button->MoveWindow(0, 0, 0, 0);
    }
    oscWnd->MoveWindow(0, 0, 0, 0);
    titleStrip->MoveWindow(0, 0, 0, 0);
}

void CPluginWnd::layoutChildren() {
    refreshColours();
    if (!lyricsList->IsWindow() || !oscWnd || !oscWnd->IsWindow()) {
        return;
    }
    const RECT client = GetClientRect();
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    collapseChildren(width, height);
    if (app->isReducedMode() || app->ShowMenu == 0) {
        return;  // the lists fill the window
    }
    const int oscW = app->ShowOsciloscope != 0 ? app->oscWidth : 0;
    const int band = app->oscHeight;
    lyricsList->MoveWindow(0, 0, width, height - band);
    editList->MoveWindow(0, 0, width, height - band);
    oscWnd->MoveWindow(0, height - band, oscW, band);
    toolbar->MoveWindow(oscW, height - band, width - oscW, band);
    layoutToolbar(width, oscW);
    titleStrip->Invalidate();
    toolbar->Invalidate();
    toolbar->UpdateWindow();
}

void CPluginWnd::layoutToolbar(int width, int oscW) {
    struct Place {
        CPluginButton* button;
        int x;
        int y;
    };
    const Place places[] = {
        {refreshButton.get(), 1, 1}, {tagsButton.get(), 1, 23},     {editorButton.get(), 33, 1},
        {helpButton.get(), 33, 23},  {songInfoButton.get(), 65, 1}, {configButton.get(), 65, 23},
    };
    for (const Place& place : places) {
        place.button->MoveWindow(place.x, place.y, kButtonWidth, kButtonHeight);
    }
    // A window too narrow for the strip leaves it without width: it does not show.
    titleStrip->MoveWindow(98, 1, std::max(0, width - oscW - 102), 40);
}

void CPluginWnd::focusList() {
    CLyricsListBox* list = nullptr;
    if (app->isWindowUsable(lyricsList.get(), true)) {
        list = lyricsList.get();
    } else if (app->isWindowUsable(editList.get(), true)) {
        list = editList.get();
    }
    if (list == nullptr) {
        return;
    }
    list->SetFocus();
    if (list->selection() < 0 && list->count() > 0) {
        list->setSelection(0);
    }
}

LRESULT CPluginWnd::onCtlColor(const fw::WindowMessage& m) {
    const auto dc = reinterpret_cast<HDC>(m.wParam);
    switch (m.message) {
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            ::SetBkColor(dc, BKColor);
            return reinterpret_cast<LRESULT>(bkBrush.get());
        case WM_CTLCOLORSTATIC:
            if (::GetDlgCtrlID(reinterpret_cast<HWND>(m.lParam)) == static_cast<int>(kOscWndId)) {
                ::SetBkColor(dc, OscBkColor);
                return reinterpret_cast<LRESULT>(oscBkBrush.get());
            }
            ::SetBkColor(dc, BKWindowColor);
            return reinterpret_cast<LRESULT>(bkWindowBrush.get());
        default:
            return Default(m);
    }
}

LRESULT CPluginWnd::onSize(const fw::WindowMessage& m) {
    Default(m);
    traceLine("antes");
    layoutChildren();
    return 0;
}

// Keys that reach this window rather than a list still control the host.
LRESULT CPluginWnd::onKey(const fw::WindowMessage& m) {
    Default(m);
    ::PostMessageW(app->hostMain, m.message, m.wParam, HIWORD(m.lParam));
    return 0;
}

LRESULT CPluginWnd::onNcCalcSize(const fw::WindowMessage& m) {
    ModifyStyleEx(WS_EX_CLIENTEDGE, 0);
    return Default(m);
}

LRESULT CPluginWnd::onRunConfig(const fw::WindowMessage& /*m*/) {
    app->Config(app->visModule);
    return 0;
}

LRESULT CPluginWnd::onOnlineAnswer(const fw::WindowMessage& m) {
    app->onlineAnswered(static_cast<std::uint32_t>(m.wParam));
    return 0;
}

LRESULT CPluginWnd::onPublishAnswer(const fw::WindowMessage& m) {
    app->publishAnswered(static_cast<std::uint32_t>(m.wParam));
    return 0;
}

LRESULT CPluginWnd::onTimer(const fw::WindowMessage& m) {
    if (m.wParam == kPublishTimer) {
        app->publishTick();
        return 0;
    }
    return Default(m);
}

LRESULT CPluginWnd::onDestroy(const fw::WindowMessage& m) {
    traceLine("CPluginWnd::OnDestroy()");
    app->saveSettings();
    app->releaseOscSurface();
    Default(m);
    ::PostQuitMessage(0);
    return 0;
}

void CPluginWnd::PostNcDestroy() {
    app->pluginWindowDestroyed(*this);
    fw::CFrameWnd::PostNcDestroy();  // deletes this
}

}  // namespace zor
