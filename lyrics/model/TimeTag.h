#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zor {

// One entry of the time-tag table: the tag's time and the index of the line it belongs to, in
// the list that was visible when the tag was read. The time is held twice: in whole seconds
// (the fraction dropped), which the highlight follows by default, and in milliseconds (the
// fraction kept), which precise timing follows.
struct TimeTag {
    std::int32_t seconds;
    std::int32_t line;
    std::int64_t ms = 0;
};

inline constexpr std::int32_t kEndOfTable = -1;
inline constexpr int kNoEntry = -1;  // lineAtSecond found no tag

// The time-tag table: as many tags as the lyrics carry, in reading order while a source is read
// and sorted after every load. Read past its last tag, it answers an end entry (line -1), so a
// scan for the end entry stops where the tags stop.
class TimeTagTable {
  public:
    using const_iterator = std::vector<TimeTag>::const_iterator;
    using iterator = std::vector<TimeTag>::iterator;

    int size() const { return static_cast<int>(tags_.size()); }
    bool empty() const { return tags_.empty(); }
    void clear() { tags_.clear(); }
    void add(const TimeTag& tag) { tags_.push_back(tag); }
    // Field by field into the table's own entry: a whole tag built aside and copied in is
    // read back before its parts are stored, which stalls the reader's loop.
    void add(std::int32_t seconds, std::int32_t line, std::int64_t ms) {
        TimeTag& tag = tags_.emplace_back();
        tag.seconds = seconds;
        tag.line = line;
        tag.ms = ms;
    }
    // Keeps the first count tags.
    void truncate(int count) {
        if (count >= 0 && count < size()) {
            tags_.resize(static_cast<std::size_t>(count));
        }
    }

    // A tag in use; any index at or past the end reads as the end entry.
    const TimeTag& operator[](std::size_t index) const {
        return index < tags_.size() ? tags_[index] : kEnd;
    }
    const TimeTag& operator[](int index) const {
        return index >= 0 ? (*this)[static_cast<std::size_t>(index)] : kEnd;
    }
    // A tag in use, to change.
    TimeTag& at(int index) { return tags_.at(static_cast<std::size_t>(index)); }

    iterator begin() { return tags_.begin(); }
    iterator end() { return tags_.end(); }
    const_iterator begin() const { return tags_.begin(); }
    const_iterator end() const { return tags_.end(); }

  private:
    static constexpr TimeTag kEnd{0, kEndOfTable, 0};
    std::vector<TimeTag> tags_;
};

}  // namespace zor
