// The owner-drawn lyrics list: line font, measuring and drawing, and the key dispatch.
#include "display/LyricsListBox.h"

#include <algorithm>
#include <utility>

#include "display/PluginWnd.h"
#include "host/HostWindows.h"
#include "host/LyricsPluginApp.h"
#include "lyrics/platform/WideText.h"

namespace zor {

namespace {

enum class KeyKind {
    command,           // the command runs; no default processing, nothing to Winamp
    listThenCommand,   // the list moves its selection, then the command runs
    winampOnly,        // posted to Winamp; no default processing
    defaultAndWinamp,  // default processing, then posted to Winamp
    ignored,           // nothing at all
};

enum class When {
    always,
    shift,
    noShift,
    ctrl,
    inEditList,
    inLyricsList,
    shiftInEditList,
    preciseTiming,
    publishing
};

struct KeyRule {
    UINT key;
    When when;
    KeyKind kind;
};

// The first rule of a key whose condition holds decides; keys without one go to the list and to
// Winamp alike.
constexpr KeyRule kKeyRules[] = {
    {VK_RETURN, When::always, KeyKind::command},
    {VK_END, When::always, KeyKind::command},
    {VK_LEFT, When::always, KeyKind::winampOnly},
    {VK_RIGHT, When::always, KeyKind::winampOnly},
    {VK_UP, When::shift, KeyKind::command},  // the volume, posted with the modifiers released
    {VK_DOWN, When::shift, KeyKind::command},
    {VK_UP, When::noShift, KeyKind::listThenCommand},
    {VK_DOWN, When::noShift, KeyKind::listThenCommand},
    {VK_INSERT, When::inEditList, KeyKind::command},
    {VK_INSERT, When::always, KeyKind::ignored},
    {VK_DELETE, When::inEditList, KeyKind::command},
    {VK_DELETE, When::always, KeyKind::ignored},
    {'C', When::shiftInEditList, KeyKind::command},
    {'F', When::inLyricsList, KeyKind::command},
    {'F', When::always, KeyKind::ignored},
    {'S', When::ctrl, KeyKind::command},
    {'S', When::always, KeyKind::ignored},
    {VK_F1, When::always, KeyKind::command},
    {VK_F2, When::always, KeyKind::command},
    {VK_F3, When::always, KeyKind::command},
    {VK_F4, When::always, KeyKind::command},
    {VK_F5, When::always, KeyKind::command},
    {VK_F6, When::always, KeyKind::command},
    {VK_F7, When::always, KeyKind::command},
    {VK_F8, When::always, KeyKind::command},
    {VK_F9, When::always, KeyKind::command},
    {VK_F11, When::always, KeyKind::command},
    {VK_F12, When::always, KeyKind::command},
    // The live timing adjustment; without precise timing the keys go on as before.
    {VK_OEM_4, When::preciseTiming, KeyKind::command},  // "[": lyrics 0.1 s later
    {VK_OEM_6, When::preciseTiming, KeyKind::command},  // "]": lyrics 0.1 s earlier
    {VK_ESCAPE, When::publishing, KeyKind::command},    // cancels the publish under way
};

// Releases of these keys are swallowed whole.
constexpr UINT kSilentReleases[] = {VK_RETURN, VK_LEFT,   VK_UP,    VK_RIGHT,
                                    VK_DOWN,   VK_INSERT, VK_DELETE};

struct Modifiers {
    bool shift;
    bool ctrl;
};

// Held means the state byte is 0x80 or 0x81: the high bit, whatever the toggle bit says.
Modifiers readModifiers() {
    BYTE state[256] = {};
    ::GetKeyboardState(state);
    auto held = [&state](int key) { return state[key] == 0x80 || state[key] == 0x81; };
    return Modifiers{held(VK_SHIFT), held(VK_CONTROL)};
}

// What else than the modifiers a key's rule may depend on.
struct KeyContext {
    bool lyricsList;  // the key came to the lyrics list, not the edit list
    bool precise;     // PreciseTiming is on
    bool publishing;  // a publish is under way
};

bool conditionHolds(When when, Modifiers modifiers, KeyContext context) {
    const bool lyricsList = context.lyricsList;
    switch (when) {
        case When::shift:
            return modifiers.shift;
        case When::noShift:
            return !modifiers.shift;
        case When::ctrl:
            return modifiers.ctrl;
        case When::inEditList:
            return !lyricsList;
        case When::inLyricsList:
            return lyricsList;
        case When::shiftInEditList:
            return modifiers.shift && !lyricsList;
        case When::preciseTiming:
            return context.precise;
        case When::publishing:
            return context.publishing;
        case When::always:
        default:
            return true;
    }
}

KeyKind kindOfKey(UINT key, Modifiers modifiers, KeyContext context) {
    for (const KeyRule& rule : kKeyRules) {
        if (rule.key == key && conditionHolds(rule.when, modifiers, context)) {
            return rule.kind;
        }
    }
    return KeyKind::defaultAndWinamp;
}

bool isSilentRelease(UINT key) {
    for (const UINT silent : kSilentReleases) {
        if (silent == key) {
            return true;
        }
    }
    return false;
}

SIZE textExtent(HDC dc, const std::string& text) {
    const std::wstring wide = win::toWide(text);
    SIZE size{};
    ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size;
}

}  // namespace

const fw::MessageEntry<CLyricsListBox> CLyricsListBox::messages[] = {
    fw::mapMessage(WM_NCCALCSIZE, &CLyricsListBox::onNcCalcSize),
    fw::mapMessage(WM_KEYUP, &CLyricsListBox::onKeyUp),
    fw::mapMessage(WM_KEYDOWN, &CLyricsListBox::onKeyDown),
    fw::mapMessage(WM_CHAR, &CLyricsListBox::onChar),
    fw::mapMessage(WM_LBUTTONDBLCLK, &CLyricsListBox::onLButtonDblClk),
};
const fw::MessageMap CLyricsListBox::messageMap =
    fw::chainMessageMap(messages, &fw::CListBox::classMessageMap);

CLyricsListBox::CLyricsListBox(CLyricsPluginApp& owner, CPluginWnd& window)
    : app(&owner), pluginWnd(&window) {}

bool CLyricsListBox::createList(HWND parent, UINT id, bool visible) {
    DWORD style = WS_CHILD | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS |
                  LBS_OWNERDRAWVARIABLE | LBS_NOTIFY;
    if (visible) {
        style |= WS_VISIBLE;
    }
    return Create(style, RECT{0, 0, 20, 20}, parent, id);
}

bool CLyricsListBox::isLyricsList() const {
    return pluginWnd->lyricsList.get() == this;
}

void CLyricsListBox::resetList() {
    ResetContent();
    sameTime_.clear();
    wipes_.clear();
    wipePainters_.clear();
    wipeDC_.reset();
    widestItem = kLeastWidestItem;
    itemHeight = 0;
    // The previous song's widest line must not leave its scroll range behind.
    SetHorizontalExtent(0);
}

fw::Font CLyricsListBox::makeLineFont(HDC dc, int index) const {
    int points = FontSize;
    if (isLyricsList() && index >= 1 && index < app->headerLines) {
        --points;
    }
    LOGFONTW font{};
    font.lfHeight = -::MulDiv(points, ::GetDeviceCaps(dc, LOGPIXELSY), 72);
    font.lfWeight = FontWeight;
    font.lfItalic = static_cast<BYTE>(FontItalic & 0xFF);
    font.lfCharSet = ANSI_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = FIXED_PITCH;
    const std::wstring face = win::toWide(FontFamily);
    face.copy(font.lfFaceName, LF_FACESIZE - 1);
    return fw::Font(::CreateFontIndirectW(&font));
}

// ---- LineList -------------------------------------------------------------------------------

void CLyricsListBox::append(const std::string& text) {
    AddString(text);
}

void CLyricsListBox::insert(int index, const std::string& text) {
    InsertString(index, text);
}

void CLyricsListBox::remove(int index) {
    DeleteString(index);
}

std::string CLyricsListBox::text(int index) const {
    return GetText(index);
}

int CLyricsListBox::count() const {
    return IsWindow() ? GetCount() : 0;
}

int CLyricsListBox::selection() const {
    if (!IsWindow()) {
        return -1;
    }
    const int selected = GetCurSel();
    return selected < 0 ? -1 : selected;
}

void CLyricsListBox::setSelection(int index) {
    SetCurSel(index);
}

void CLyricsListBox::clear() {
    resetList();
}

void CLyricsListBox::setRedraw(bool on) {
    SetRedraw(on);
}

bool CLyricsListBox::isVisible() const {
    return app->isWindowUsable(this, true);
}

// ---- drawing --------------------------------------------------------------------------------

SIZE CLyricsListBox::measureLine(HDC dc, int index) const {
    // GetText holds the item to 511 characters, so the probe letters always fit.
    const std::string probe = GetText(index) + "MjM";
    const fw::Font font = makeLineFont(dc, index);
    const fw::ScopedSelect select(dc, font.get());
    return textExtent(dc, probe);
}

void CLyricsListBox::noteWidth(int width) {
    if (width > widestItem) {
        const bool extent = AdjustWidth != 0 && !hasParentWindow(app->hostFrame);
        SetHorizontalExtent(extent ? width : 0);
        widestItem = width;
    }
}

void CLyricsListBox::MeasureItem(MEASUREITEMSTRUCT& item) {
    fw::WindowDC dc(GetSafeHwnd());
    if (!dc) {
        return;
    }
    const SIZE size = measureLine(dc.get(), static_cast<int>(item.itemID));
    if (itemHeight == 0) {
        itemHeight = size.cy;
    }
    item.itemWidth = static_cast<UINT>(size.cx);
    item.itemHeight = static_cast<UINT>(itemHeight);
    noteWidth(size.cx);
}

void CLyricsListBox::measureWidths() {
    fw::WindowDC dc(GetSafeHwnd());
    if (!dc) {
        return;
    }
    widestItem = kLeastWidestItem;
    SetHorizontalExtent(0);
    const int lines = count();
    for (int index = 0; index < lines; ++index) {
        noteWidth(measureLine(dc.get(), index).cx);
    }
}

void CLyricsListBox::showWipes(const std::vector<LineWipe>& next) {
    if (next == wipes_) {
        return;
    }
    const auto sameItem = [](const LineWipe& a, const LineWipe& b) { return a.item == b.item; };
    if (!std::equal(next.begin(), next.end(), wipes_.begin(), wipes_.end(), sameItem)) {
        const std::vector<LineWipe> previous = std::move(wipes_);
        wipes_ = next;
        wipeDC_.reset();
        // A line no longer wiped loses its pictures and is drawn as the list draws it.
        bool redrawn = false;
        for (const LineWipe& line : previous) {
            if (wipeOf(line.item) == nullptr) {
                wipePainters_.erase(line.item);
                redrawItem(line.item);
                redrawn = true;
            }
        }
        if (redrawn) {
            UpdateWindow();
        }
    } else {
        wipes_ = next;
    }
    for (const LineWipe& line : wipes_) {
        // Most calls move a wipe by a pixel or none; none costs nothing. (A scroll that moves
        // the item repaints it whole through the list's own drawing.)
        const auto painter = wipePainters_.find(line.item);
        if (painter != wipePainters_.end() && painter->second.unchanged(line.item, line.point)) {
            continue;
        }
        RECT area{};
        if (isJoinedItem(line.item) || !GetItemRect(line.item, area)) {
            continue;
        }
        // Straight onto the window: the wipe moves on every render call, and a paint message
        // for each would redraw the whole item.
        // The list's DC is kept while the same lines are wiped (released when the wipe moves to
        // other lines, ends, or the list is refilled): asking for it on every call costs more
        // than the copy.
        if (!wipeDC_) {
            wipeDC_ = fw::WindowDC(GetSafeHwnd());
        }
        if (wipeDC_) {
            paintWipe(wipeDC_.get(), line, area, false);
        }
    }
}

const LineWipe* CLyricsListBox::wipeOf(int index) const {
    const auto found = std::find_if(wipes_.begin(), wipes_.end(),
                                    [index](const LineWipe& line) { return line.item == index; });
    return found == wipes_.end() ? nullptr : &*found;
}

void CLyricsListBox::showSameTime(const std::vector<int>& lines) {
    if (lines == sameTime_) {
        return;
    }
    for (const int line : sameTime_) {
        redrawItem(line);
    }
    for (const int line : lines) {
        redrawItem(line);
    }
    sameTime_ = lines;
}

bool CLyricsListBox::isSameTimeLine(int index) const {
    return sameTime_.size() > 1 && isLyricsList() && selection() == sameTime_.back() &&
           std::find(sameTime_.begin(), sameTime_.end(), index) != sameTime_.end();
}

bool CLyricsListBox::isJoinedItem(int index) const {
    return isSameTimeLine(index) && app->IsOneLine != 0 && index == sameTime_.back();
}

void CLyricsListBox::redrawGroupIfMoved(int before) {
    if (sameTime_.empty() || selection() == before) {
        return;
    }
    for (const int line : sameTime_) {
        redrawItem(line);
    }
    UpdateWindow();
}

std::string CLyricsListBox::joinedSameTimeText() const {
    std::vector<int> lines = sameTime_;
    std::sort(lines.begin(), lines.end());
    std::string text;
    for (const int line : lines) {
        if (!text.empty()) {
            text += "  /  ";
        }
        text += GetText(line);
    }
    return text;
}

void CLyricsListBox::redrawItem(int index) {
    RECT rect{};
    if (GetItemRect(index, rect)) {
        InvalidateRect(&rect, false);  // the item paints all of itself: no erase
    }
}

LineOrigin CLyricsListBox::placeLine(HDC dc, std::string& line, const RECT& area) const {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (ShowCentered != 0 && isLyricsList()) {
        const SIZE size = textExtent(dc, line);
        return LineOrigin{width / 2 - size.cx / 2, area.top + height / 2 - size.cy / 2, 0};
    }
    line.insert(line.begin(), ' ');
    return LineOrigin{area.left, area.top + height / 2 - textExtent(dc, "Mj").cy / 2, 1};
}

void CLyricsListBox::paintWipe(HDC dc, const LineWipe& line, const RECT& area, bool wholeItem) {
    WipeLook look;
    look.item = line.item;
    look.area = area;
    look.colours = WipeColours{HLColor, HLTXTColor, BKColor, TXTColor};
    look.fontSize = FontSize;
    look.fontWeight = FontWeight;
    look.fontItalic = FontItalic;
    look.centred = ShowCentered;
    look.fontFamily = FontFamily;
    WipePainter& painter = wipePainters_[line.item];
    if (!painter.matches(look)) {
        const fw::Font font = makeLineFont(dc, line.item);
        std::string drawn = GetText(line.item);
        LineOrigin origin;
        {
            const fw::ScopedSelect select(dc, font.get());
            origin = placeLine(dc, drawn, area);
        }
        painter.prepare(dc, look, drawn, font.get(), origin);
    }
    painter.paint(dc, line.point, wholeItem);
}

void CLyricsListBox::DrawItem(const DRAWITEMSTRUCT& item) {
    const int index = static_cast<int>(item.itemID);
    if (index < 0) {
        return;  // an empty list asking for a focus rectangle
    }
    const bool sameTime = isSameTimeLine(index);
    // One line shows: the selected item holds the whole group.
    const bool joined = sameTime && isJoinedItem(index);
    std::string line = joined ? joinedSameTimeText() : GetText(index);
    const HDC dc = item.hDC;
    const fw::Font font = makeLineFont(dc, index);
    const fw::ScopedSelect select(dc, font.get());

    const bool selected = (item.itemState & ODS_SELECTED) != 0 || sameTime;
    const LineWipe* const wipe = wipeOf(index);
    const bool wiped = selected && wipe != nullptr && isLyricsList() && !joined;
    RECT area = item.rcItem;
    const bool fillSelected = selected && (item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0;
    // A plain item drawn whole is filled too: a line that leaves a group or a wipe is redrawn
    // without an erase, over its highlight. (Elsewhere the fill repeats the erased background.)
    const bool fillPlain = !selected && (item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0;
    if ((fillSelected || fillPlain) && !wiped) {
        const fw::Brush fill(::CreateSolidBrush(fillSelected ? HLColor : BKColor));
        ::FillRect(dc, &area, fill.get());
    }
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, selected ? HLTXTColor : TXTColor);

    if (wiped) {
        paintWipe(dc, *wipe, area, true);
        return;
    }
    const LineOrigin origin = placeLine(dc, line, area);
    const std::wstring wideLine = win::toWide(line);
    ::TextOutW(dc, origin.x, origin.y, wideLine.c_str(), static_cast<int>(wideLine.size()));
}

// ---- messages -------------------------------------------------------------------------------

LRESULT CLyricsListBox::onNcCalcSize(const fw::WindowMessage& m) {
    if (isLyricsList()) {
        if (ShowVerticalScroll != 0) {
            ModifyStyle(0, WS_VSCROLL);
        } else {
            ModifyStyle(WS_VSCROLL, 0);
        }
    }
    return Default(m);
}

LRESULT CLyricsListBox::onKeyDown(const fw::WindowMessage& m) {
    const auto key = static_cast<UINT>(m.wParam);
    const Modifiers modifiers = readModifiers();
    const int before = selection();
    const KeyContext context{isLyricsList(), app->PreciseTiming != 0, app->publishRun.running()};
    switch (kindOfKey(key, modifiers, context)) {
        case KeyKind::command:
            app->runKeyCommand(*this, key, modifiers.shift, modifiers.ctrl);
            break;
        case KeyKind::listThenCommand:
            Default(m);
            redrawGroupIfMoved(before);
            app->runKeyCommand(*this, key, modifiers.shift, modifiers.ctrl);
            break;
        case KeyKind::winampOnly:
            postToHost(WM_KEYDOWN, m);
            break;
        case KeyKind::defaultAndWinamp:
            Default(m);
            redrawGroupIfMoved(before);
            postToHost(WM_KEYDOWN, m);
            break;
        case KeyKind::ignored:
        default:
            break;
    }
    return 0;
}

LRESULT CLyricsListBox::onKeyUp(const fw::WindowMessage& m) {
    const auto key = static_cast<UINT>(m.wParam);
    const bool adjustmentKey = app->PreciseTiming != 0 && (key == VK_OEM_4 || key == VK_OEM_6);
    if (isSilentRelease(key) || adjustmentKey) {
        return 0;
    }
    Default(m);
    postToHost(WM_KEYUP, m);
    return 0;
}

// No search by typed letters.
LRESULT CLyricsListBox::onChar(const fw::WindowMessage& /*m*/) {
    return 0;
}

LRESULT CLyricsListBox::onLButtonDblClk(const fw::WindowMessage& /*m*/) {
    app->seekToLine(-1);
    return 0;
}

// The host gets the virtual key and the key's flags word; the repeat count stays here.
void CLyricsListBox::postToHost(UINT message, const fw::WindowMessage& m) const {
    ::PostMessageW(app->hostMain, message, m.wParam, HIWORD(m.lParam));
}

}  // namespace zor
