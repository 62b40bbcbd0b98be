#pragma once

#include <windows.h>

#include <string>

#include "config/Settings.h"
#include "lyrics/model/WordTiming.h"

namespace zor {

// The wipe over the highlighted line of a word-timed song: which list item, and how far it is
// sung. No item (-1) means no wipe.
struct LineWipe {
    int item = -1;
    WipePoint point;

    bool operator==(const LineWipe& other) const {
        return item == other.item && point == other.point;
    }
    bool operator!=(const LineWipe& other) const { return !(*this == other); }
};

struct WipeColours {
    Colour sungBack;
    Colour sungText;
    Colour restBack;
    Colour restText;
};

// Where a line's text is drawn in its item: its origin, and how many characters are put before
// the lyric text itself (the leading blank of a line that is not centred).
struct LineOrigin {
    int x = 0;
    int y = 0;
    int lead = 0;
};

// Draws item area of dc as a wipe: text (as drawn, lead characters first) up to the sung point
// in the sung colours, the rest in the normal ones. The item is composed off-screen with the
// font selected into dc and copied in one piece, so it never flickers.
void drawWipedLine(HDC dc, const RECT& area, const std::string& text, const LineOrigin& origin,
                   const WipePoint& point, const WipeColours& colours);

}  // namespace zor
