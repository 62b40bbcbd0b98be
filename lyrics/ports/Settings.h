#pragma once

#include <cstdint>
#include <string>

#include "lyrics/online/OnlineServer.h"

namespace zor {

// Colours are 0x00BBGGRR, as the platform's colour references.
using Colour = std::uint32_t;

inline constexpr std::size_t kFontFamilyCapacity = 50;
inline constexpr std::size_t kAlternativePathCapacity = 512;

// Settings held by the plug-in object, named as their plugin.ini keys.
struct AppSettings {
    int Screen_x = 50;
    int Screen_y = 50;
    int ScreenWidth = 600;
    int ScreenHeight = 300;
    int CenterHighlight = 1;
    int MoveBar = 1;
    int ShowMenu = 1;
    int ShowOsciloscope = 1;
    std::string AlternativeLRCPath;
    int IsOneLine = 0;
    // The code page of lyrics files that are neither marked nor UTF-8; 0 is the ANSI code page.
    int CodePage = 0;
    // Timing to the millisecond: tag fractions, [offset:], the live adjustment, the wipe.
    int PreciseTiming = 0;
    // Output latency in milliseconds (-5000..5000): the lyrics show this much later.
    int LatencyMs = 0;
    // Files that are neither marked nor UTF-8 are read in the code page their bytes suggest,
    // while CodePage is 0.
    int DetectCodePage = 1;
    // Every line timed the same as the current line is drawn highlighted with it.
    int SameTimeLines = 0;
    // Ask the online lyrics service for songs without lyrics; off, so nothing goes out unasked.
    int OnlineLyrics = 0;
    // The service's address. Plain http is refused for anything but this machine.
    std::string OnlineServer = kDefaultOnlineServer;
};

inline constexpr std::size_t kOnlineServerCapacity = 512;

inline constexpr int kLargestLatencyMs = 5000;

// Settings held by the plug-in window: the backgrounds and the oscilloscope colours.
struct WindowColours {
    Colour BKColor = 657930;         // 0x0A0A0A
    Colour BKWindowColor = 3947580;  // 0x3C3C3C
    Colour OscBkColor = 4669769;     // 0x474149
    Colour OscColor = 12245206;      // 0xBAD8D6
};

// Settings held by the lyrics list: text colours, the font and the list's own switches. The edit
// list holds a copy that it never reads from the file.
struct ListSettings {
    int ShowCentered = 1;
    int AdjustWidth = 0;
    int ShowVerticalScroll = 0;
    Colour TXTColor = 15790320;  // 0xF0F0F0
    Colour HLColor = 0;
    Colour HLTXTColor = 16777088;  // 0xFFFF80
    std::string FontFamily = "Arial";
    int FontWeight = 400;
    int FontSize = 8;
    int FontItalic = 0;
};

}  // namespace zor
