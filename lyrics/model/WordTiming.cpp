// Word timing: the marks of each line and the progress of the wipe.
#include "lyrics/model/WordTiming.h"

#include <algorithm>
#include <utility>

namespace zor {

namespace {

// The last word of a line without an end mark lasts until the next line, but no longer than
// this; with no next line, the default.
constexpr std::int64_t kLongestLastWordMs = 3000;
constexpr std::int64_t kDefaultLastWordMs = 1000;

struct Point {
    int position;
    std::int64_t ms;
};

std::vector<Point> wipePoints(const std::vector<WordMark>& marks, int textLength,
                              std::int64_t lineMs) {
    std::vector<Point> points;
    points.reserve(marks.size() + 2);
    if (marks.front().position > 0) {
        points.push_back({0, 0});
    }
    for (const WordMark& mark : marks) {
        // Out-of-order times would wipe backwards; a word never starts before the one ahead.
        const std::int64_t ms = points.empty() ? mark.ms : std::max(mark.ms, points.back().ms);
        points.push_back({std::min(mark.position, textLength), ms});
    }
    const std::int64_t last = points.back().ms;
    if (points.back().position < textLength) {
        const std::int64_t length =
            lineMs > last ? std::min(lineMs - last, kLongestLastWordMs) : kDefaultLastWordMs;
        points.push_back({textLength, last + length});
    }
    return points;
}

}  // namespace

WipePoint wipeAt(const std::vector<WordMark>& marks, int textLength, std::int64_t elapsedMs,
                 std::int64_t lineMs) {
    if (marks.empty() || textLength <= 0) {
        return WipePoint{};
    }
    const std::vector<Point> points = wipePoints(marks, textLength, lineMs);
    if (elapsedMs < points.front().ms) {
        return WipePoint{points.front().position, points.front().position, 0.0};
    }
    std::size_t k = 0;
    while (k + 1 < points.size() && points[k + 1].ms <= elapsedMs) {
        ++k;
    }
    if (k + 1 == points.size()) {
        return WipePoint{points[k].position, points[k].position, 0.0};
    }
    const Point& from = points[k];
    const Point& to = points[k + 1];
    const double fraction =
        static_cast<double>(elapsedMs - from.ms) / static_cast<double>(to.ms - from.ms);
    return WipePoint{from.position, to.position, fraction};
}

void WordTimings::set(int line, std::vector<WordMark> marks) {
    if (marks.empty()) {
        forget(line);
    } else {
        lines_[line] = std::move(marks);
    }
}

const std::vector<WordMark>* WordTimings::find(int line) const {
    const auto found = lines_.find(line);
    return found == lines_.end() ? nullptr : &found->second;
}

void WordTimings::removeLinesBefore(int first, int removed) {
    std::map<int, std::vector<WordMark>> kept;
    for (auto& [line, marks] : lines_) {
        if (line >= first) {
            kept.emplace(line - removed, std::move(marks));
        }
    }
    lines_ = std::move(kept);
}

}  // namespace zor
