#pragma once

#include <cstdint>
#include <map>
#include <vector>

// Word timing ("<mm:ss.xx>" tags inside a line): where each timed word starts in the shown
// text, and how far the sung part of a line has come at a moment.
namespace zor {

// A word tag: the byte position in the shown line (UTF-8) where its word starts, and its time in
// milliseconds after the line's own tag.
struct WordMark {
    int position = 0;
    std::int64_t ms = 0;
};

// The sung part of a line: everything before byte from, and the part fraction (0 to 1) of the
// text from byte from to byte to (positions as in WordMark).
struct WipePoint {
    int from = 0;
    int to = 0;
    double fraction = 0.0;

    bool operator==(const WipePoint& other) const {
        return from == other.from && to == other.to && fraction == other.fraction;
    }
    bool operator!=(const WipePoint& other) const { return !(*this == other); }
};

// How far a line with word marks is sung, elapsedMs after its tag. The text before the first
// word tag is sung from the line's tag to that word; each word is wiped linearly until the next
// word's time; the last word until lineMs (the time to the next line's tag) when that is
// known, but never longer than a few seconds.
WipePoint wipeAt(const std::vector<WordMark>& marks, int textLength, std::int64_t elapsedMs,
                 std::int64_t lineMs);

// The word marks of the lines read, by line index in the list the reader filled.
class WordTimings {
  public:
    void clear() { lines_.clear(); }
    bool empty() const { return lines_.empty(); }
    void set(int line, std::vector<WordMark> marks);
    // The same as setting no marks: the reader does this for nearly every line it adds.
    void forget(int line) {
        if (!lines_.empty()) {
            lines_.erase(line);
        }
    }
    // The marks of line, or null when it has none.
    const std::vector<WordMark>* find(int line) const;
    // Lines before first are gone and every later line moves up by removed.
    void removeLinesBefore(int first, int removed);

  private:
    std::map<int, std::vector<WordMark>> lines_;
};

}  // namespace zor
