#pragma once

#include <windows.h>

#include <string>

#include "framework/Button.h"
#include "framework/Gdi.h"

namespace zor {

class CLyricsPluginApp;

// An owner-drawn push button of the toolbar: one icon, and a tooltip it paints onto the toolbar
// itself (no tooltip window) while the mouse rests on it. While the mouse is inside, the button
// holds the mouse capture; that is how it learns that the mouse left.
class CPluginButton : public fw::CButton {
    ZOR_MESSAGE_MAP(CPluginButton);

  public:
    // The icon and tooltip are applied when the button is created (createButton).
    CPluginButton(CLyricsPluginApp& owner, int iconResource, std::string tooltipText);
    ~CPluginButton() override;
    CPluginButton(const CPluginButton&) = delete;
    CPluginButton& operator=(const CPluginButton&) = delete;

    // A child of the toolbar, without window text, with the toolbar buttons' caption font, icon
    // size, icon and tooltip.
    bool createButton(HWND parent, UINT id);

    void setTooltip(const std::string& text);
    // Shows at the next repaint; callers that change it invalidate the button.
    void setIcon(int id) { iconId = id; }
    void setIconSize(int width, int height) { iconSize = SIZE{width, height}; }
    void setFontHeight(int height);
    void setFontWeight(int weight);
    void showTooltip();
    void hideTooltip();

    CLyricsPluginApp* app;
    bool tooltipShown = false;
    bool hovering = false;
    bool iconOnRight = false;  // for a captioned button; the toolbar's have no caption
    int fontHeight = 0;
    int fontWidth = 0;
    int fontWeight = 0;
    BYTE fontItalic = 0;
    BYTE fontUnderline = 0;
    BYTE fontStrikeOut = 0;
    BYTE fontPitchAndFamily = 0;
    BYTE fontCharSet = 0;
    SIZE iconSize;
    int iconId = 0;
    COLORREF textColor;
    fw::Font captionFont;
    std::string captionFace;
    bool tooltipEnabled = false;
    std::string tooltipText;
    SIZE tooltipSize{};
    POINT hoverPoint{};
    RECT tooltipRect{};
    int lastItemState = 0;

  protected:
    void DrawItem(const DRAWITEMSTRUCT& item) override;

  private:
    // The toolbar pixels under the tooltip, kept to put back when it goes.
    struct SavedBackground {
        fw::WindowDC toolbarDC;
        fw::MemoryDC pixelsDC;
        fw::Bitmap pixels;
        HGDIOBJ previousBitmap = nullptr;
    };

    void makeCaptionFont();
    void releaseBackground();
    void paintTooltip(HDC dc);
    HWND toolbarWindow() const;

    LRESULT onMouseMove(const fw::WindowMessage& m);
    LRESULT onLButtonDown(const fw::WindowMessage& m);
    LRESULT onLButtonUp(const fw::WindowMessage& m);

    SavedBackground saved_;
    int initialIcon_;
    std::string initialTooltip_;
};

}  // namespace zor
