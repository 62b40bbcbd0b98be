// The time-tag table: sorting after a load, the tag reached at a playback second, and the tag of a
// line nearest to a playback position.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <utility>

#include "lyrics/model/LyricsCore.h"

namespace zor {

namespace {

// The number of entries in use: those ahead of the end entry.
int tagsInUse(const TimeTagTable& table) {
    int n = 0;
    while (n < kTimeTagTableSize && table[static_cast<std::size_t>(n)].line >= 0) {
        ++n;
    }
    return n;
}

}  // namespace

// An exchange sort, kept because its tie order is relied on: lineAtSecond takes the last of
// several tags with the same second, and which one that is follows from these exchanges.
void LyricsCore::sortTimeTags() {
    const auto n = static_cast<std::size_t>(tagsInUse(timeTags));
    // Lyrics are mostly tagged in order, and on an ordered table the exchange sort moves nothing.
    const auto later = [](const TimeTag& a, const TimeTag& b) { return a.seconds > b.seconds; };
    if (std::adjacent_find(timeTags.begin(), timeTags.begin() + n, later) == timeTags.begin() + n) {
        return;
    }
    // Entry h is held aside while the rest is scanned, and each exchange is made by selection
    // rather than by a branch: the order of the seconds is data the processor cannot predict.
    for (std::size_t h = 0; h < n; ++h) {
        TimeTag held = timeTags[h];
        for (std::size_t l = h + 1; l < n; ++l) {
            const TimeTag other = timeTags[l];
            const bool exchange = other.seconds < held.seconds;
            timeTags[l] = exchange ? held : other;
            held = exchange ? other : held;
        }
        timeTags[h] = held;
    }
}

int LyricsCore::lineAtSecond(int second) const {
    const int n = tagsInUse(timeTags);
    int i = 0;
    while (i < n && timeTags[static_cast<std::size_t>(i)].seconds <= second) {
        ++i;
    }
    return i > 0 ? i - 1 : kNoEntry;
}

int LyricsCore::tagTimeForLine(int line, int now) const {
    const std::int64_t position = now < 0 ? 0 : now;
    std::int64_t best = std::numeric_limits<std::int64_t>::max();
    int result = -1;
    const int n = tagsInUse(timeTags);
    for (int i = 0; i < n; ++i) {
        const TimeTag& tag = timeTags[static_cast<std::size_t>(i)];
        const std::int64_t distance = std::llabs(position - tag.seconds);
        if (tag.line == line && distance < best) {
            best = distance;
            result = tag.seconds;
        }
    }
    return result;
}

}  // namespace zor
