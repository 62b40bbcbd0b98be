// The wipe of a word-timed line: the sung part in the highlight colours, the rest in the normal
// colours, copied from two pictures drawn off-screen.
#include "display/LineWipe.h"

#include <algorithm>

#include "lyrics/platform/WideText.h"
#include "lyrics/text/Utf8.h"

namespace zor {

namespace {

void fill(HDC dc, const RECT& rect, Colour colour) {
    const fw::Brush brush(::CreateSolidBrush(colour));
    ::FillRect(dc, &rect, brush.get());
}

void drawLine(HDC dc, const RECT& rect, int x, int y, const std::wstring& text, Colour back,
              Colour colour) {
    fill(dc, rect, back);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, colour);
    ::TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

// The x at which each byte of the UTF-8 text starts, from x, and then its end: word marks count
// in bytes, the font measures UTF-16 units. A byte inside a character gets its character's start;
// a character beyond U+FFFF is two units.
std::vector<int> byteBoundaries(HDC dc, const std::string& utf8, const std::wstring& wide, int x) {
    const int units = static_cast<int>(wide.size());
    std::vector<int> extents(wide.size());
    SIZE size{};
    ::GetTextExtentExPointW(dc, wide.c_str(), units, 0, nullptr, extents.data(), &size);
    const auto startOfUnit = [&](int unit) {
        return unit <= 0 || units == 0
                   ? x
                   : x + extents[static_cast<std::size_t>(std::min(unit, units) - 1)];
    };
    std::vector<int> boundaries;
    boundaries.reserve(utf8.size() + 1);
    int unit = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t end = i + 1;
        while (end < utf8.size() && isUtf8Continuation(utf8[end])) {
            ++end;
        }
        boundaries.insert(boundaries.end(), end - i, startOfUnit(unit));
        unit += static_cast<unsigned char>(utf8[i]) >= 0xF0U ? 2 : 1;
        i = end;
    }
    boundaries.push_back(startOfUnit(units));
    return boundaries;
}

}  // namespace

bool WipePainter::Surface::create(HDC reference, int width, int height) {
    release();
    dc = fw::MemoryDC(::CreateCompatibleDC(reference));
    bitmap = fw::Bitmap(::CreateCompatibleBitmap(reference, width, height));
    if (!dc || !bitmap) {
        return false;
    }
    previous = ::SelectObject(dc.get(), bitmap.get());
    return true;
}

void WipePainter::Surface::release() {
    if (dc && previous != nullptr) {
        ::SelectObject(dc.get(), previous);
    }
    previous = nullptr;
    bitmap.reset();
    dc.reset();
}

void WipePainter::prepare(HDC dc, const WipeLook& look, const std::string& drawn, HFONT font,
                          const LineOrigin& origin) {
    forget();
    const int width = look.area.right - look.area.left;
    const int height = look.area.bottom - look.area.top;
    if (width <= 0 || height <= 0 || !sung_.create(dc, width, height) ||
        !rest_.create(dc, width, height)) {
        forget();
        return;
    }
    const RECT item{0, 0, width, height};
    const int x = origin.x - look.area.left;
    const int y = origin.y - look.area.top;
    for (Surface* surface : {&sung_, &rest_}) {
        ::SelectObject(surface->dc.get(), font);
    }
    const std::wstring wide = win::toWide(drawn);
    drawLine(sung_.dc.get(), item, x, y, wide, look.colours.sungBack, look.colours.sungText);
    drawLine(rest_.dc.get(), item, x, y, wide, look.colours.restBack, look.colours.restText);

    // Every character's start in one measurement.
    boundaries_ = byteBoundaries(sung_.dc.get(), drawn, wide, x);
    // The font goes back out before the caller deletes it.
    for (Surface* surface : {&sung_, &rest_}) {
        ::SelectObject(surface->dc.get(), ::GetStockObject(SYSTEM_FONT));
    }
    look_ = look;
    lead_ = origin.lead;
    ready_ = true;
}

int WipePainter::sungX(const WipePoint& point) const {
    const auto boundary = [this](int character) {
        const int index =
            std::clamp(lead_ + character, 0, static_cast<int>(boundaries_.size()) - 1);
        return boundaries_[static_cast<std::size_t>(index)];
    };
    const int from = boundary(point.from);
    const int to = boundary(point.to);
    const int width = look_.area.right - look_.area.left;
    return std::clamp(from + static_cast<int>((to - from) * point.fraction), 0, width);
}

void WipePainter::copy(HDC dc, const Surface& from, int left, int right) const {
    if (right > left) {
        ::BitBlt(dc, look_.area.left + left, look_.area.top, right - left,
                 look_.area.bottom - look_.area.top, from.dc.get(), left, 0, SRCCOPY);
    }
}

void WipePainter::paint(HDC dc, const WipePoint& point, bool wholeItem) {
    if (!ready_) {
        return;
    }
    const int x = sungX(point);
    if (!wholeItem && x == paintedX_) {
        return;
    }
    if (wholeItem || paintedX_ < 0 || x < paintedX_) {
        copy(dc, sung_, 0, x);
        copy(dc, rest_, x, look_.area.right - look_.area.left);
    } else {
        copy(dc, sung_, paintedX_, x);
    }
    paintedX_ = x;
}

void WipePainter::forget() {
    sung_.release();
    rest_.release();
    boundaries_.clear();
    ready_ = false;
    paintedX_ = -1;
}

}  // namespace zor
