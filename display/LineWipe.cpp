// The wipe of a word-timed line: the sung part in the highlight colours, the rest in the normal
// colours, copied from two pictures drawn off-screen.
#include "display/LineWipe.h"

#include <algorithm>

namespace zor {

namespace {

void fill(HDC dc, const RECT& rect, Colour colour) {
    const fw::Brush brush(::CreateSolidBrush(colour));
    ::FillRect(dc, &rect, brush.get());
}

void drawLine(HDC dc, const RECT& rect, int x, int y, const std::string& text, Colour back,
              Colour colour) {
    fill(dc, rect, back);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, colour);
    ::TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
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
    drawLine(sung_.dc.get(), item, x, y, drawn, look.colours.sungBack, look.colours.sungText);
    drawLine(rest_.dc.get(), item, x, y, drawn, look.colours.restBack, look.colours.restText);

    // Every character's start in one measurement.
    const int count = static_cast<int>(drawn.size());
    std::vector<int> extents(drawn.size());
    SIZE size{};
    ::GetTextExtentExPointA(sung_.dc.get(), drawn.c_str(), count, 0, nullptr, extents.data(),
                            &size);
    boundaries_.assign(1, x);
    for (const int extent : extents) {
        boundaries_.push_back(x + extent);
    }
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
