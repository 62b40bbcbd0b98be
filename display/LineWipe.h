#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/Gdi.h"
#include "lyrics/model/WordTiming.h"
#include "lyrics/ports/Settings.h"

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

    bool operator==(const WipeColours& other) const {
        return sungBack == other.sungBack && sungText == other.sungText &&
               restBack == other.restBack && restText == other.restText;
    }
};

// Where a line's text is drawn in its item: its origin, and how many characters are put before
// the lyric text itself (the leading blank of a line that is not centred).
struct LineOrigin {
    int x = 0;
    int y = 0;
    int lead = 0;
};

// Everything the two pictures of a wiped line depend on, but its text, which changes only with
// a load (and a load clears the list and the pictures); when any of it changes they are drawn
// anew.
struct WipeLook {
    int item = -1;
    RECT area{};
    WipeColours colours{};
    int fontSize = 0;
    int fontWeight = 0;
    int fontItalic = 0;
    int centred = 0;
    std::string fontFamily;

    bool operator==(const WipeLook& other) const {
        return item == other.item && EqualRect(&area, &other.area) != FALSE &&
               colours == other.colours && fontSize == other.fontSize &&
               fontWeight == other.fontWeight && fontItalic == other.fontItalic &&
               centred == other.centred && fontFamily == other.fontFamily;
    }
};

// Paints the wiped line. The line is drawn once in the sung colours and once in the normal
// colours, off-screen; each call then copies the columns that changed from the sung picture, so
// that a wipe moving on every render call costs one small copy and never flickers.
class WipePainter {
  public:
    WipePainter() = default;
    WipePainter(const WipePainter&) = delete;
    WipePainter& operator=(const WipePainter&) = delete;

    bool matches(const WipeLook& look) const { return ready_ && look == look_; }
    // Draws both pictures of look: drawn (the text with its lead characters) with font, starting
    // at origin (list coordinates).
    void prepare(HDC dc, const WipeLook& look, const std::string& drawn, HFONT font,
                 const LineOrigin& origin);
    // Brings the line on dc up to point: the whole item, or only the columns sung since the last
    // call when wholeItem is false and the wipe moved on.
    void paint(HDC dc, const WipePoint& point, bool wholeItem);
    // Whether painting item at point would change nothing on screen: the pictures are of that
    // item and the sung part ends at the column already painted.
    bool unchanged(int item, const WipePoint& point) const {
        return ready_ && paintedX_ >= 0 && look_.item == item && sungX(point) == paintedX_;
    }
    // Forgets the pictures (a new line, a cleared list).
    void forget();

  private:
    // An off-screen picture of the item; the bitmap is put back out of the DC before either
    // goes.
    struct Surface {
        Surface() = default;
        Surface(const Surface&) = delete;
        Surface& operator=(const Surface&) = delete;
        ~Surface() { release(); }
        bool create(HDC dc, int width, int height);
        void release();

        fw::MemoryDC dc;
        fw::Bitmap bitmap;
        HGDIOBJ previous = nullptr;
    };

    int sungX(const WipePoint& point) const;
    void copy(HDC dc, const Surface& from, int left, int right) const;

    bool ready_ = false;
    WipeLook look_;
    int lead_ = 0;
    std::vector<int> boundaries_;  // item x of the start of each byte's character, and of the end
    Surface sung_;
    Surface rest_;
    int paintedX_ = -1;
};

}  // namespace zor
