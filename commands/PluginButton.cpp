// The toolbar's icon buttons: owner drawing, and the tooltip painted onto the toolbar.
#include "commands/PluginButton.h"

#include <cwchar>
#include <utility>

#include "display/PluginWnd.h"
#include "framework/WinApp.h"
#include "host/LyricsPluginApp.h"
#include "lyrics/platform/WideText.h"

namespace zor {

namespace {

constexpr COLORREF kTooltipFill = 0x96FFFF;  // pale yellow
constexpr COLORREF kTooltipBorder = 0x000000;
constexpr int kTooltipPoints = 9;
constexpr int kDefaultIconSize = 32;

// An icon of the library's resources at one size, destroyed after use.
class LoadedIcon {
  public:
    LoadedIcon(int id, SIZE size)
        : icon_(static_cast<HICON>(::LoadImageW(fw::frameworkModule(), MAKEINTRESOURCEW(id),
                                                IMAGE_ICON, size.cx, size.cy, LR_DEFAULTCOLOR))) {}
    ~LoadedIcon() {
        if (icon_ != nullptr) {
            ::DestroyIcon(icon_);
        }
    }
    LoadedIcon(const LoadedIcon&) = delete;
    LoadedIcon& operator=(const LoadedIcon&) = delete;

    HICON get() const { return icon_; }

  private:
    HICON icon_;
};

fw::Font tooltipFont(HDC dc) {
    LOGFONTW font{};
    font.lfHeight = -::MulDiv(kTooltipPoints, ::GetDeviceCaps(dc, LOGPIXELSY), 72);
    font.lfWeight = FW_NORMAL;
    font.lfPitchAndFamily = FIXED_PITCH;
    std::wcsncpy(font.lfFaceName, L"Arial", LF_FACESIZE - 1);
    return fw::Font(::CreateFontIndirectW(&font));
}

void drawLine(HDC dc, POINT from, POINT to) {
    ::MoveToEx(dc, from.x, from.y, nullptr);
    ::LineTo(dc, to.x, to.y);
}

POINT pointOf(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

const fw::MessageEntry<CPluginButton> CPluginButton::messages[] = {
    fw::mapMessage(WM_MOUSEMOVE, &CPluginButton::onMouseMove),
    fw::mapMessage(WM_LBUTTONDOWN, &CPluginButton::onLButtonDown),
    fw::mapMessage(WM_LBUTTONUP, &CPluginButton::onLButtonUp),
};
const fw::MessageMap CPluginButton::messageMap =
    fw::chainMessageMap(messages, &fw::CButton::classMessageMap);

CPluginButton::CPluginButton(CLyricsPluginApp& owner, int iconResource, std::string tooltipText)
    : app(&owner),
      iconSize{::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON)},
      textColor(::GetSysColor(COLOR_BTNTEXT)),
      initialIcon_(iconResource),
      initialTooltip_(std::move(tooltipText)) {}

CPluginButton::~CPluginButton() {
    releaseBackground();
}

bool CPluginButton::createButton(HWND parent, UINT id) {
    if (!Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, RECT{0, 0, 20, 20}, parent, id)) {
        return false;
    }
    setFontHeight(14);
    setFontWeight(FW_NORMAL);
    setIcon(initialIcon_);
    setTooltip(initialTooltip_);
    setIconSize(16, 16);
    return true;
}

void CPluginButton::setTooltip(const std::string& text) {
    tooltipText = text;
    tooltipEnabled = true;
}

void CPluginButton::setFontHeight(int height) {
    fontHeight = height;
    makeCaptionFont();
}

void CPluginButton::setFontWeight(int weight) {
    fontWeight = weight;
    makeCaptionFont();
}

void CPluginButton::makeCaptionFont() {
    LOGFONTW font{};
    font.lfHeight = fontHeight;
    font.lfWidth = fontWidth;
    font.lfWeight = fontWeight;
    font.lfItalic = fontItalic;
    font.lfUnderline = fontUnderline;
    font.lfStrikeOut = fontStrikeOut;
    font.lfPitchAndFamily = fontPitchAndFamily;
    font.lfCharSet = fontCharSet;
    win::toWide(captionFace).copy(font.lfFaceName, LF_FACESIZE - 1);
    captionFont.reset(::CreateFontIndirectW(&font));
}

HWND CPluginButton::toolbarWindow() const {
    return GetParent();
}

// ---- drawing --------------------------------------------------------------------------------

void CPluginButton::DrawItem(const DRAWITEMSTRUCT& item) {
    // The repaint covers whatever the tooltip painted; its saved pixels are stale now.
    tooltipShown = false;
    releaseBackground();
    lastItemState = static_cast<int>(item.itemState);

    const HDC dc = item.hDC;
    RECT area = item.rcItem;
    ::FillRect(dc, &area, ::GetSysColorBrush(COLOR_BTNFACE));
    ::DrawFrameControl(dc, &area, DFC_BUTTON, DFCS_BUTTONPUSH);

    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const SIZE size{iconSize.cx != 0 ? iconSize.cx : kDefaultIconSize,
                    iconSize.cy != 0 ? iconSize.cy : kDefaultIconSize};
    int x = (area.right - size.cx) / 2;
    int y = (area.bottom - size.cy) / 2;
    if (selected) {
        ++x;
        ++y;
    }
    if (iconId != 0) {
        const LoadedIcon icon(iconId, size);
        if (icon.get() != nullptr) {
            ::DrawIconEx(dc, area.left + x, area.top + y, icon.get(), size.cx, size.cy, 0, nullptr,
                         DI_NORMAL);
        }
    }

    if ((item.itemState & ODS_FOCUS) != 0) {
        const fw::Brush frame(::CreateSolidBrush(::GetSysColor(COLOR_3DDKSHADOW)));
        ::FrameRect(dc, &area, frame.get());
        RECT inner = area;
        ::InflateRect(&inner, -4, -4);
        ::DrawFocusRect(dc, &inner);
    }
    if (selected) {
        const fw::Pen shadow(::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_3DDKSHADOW)));
        const fw::Pen highlight(::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT)));
        const POINT bottomLeft{area.left, area.bottom - 1};
        const POINT topRight{area.right - 1, area.top};
        {
            const fw::ScopedSelect select(dc, shadow.get());
            drawLine(dc, bottomLeft, POINT{area.left, area.top});
            ::LineTo(dc, topRight.x, topRight.y);
        }
        const fw::ScopedSelect select(dc, highlight.get());
        ::MoveToEx(dc, topRight.x, topRight.y, nullptr);
        ::LineTo(dc, area.right - 1, area.bottom - 1);
        ::LineTo(dc, bottomLeft.x, bottomLeft.y);
    }
}

// ---- tooltip --------------------------------------------------------------------------------

void CPluginButton::showTooltip() {
    if (!tooltipEnabled) {
        return;
    }
    const HWND toolbar = toolbarWindow();
    {
        const fw::WindowDC measure(toolbar);
        const auto font = reinterpret_cast<HFONT>(::SendMessageW(toolbar, WM_GETFONT, 0, 0));
        const HGDIOBJ previous = font != nullptr ? ::SelectObject(measure.get(), font) : nullptr;
        SIZE text{};
        const std::wstring wide = win::toWide(tooltipText);
        ::GetTextExtentPoint32W(measure.get(), wide.c_str(), static_cast<int>(wide.size()), &text);
        if (previous != nullptr) {
            ::SelectObject(measure.get(), previous);
        }
        tooltipSize = SIZE{text.cx + 4, text.cy};
    }
    if (tooltipShown) {
        return;
    }
    saved_.toolbarDC = fw::WindowDC(toolbar);
    const HDC dc = saved_.toolbarDC.get();

    RECT box{0, 0, tooltipSize.cx, tooltipSize.cy};
    ::OffsetRect(&box, hoverPoint.x, hoverPoint.y);
    ::MapWindowPoints(GetSafeHwnd(), nullptr, reinterpret_cast<POINT*>(&box), 2);
    RECT bar{};
    ::GetWindowRect(toolbar, &bar);
    if (box.right > bar.right) {
        ::OffsetRect(&box, -(box.right - bar.right + 5), 0);  // ends inside the toolbar
    }
    ::MapWindowPoints(nullptr, toolbar, reinterpret_cast<POINT*>(&box), 2);
    ::OffsetRect(&box, 0, -((box.bottom - box.top) / 2));  // centred on the mouse
    tooltipRect = box;

    saved_.pixelsDC.reset(::CreateCompatibleDC(dc));
    saved_.pixels.reset(::CreateCompatibleBitmap(dc, tooltipSize.cx, tooltipSize.cy));
    saved_.previousBitmap = ::SelectObject(saved_.pixelsDC.get(), saved_.pixels.get());
    ::BitBlt(saved_.pixelsDC.get(), 0, 0, tooltipSize.cx, tooltipSize.cy, dc, box.left, box.top,
             SRCCOPY);
    paintTooltip(dc);
    tooltipShown = true;
}

void CPluginButton::paintTooltip(HDC dc) {
    const fw::Brush fill(::CreateSolidBrush(kTooltipFill));
    const fw::Pen border(::CreatePen(PS_SOLID, 1, kTooltipBorder));
    const fw::Font font(tooltipFont(dc));
    const fw::ScopedSelect selectBrush(dc, fill.get());
    const fw::ScopedSelect selectPen(dc, border.get());
    const fw::ScopedSelect selectFont(dc, font.get());
    ::Rectangle(dc, tooltipRect.left, tooltipRect.top, tooltipRect.right, tooltipRect.bottom);
    ::SetBkMode(dc, TRANSPARENT);
    RECT box = tooltipRect;
    const std::wstring wide = win::toWide(tooltipText);
    ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &box,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CPluginButton::hideTooltip() {
    if (tooltipShown && saved_.pixelsDC) {
        ::BitBlt(saved_.toolbarDC.get(), tooltipRect.left, tooltipRect.top, tooltipSize.cx,
                 tooltipSize.cy, saved_.pixelsDC.get(), 0, 0, SRCCOPY);
    }
    releaseBackground();
    tooltipShown = false;
}

void CPluginButton::releaseBackground() {
    if (saved_.pixelsDC && saved_.previousBitmap != nullptr) {
        ::SelectObject(saved_.pixelsDC.get(), saved_.previousBitmap);
    }
    saved_.previousBitmap = nullptr;
    saved_.pixelsDC.reset();
    saved_.pixels.reset();
    saved_.toolbarDC.reset();
}

// ---- mouse ----------------------------------------------------------------------------------

LRESULT CPluginButton::onMouseMove(const fw::WindowMessage& m) {
    const POINT point = pointOf(m.lParam);
    const RECT client = GetClientRect();
    if (::PtInRect(&client, point) != FALSE) {
        if (m.wParam == 0) {
            ::SetCapture(GetSafeHwnd());  // to learn when the mouse leaves
        }
        if ((m.wParam & MK_LBUTTON) == 0 && !hovering) {
            hoverPoint = point;
            showTooltip();
        }
        hovering = true;
    } else {
        hideTooltip();
        ::ReleaseCapture();
        hovering = false;
        app->pluginWnd->focusList();
    }
    return Default(m);
}

LRESULT CPluginButton::onLButtonDown(const fw::WindowMessage& m) {
    hideTooltip();  // before the button takes its pressed look
    ::ReleaseCapture();
    return Default(m);
}

// The click runs the command inside the default processing; then keys go back to the lyrics.
LRESULT CPluginButton::onLButtonUp(const fw::WindowMessage& m) {
    const LRESULT result = Default(m);
    if (IsWindow()) {
        ::SetCapture(GetSafeHwnd());
    }
    app->pluginWnd->focusList();
    return result;
}

}  // namespace zor
