#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>

#include "lyrics/model/TextLimits.h"

namespace zor {

// Splits a byte stream, fed in blocks of any size, into lyric lines. A break is a CR or an LF
// together with at most one CR or LF right after it, so CR LF, LF CR, CR CR and LF LF are each one
// break. A line holds at most kMaxLineChars characters; the character that arrives when it is
// full starts the next line, so no byte is lost. The sink is called with each line as a mutable
// string that it may change; the splitter clears it afterwards.
template <typename Sink>
class LineSplitter {
  public:
    explicit LineSplitter(Sink& sink) : sink_(sink) { line_.reserve(kMaxLineChars); }

    void feed(const char* data, std::size_t size) {
        const char* pos = data;
        const char* const end = data + size;
        BreakFinder breaks(pos, end);
        while (pos < end) {
            if (breakPending_) {
                // The look-ahead after a break: a second break character belongs to it.
                breakPending_ = false;
                if (isBreak(*pos)) {
                    ++pos;
                    continue;
                }
            }
            const std::size_t room = kMaxLineChars - line_.size();
            // The character that arrives when the line is full is looked at too: a break there
            // still ends this line.
            const std::size_t window = std::min(static_cast<std::size_t>(end - pos), room + 1);
            const char* const found = breaks.next(pos, pos + window);
            if (found != nullptr) {
                line_.append(pos, found);
                emit();
                breakPending_ = true;
                pos = found + 1;
            } else if (window <= room) {
                line_.append(pos, window);
                pos += window;
            } else {
                line_.append(pos, room);
                pos += room;
                emit();
            }
        }
    }

    // A file's look-ahead that meets the end stops the read; a text always yields the line in
    // hand at its end, even when it is empty.
    enum class End { File, Text };

    void finish(End kind) {
        if (kind == End::File && breakPending_) {
            return;
        }
        emit();
    }

  private:
    static bool isBreak(char c) { return c == '\r' || c == '\n'; }

    // Finds the next CR or LF of one block with one memchr per character kind and block region,
    // remembering the positions found so a block is scanned once however short its lines are.
    class BreakFinder {
      public:
        BreakFinder(const char* begin, const char* end)
            : end_(end), nextCr_{begin, false}, nextLf_{begin, false} {}

        // The first break character in [from, limit), or null.
        const char* next(const char* from, const char* limit) {
            refresh(nextCr_, from, '\r');
            refresh(nextLf_, from, '\n');
            const char* const first = std::min(nextCr_.at, nextLf_.at);
            return first < limit ? first : nullptr;
        }

      private:
        struct Cached {
            const char* at;
            bool known;
        };

        void refresh(Cached& cached, const char* from, char c) const {
            if (cached.known && cached.at >= from) {
                return;
            }
            const void* hit = std::memchr(from, c, static_cast<std::size_t>(end_ - from));
            cached = {hit != nullptr ? static_cast<const char*>(hit) : end_, true};
        }

        const char* end_;
        Cached nextCr_;
        Cached nextLf_;
    };

    void emit() {
        sink_(line_);
        line_.clear();
    }

    Sink& sink_;
    std::string line_;
    bool breakPending_ = false;
};

}  // namespace zor
