// The time-tag table: sorting after a load, the tag reached at a playback time, and the tag of a
// line nearest to a playback position.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <utility>
#include <vector>

#include "lyrics/model/LyricsCore.h"

namespace zor {

namespace {

// The time a table is ordered and searched by.
struct BySeconds {
    std::int64_t operator()(const TimeTag& tag) const { return tag.seconds; }
};
struct ByMs {
    std::int64_t operator()(const TimeTag& tag) const { return tag.ms; }
};

// Up to this many tags the exchange sort takes a few milliseconds; beyond it, its square time
// would stall the host for a file of many thousand tags.
constexpr int kLargestExchangeSort = 4096;

// An exchange sort, kept because its tie order is relied on: the tag reached is the last of
// several tags with the same time, and which one that is follows from these exchanges. A
// larger table, which no lyrics could hold before the table grew, is sorted keeping tags of
// the same time in reading order.
template <typename Time>
void exchangeSort(TimeTagTable& table, Time time) {
    // Lyrics are mostly tagged in order, and on an ordered table the exchange sort moves nothing.
    const auto later = [time](const TimeTag& a, const TimeTag& b) { return time(a) > time(b); };
    if (std::adjacent_find(table.begin(), table.end(), later) == table.end()) {
        return;
    }
    const int n = table.size();
    if (n > kLargestExchangeSort) {
        std::stable_sort(table.begin(), table.end(),
                         [time](const TimeTag& a, const TimeTag& b) { return time(a) < time(b); });
        return;
    }
    // Entry h is held aside while the rest is scanned, exchanging it with each entry earlier
    // than the one held. The scan stops where nothing later is earlier than what is held,
    // which the least time of each suffix tells; only the part a pass scanned changes, so only
    // that part of the suffix times is made again. Lyrics mostly in order scan a few entries a
    // pass instead of the whole rest of the table.
    const auto count = static_cast<std::size_t>(n);
    std::vector<std::int64_t> times(count);
    std::vector<std::int64_t> leastFrom(count + 1, std::numeric_limits<std::int64_t>::max());
    for (std::size_t i = count; i-- > 0;) {
        times[i] = time(table[static_cast<int>(i)]);
        leastFrom[i] = std::min(times[i], leastFrom[i + 1]);
    }
    const auto tags = table.begin();
    for (std::size_t h = 0; h < count; ++h) {
        TimeTag held = tags[static_cast<std::ptrdiff_t>(h)];
        std::int64_t heldTime = times[h];
        std::size_t l = h + 1;
        for (; l < count && leastFrom[l] < heldTime; ++l) {
            if (times[l] < heldTime) {
                std::swap(times[l], heldTime);
                std::swap(tags[static_cast<std::ptrdiff_t>(l)], held);
            }
        }
        tags[static_cast<std::ptrdiff_t>(h)] = held;
        times[h] = heldTime;
        for (std::size_t i = l; i-- > h;) {
            leastFrom[i] = std::min(times[i], leastFrom[i + 1]);
        }
    }
}

// The last tag of the run from the start of the table that is not later than now.
template <typename Time>
int lastTagReached(const TimeTagTable& table, std::int64_t now, Time time) {
    const int n = table.size();
    int i = 0;
    while (i < n && time(table[i]) <= now) {
        ++i;
    }
    return i > 0 ? i - 1 : kNoEntry;
}

// The time of line's tag nearest to now; of two equally near, the first in table order.
template <typename Time>
std::int64_t nearestTag(const TimeTagTable& table, int line, std::int64_t now, Time time) {
    const std::int64_t position = now < 0 ? 0 : now;
    std::int64_t best = std::numeric_limits<std::int64_t>::max();
    std::int64_t result = -1;
    for (const TimeTag& tag : table) {
        const std::int64_t distance = std::llabs(position - time(tag));
        if (tag.line == line && distance < best) {
            best = distance;
            result = time(tag);
        }
    }
    return result;
}

}  // namespace

void LyricsCore::sortTimeTags() {
    if (PreciseTiming != 0) {
        exchangeSort(timeTags, ByMs{});
    } else {
        exchangeSort(timeTags, BySeconds{});
    }
}

int LyricsCore::lineAtSecond(int second) const {
    return lastTagReached(timeTags, second, BySeconds{});
}

int LyricsCore::lineAtMs(std::int64_t ms) const {
    return lastTagReached(timeTags, ms, ByMs{});
}

std::vector<int> LyricsCore::linesTimedLike(int entry) const {
    if (entry < 0 || entry >= timeTags.size()) {
        return {};
    }
    // The tags as written, to the millisecond, whatever the timing: lines a fraction of a second
    // apart are not sung together.
    const TimeTag& reached = timeTags[entry];
    std::vector<int> lines;
    for (const TimeTag& tag : timeTags) {
        if (tag.ms == reached.ms && tag.line >= 0 && tag.line != reached.line &&
            std::find(lines.begin(), lines.end(), tag.line) == lines.end()) {
            lines.push_back(tag.line);
        }
    }
    std::sort(lines.begin(), lines.end());
    lines.push_back(reached.line);
    return lines;
}

int LyricsCore::tagTimeForLine(int line, int now) const {
    return static_cast<int>(nearestTag(timeTags, line, now, BySeconds{}));
}

std::int64_t LyricsCore::tagMsForLine(int line, std::int64_t now) const {
    return nearestTag(timeTags, line, now, ByMs{});
}

}  // namespace zor
