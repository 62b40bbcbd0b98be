#pragma once

#include <array>
#include <cstdint>

namespace zor {

// One entry of the time-tag table: a playback second and the index of the line it belongs to,
// in the list that was visible when the tag was read. line -1 ends the table.
struct TimeTag {
    std::int32_t seconds;
    std::int32_t line;
};

inline constexpr int kTimeTagTableSize = 200;
inline constexpr int kMaxTimeTags = kTimeTagTableSize - 1;  // the end entry always fits
inline constexpr std::int32_t kEndOfTable = -1;

using TimeTagTable = std::array<TimeTag, kTimeTagTableSize>;

inline constexpr int kNoEntry = -1;  // lineAtSecond found no tag

}  // namespace zor
