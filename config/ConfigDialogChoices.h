#pragma once

#include <algorithm>
#include <optional>
#include <string>

#include "lyrics/model/TextLimits.h"
#include "lyrics/ports/Settings.h"
#include "lyrics/text/Utf8.h"

// What the configuration dialog does with a choice once it is made: which setting a check box
// or a colour swatch edits, how a chosen font becomes the font settings, and the font summary.
// Kept apart from the dialog's window code so that every choice can be made and checked without
// the system's choosers.
namespace zor {

// The settings the dialog edits, wherever each is held.
struct ConfigSettings {
    AppSettings& app;
    WindowColours& window;
    ListSettings& list;
};

// The check boxes in the order the dialog reads and writes them.
inline constexpr int kCheckBoxIds[] = {1002, 1004, 1003, 1008, 1007, 1009, 1010, 1060, 1062, 1063, 1064};

// The colour swatches, in the order a click is tested against them.
inline constexpr int kSwatchIds[] = {1300, 1301, 1302, 1303, 1304, 1305, 1306};
inline constexpr int kOscColourSwatchId = 1305;
inline constexpr int kFontSummaryId = 1308;

// The flag a check box edits, or null for any other control.
inline int* checkBoxSetting(const ConfigSettings& settings, int controlId) {
    switch (controlId) {
        case 1002:
            return &settings.app.CenterHighlight;
        case 1004:
            return &settings.app.ShowMenu;
        case 1003:
            return &settings.app.ShowOsciloscope;
        case 1008:
            return &settings.list.ShowCentered;
        case 1007:
            return &settings.list.AdjustWidth;
        case 1009:
            return &settings.list.ShowVerticalScroll;
        case 1010:
            return &settings.app.MoveBar;
        case 1060:
            return &settings.app.PreciseTiming;
        case 1062:
            return &settings.app.DetectCodePage;
        case 1063:
            return &settings.app.SameTimeLines;
        case 1064:
            return &settings.app.OnlineLyrics;
        default:
            return nullptr;
    }
}

// The colour a swatch shows and edits, or null for any other control.
inline Colour* swatchColour(const ConfigSettings& settings, int controlId) {
    switch (controlId) {
        case 1300:
            return &settings.window.BKColor;
        case 1301:
            return &settings.list.TXTColor;
        case 1302:
            return &settings.list.HLColor;
        case 1303:
            return &settings.list.HLTXTColor;
        case 1304:
            return &settings.window.OscBkColor;
        case 1305:
            return &settings.window.OscColor;
        case 1306:
            return &settings.window.BKWindowColor;
        default:
            return nullptr;
    }
}

// A font as the font chooser answers it.
struct FontChoice {
    std::string faceName;
    int weight = 400;
    int italic = 0;
    int pointSizeTenths = 80;
};

// The chooser's size is in tenths of a point; the setting keeps whole points, cut down.
inline void applyFontChoice(ListSettings& list, const FontChoice& choice) {
    list.FontSize = choice.pointSizeTenths / 10;
    list.FontWeight = choice.weight;
    list.FontItalic = choice.italic != 0 ? 1 : 0;
    list.FontFamily = cutToChars(choice.faceName, kFontFamilyCapacity - 1);
}

// "Arial, 8, Normal": face, points, Normal for weight 400 and Bold for any other, then Italic.
inline std::string fontSummary(const ListSettings& list) {
    std::string summary = list.FontFamily + ", " + std::to_string(list.FontSize) + ", " +
                          (list.FontWeight == 400 ? "Normal" : "Bold");
    if (list.FontItalic != 0) {
        summary += ", Italic";
    }
    return summary;
}

// The latency field's text as the setting keeps it: a whole number of milliseconds, held to
// -5000..5000; nothing for a text that is no number, which leaves the setting as it was.
inline std::optional<int> latencyFromText(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    const bool negative = i < text.size() && text[i] == '-';
    if (negative || (i < text.size() && text[i] == '+')) {
        ++i;
    }
    long long value = 0;
    std::size_t digits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && digits < 12; ++i, ++digits) {
        value = value * 10 + (text[i] - '0');
    }
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    if (digits == 0 || i != text.size()) {
        return std::nullopt;
    }
    value = negative ? -value : value;
    return static_cast<int>(std::clamp<long long>(value, -kLargestLatencyMs, kLargestLatencyMs));
}

// The folder browser's answer as the setting keeps it: at most 511 characters.
inline std::string storedAlternativePath(const std::string& chosen) {
    return cutToChars(chosen, kAlternativePathCapacity - 1);
}

// The folder browser starts at drive C when no folder has been chosen yet.
inline std::string browserStartPath(const std::string& alternativePath) {
    return alternativePath.empty() ? std::string("c:") : alternativePath;
}

// A click hits a control when it lies on the control's rectangle, its edges included.
inline bool hitsRect(int x, int y, int left, int top, int right, int bottom) {
    return x >= left && x <= right && y >= top && y <= bottom;
}

}  // namespace zor
