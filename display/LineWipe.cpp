// The wipe of a word-timed line: the sung part in the highlight colours, the rest in the normal
// colours, composed off-screen.
#include "display/LineWipe.h"

#include <algorithm>

#include "framework/Gdi.h"

namespace zor {

namespace {

int textWidth(HDC dc, const std::string& text, int characters) {
    const int count = std::clamp(characters, 0, static_cast<int>(text.size()));
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text.c_str(), count, &size);
    return size.cx;
}

void fill(HDC dc, const RECT& rect, Colour colour) {
    const fw::Brush brush(::CreateSolidBrush(colour));
    ::FillRect(dc, &rect, brush.get());
}

void textIn(HDC dc, const RECT& clip, int x, int y, const std::string& text, Colour colour) {
    ::SetTextColor(dc, colour);
    ::ExtTextOutA(dc, x, y, ETO_CLIPPED, &clip, text.c_str(), static_cast<UINT>(text.size()),
                  nullptr);
}

}  // namespace

void drawWipedLine(HDC dc, const RECT& area, const std::string& text, const LineOrigin& origin,
                   const WipePoint& point, const WipeColours& colours) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    fw::MemoryDC memory(::CreateCompatibleDC(dc));
    fw::Bitmap bitmap(::CreateCompatibleBitmap(dc, width, height));
    if (!memory || !bitmap) {
        return;
    }
    const fw::ScopedSelect selectBitmap(memory.get(), bitmap.get());
    const fw::ScopedSelect selectFont(memory.get(), ::GetCurrentObject(dc, OBJ_FONT));

    // Item coordinates: the item's left edge is 0 in the off-screen picture.
    const int x = origin.x - area.left;
    const int y = origin.y - area.top;
    const int from = x + textWidth(memory.get(), text, origin.lead + point.from);
    const int to = x + textWidth(memory.get(), text, origin.lead + point.to);
    const int sung = std::clamp(from + static_cast<int>((to - from) * point.fraction), 0, width);

    const RECT sungPart{0, 0, sung, height};
    const RECT restPart{sung, 0, width, height};
    fill(memory.get(), sungPart, colours.sungBack);
    fill(memory.get(), restPart, colours.restBack);
    ::SetBkMode(memory.get(), TRANSPARENT);
    textIn(memory.get(), sungPart, x, y, text, colours.sungText);
    textIn(memory.get(), restPart, x, y, text, colours.restText);
    ::BitBlt(dc, area.left, area.top, width, height, memory.get(), 0, 0, SRCCOPY);
}

}  // namespace zor
