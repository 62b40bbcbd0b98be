#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "lyrics/model/TextLimits.h"
#include "lyrics/text/TextEncoding.h"
#include "lyrics/text/Utf8.h"

namespace zor {

// Splits text, fed in blocks of any size, into lyric lines of UTF-8: Append makes a line of the
// bytes fed, as they stand or decoded from a single-byte code page, whose CR and LF are ASCII's. A
// line ends at CR LF, at LF or at a lone CR; CR CR LF is one break. Every break ends exactly one
// line, so empty lines are kept whatever the line ends, and a text that ends with a break ends with
// an empty line (which is what lets a save reproduce that break). A line holds at most
// kMaxLineChars characters; the character that arrives when it is full starts the next line, so
// nothing is lost and no character is split. The sink is called with each line as a mutable string
// that it may change; the splitter clears it afterwards. Text as it stands: what a line is made of
// is a copy of the bytes fed.
struct AppendAsIs {
    void operator()(std::string& line, const char* from, const char* to) const {
        line.append(from, to);
    }
};

template <typename Sink, typename Append = AppendAsIs>
class LineSplitter {
  public:
    explicit LineSplitter(Sink& sink) : sink_(sink) { line_.reserve(kMaxLineChars); }

    void feed(const char* data, std::size_t size) {
        const char* pos = data;
        const char* const end = data + size;
        const BreakFinder breaks(end);
        while (pos < end) {
            if (pending_ != Pending::None) {
                pos = resolvePending(pos);
                continue;
            }
            const char* const found = breaks.next(pos);
            append(pos, found);
            if (found == end) {
                break;
            }
            emit();
            if (*found == '\n') {
                noteLineEnd(LineEnd::Lf);
            } else {
                pending_ = Pending::Cr;
            }
            pos = found + 1;
        }
    }

    // The line in hand ends the text, even when it is empty.
    void finish() {
        if (pending_ == Pending::CrCr) {
            emit();  // the second CR was a break of its own
        }
        if (pending_ != Pending::None) {
            noteLineEnd(LineEnd::Cr);
        }
        pending_ = Pending::None;
        emit();
    }

    // The first break of the text, the one a save writes back; none when it had no break.
    std::optional<LineEnd> firstLineEnd() const { return firstLineEnd_; }

  private:
    // A CR has ended a line; what follows says which break it was.
    enum class Pending { None, Cr, CrCr };

    const char* resolvePending(const char* pos) {
        const char c = *pos;
        if (pending_ == Pending::Cr) {
            if (c == '\n') {
                noteLineEnd(LineEnd::CrLf);
                pending_ = Pending::None;
                return pos + 1;
            }
            if (c == '\r') {
                pending_ = Pending::CrCr;
                return pos + 1;
            }
            noteLineEnd(LineEnd::Cr);
            pending_ = Pending::None;
            return pos;
        }
        // Two CRs in hand.
        if (c == '\n') {
            noteLineEnd(LineEnd::CrCrLf);
            pending_ = Pending::None;
            return pos + 1;
        }
        // The first of the two was a lone CR: the empty line between them ends at the second.
        noteLineEnd(LineEnd::Cr);
        emit();
        if (c == '\r') {
            return pos + 1;  // still two CRs in hand
        }
        pending_ = Pending::None;
        return pos;
    }

    void noteLineEnd(LineEnd end) {
        if (!firstLineEnd_) {
            firstLineEnd_ = end;
        }
    }

    // Adds text to the line in hand, ending full lines on the way. Only a line longer than the
    // limit in bytes can be longer in characters, and only its first characters are counted.
    void append(const char* from, const char* to) {
        Append{}(line_, from, to);
        if (line_.size() <= kMaxLineChars) {
            return;
        }
        std::size_t start = 0;
        for (;;) {
            const std::string_view rest = std::string_view(line_).substr(start);
            const std::size_t full = utf8PrefixBytes(rest, kMaxLineChars);
            if (full == rest.size()) {
                break;
            }
            std::string piece(rest.substr(0, full));
            sink_(piece);
            start += full;
        }
        line_.erase(0, start);
    }

    // Finds the next CR or LF of a block, eight bytes at a time: lyrics lines are short, and
    // one pass for both characters costs less there than a library search for each.
    class BreakFinder {
      public:
        explicit BreakFinder(const char* end) : end_(end) {}

        // The first break character at or after from, or the end of the block.
        const char* next(const char* from) const {
            const char* p = from;
            for (; end_ - p >= 8; p += 8) {
                std::uint64_t word = 0;
                std::memcpy(&word, p, sizeof word);
                const std::uint64_t breaks = zeroBytes(word ^ kAllCr) | zeroBytes(word ^ kAllLf);
                if (breaks != 0) {
                    return p + lowestMarkedByte(breaks);
                }
            }
            while (p < end_ && *p != '\r' && *p != '\n') {
                ++p;
            }
            return p;
        }

      private:
        static constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
        static constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
        static constexpr std::uint64_t kAllCr = kOnes * '\r';
        static constexpr std::uint64_t kAllLf = kOnes * '\n';

        // The high bit of each zero byte is set; a byte above the lowest zero may be marked
        // too, so only the lowest mark is exact, which is the one used.
        static std::uint64_t zeroBytes(std::uint64_t word) {
            return (word - kOnes) & ~word & kHighBits;
        }

        // Bytes are loaded in memory order, the first into the lowest bits.
        static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the byte order of x86");
        static std::size_t lowestMarkedByte(std::uint64_t marks) {
            return static_cast<std::size_t>(__builtin_ctzll(marks)) / 8;
        }

        const char* end_;
    };

    void emit() {
        sink_(line_);
        line_.clear();
    }

    Sink& sink_;
    std::string line_;
    Pending pending_ = Pending::None;
    std::optional<LineEnd> firstLineEnd_;
};

}  // namespace zor
