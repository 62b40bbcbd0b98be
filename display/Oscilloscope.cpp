// The oscilloscope: waveform traces, the logo that pulses with the bass and the highlighted
// lyric line sliding across, drawn off-screen and copied to its pane in one go.
#include "display/Oscilloscope.h"

#include <algorithm>
#include <array>
#include <cwchar>
#include <string>

#include "display/PluginWnd.h"
#include "host/LyricsPluginApp.h"
#include "lyrics/platform/WideText.h"

namespace zor {

namespace {

constexpr COLORREF kLogoShadow = 0x323232;
constexpr COLORREF kLogoColour = 0x646464;
constexpr COLORREF kTickerShadow = 0x646464;
constexpr COLORREF kTickerColour = 0xC8C8C8;
constexpr int kLogoEscapement = 150;
constexpr int kTickerHeight = 20;

fw::Font arialFont(int height, int escapement) {
    LOGFONTW font{};
    font.lfHeight = height;
    font.lfEscapement = escapement;
    font.lfWeight = FW_NORMAL;
    std::wcsncpy(font.lfFaceName, L"Arial", LF_FACESIZE - 1);
    return fw::Font(::CreateFontIndirectW(&font));
}

void drawText(HDC dc, int x, int y, COLORREF colour, const std::wstring& text) {
    ::SetTextColor(dc, colour);
    ::TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

struct OscGeometry {
    int width;
    int height;
};

// The logo, and while the lyrics list shows, the selected line climbing from right to left.
void drawOscWords(HDC dc, const OscGeometry& geometry, int& tickerX, double glow,
                  const std::string& line, bool withTicker) {
    const int oscWidth = geometry.width;
    const int oscHeight = geometry.height;
    const double slope = -static_cast<double>(oscHeight + 10) / static_cast<double>(oscWidth + 50);
    const fw::Font logoFont(arialFont(static_cast<int>(glow / 255.0 * 80.0), kLogoEscapement));
    const fw::Font tickerFont(
        arialFont(kTickerHeight, -static_cast<int>(slope * 180.0 / osc::kPi * 10.0)));
    const UINT oldAlign = ::GetTextAlign(dc);
    const int cx = oscWidth / 2;
    {
        const fw::ScopedSelect select(dc, logoFont.get());
        ::SetTextAlign(dc, TA_CENTER | TA_TOP);
        ::SetBkMode(dc, TRANSPARENT);
        drawText(dc, cx + 2, 2, kLogoShadow, L"Zor");
        drawText(dc, cx, 0, kLogoColour, L"Zor");
    }
    if (withTicker) {
        const fw::ScopedSelect select(dc, tickerFont.get());
        const int y = static_cast<int>(tickerX * slope + (oscHeight + 10));
        ::SetTextAlign(dc, TA_LEFT | TA_BOTTOM);
        ::SetBkMode(dc, TRANSPARENT);
        const std::wstring wideLine = win::toWide(line);
        drawText(dc, tickerX + 2, y + 2, kTickerShadow, wideLine);
        drawText(dc, tickerX, y, kTickerColour, wideLine);
        SIZE extent{};
        ::GetTextExtentPoint32W(dc, wideLine.c_str(), static_cast<int>(wideLine.size()), &extent);
        --tickerX;
        if (tickerX + extent.cx < 0) {
            tickerX = oscWidth + 50;
        }
    }
    ::SetTextAlign(dc, oldAlign);
}

// Only the top-left part shows: the pane's frame leaves less client area than the surface.
void copyToPane(HDC surface, CPluginToolbar& pane) {
    if (surface == nullptr || !pane.IsWindow()) {
        return;
    }
    const RECT client = pane.GetClientRect();
    fw::WindowDC paneDC(pane.GetSafeHwnd());
    ::BitBlt(paneDC.get(), 0, 0, client.right - client.left, client.bottom - client.top, surface, 0,
             0, SRCCOPY);
}

}  // namespace

void CLyricsPluginApp::createOscSurface() {
    releaseOscSurface();
    CLyricsListBox& list = *pluginWnd->lyricsList;
    fw::WindowDC listDC(list.GetSafeHwnd());
    oscDC.reset(::CreateCompatibleDC(listDC.get()));
    oscBitmap.reset(::CreateCompatibleBitmap(listDC.get(), oscWidth, oscHeight));
    if (!oscDC || !oscBitmap) {
        releaseOscSurface();  // a surface that draws nothing
        return;
    }
    oscOldBitmap = ::SelectObject(oscDC.get(), oscBitmap.get());
    // The surface holds this pen between frames; the configuration dialog may replace it.
    if (!oscPen) {
        oscPen.reset(::CreatePen(PS_SOLID, 1, pluginWnd->OscColor));
    }
    ::SelectObject(oscDC.get(), oscPen.get());
    const RECT all{0, 0, oscWidth, oscHeight};
    ::FillRect(oscDC.get(), &all, pluginWnd->oscBkBrush.get());
    copyToPane(oscDC.get(), *pluginWnd->oscWnd);
}

void CLyricsPluginApp::releaseOscSurface() {
    if (oscDC) {
        // The pen and the bitmap must not stay selected into a context that goes away.
        if (oscOldBitmap != nullptr) {
            ::SelectObject(oscDC.get(), oscOldBitmap);
        }
        ::SelectObject(oscDC.get(), ::GetStockObject(BLACK_PEN));
    }
    oscDC.reset();
    oscBitmap.reset();
    oscOldBitmap = nullptr;
}

void CLyricsPluginApp::drawOscFrame() {
    if (!oscDC || visModule == nullptr || !isWindowUsable()) {
        return;
    }
    const HDC dc = oscDC.get();
    const winampVisModule& module = *visModule;
    const double glow = osc::glowLevel(module.spectrumData);
    const RECT all{0, 0, oscWidth, oscHeight};
    ::FillRect(dc, &all, pluginWnd->oscBkBrush.get());

    {
        const fw::Pen pen(::CreatePen(PS_SOLID, 1, pluginWnd->OscColor));
        const fw::ScopedSelect select(dc, pen.get());
        const int channels = std::clamp(module.nCh, 0, osc::kMaxTraces);
        // One polyline per trace draws the same pixels as a move and a line per segment, in a
        // third of the time.
        std::array<POINT, sizeof module.waveformData[0]> points{};
        const int count = std::clamp(oscWidth, 0, static_cast<int>(points.size()));
        for (int c = 0; c < channels; ++c) {
            const unsigned char* samples = module.waveformData[c];
            for (int x = 0; x < count; ++x) {
                points[static_cast<std::size_t>(x)] =
                    POINT{x, osc::traceY(c, channels, samples[x])};
            }
            if (count > 1) {
                ::Polyline(dc, points.data(), count);
            }
        }
    }

    CLyricsListBox& list = *pluginWnd->lyricsList;
    const int selected = list.selection();
    if (selected >= 0) {
        drawOscWords(dc, OscGeometry{oscWidth, oscHeight}, tickerX, glow, list.text(selected),
                     isWindowUsable(&list, true));
    }
    copyToPane(oscDC.get(), *pluginWnd->oscWnd);
}

}  // namespace zor
