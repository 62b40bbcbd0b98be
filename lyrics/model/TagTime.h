#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The times written in LRC tags: reading a time tag with its fraction, reading an [offset:]
// value, and writing the stamps and texts that carry milliseconds.
namespace zor {

// A time tag's value both ways: whole seconds as the default highlight counts them (the
// fraction dropped, "[hh:mm:ss.xx]" not understood), and milliseconds with the fraction kept.
struct TagTime {
    std::int64_t seconds = 0;
    std::int64_t ms = 0;
};

// The values of "[mm:ss]", "[mm:ss.xx]", "[mm:ss.xxx]", "[mm:ss:xx]" and "[hh:mm:ss.xx]" (the
// same with "<" and ">" for word tags): tag runs from its opening to its closing character.
// Nothing when the text is not a time tag: no colon, or no digit right after the opening
// character or after the first colon. Digit runs too long for 32 bits count as 2^31.
std::optional<TagTime> readTagTime(std::string_view tag);
// The same into time, for the reader's loop over every tag of a file; false when not a time.
// The shapes nearly every tag has are read here, in the caller's loop; the rest by the general
// reader.
bool readAnyTagTime(std::string_view tag, TagTime& time);

inline bool isTagDigit(char c) {
    return c >= '0' && c <= '9';
}

inline int tagDigitAt(std::string_view text, std::size_t i) {
    return text[i] - '0';
}

// "[mm:ss]" and "[mm:ss.x]" to "[mm:ss.xxx]", which nearly every tag is, read without the
// general parser's searches; false for any other shape.
inline bool readCommonTagTime(std::string_view tag, TagTime& time) {
    const std::size_t size = tag.size();
    if (size < 7 || size == 8 || size > 11 || !isTagDigit(tag[1]) || !isTagDigit(tag[2]) ||
        tag[3] != ':' || !isTagDigit(tag[4]) || !isTagDigit(tag[5]) || isTagDigit(tag[size - 1])) {
        return false;
    }
    std::int64_t fraction = 0;
    if (size > 7) {
        if (tag[6] != '.') {
            return false;
        }
        for (std::size_t i = 7; i + 1 < size; ++i) {
            if (!isTagDigit(tag[i])) {
                return false;
            }
            fraction = fraction * 10 + tagDigitAt(tag, i);
        }
        constexpr std::int64_t kToMs[] = {100, 10, 1};  // by the number of digits, 1 to 3
        fraction *= kToMs[size - 9];
    }
    const std::int64_t seconds = (tagDigitAt(tag, 1) * 10 + tagDigitAt(tag, 2)) * 60 +
                                 tagDigitAt(tag, 4) * 10 + tagDigitAt(tag, 5);
    time.seconds = seconds;
    time.ms = seconds * 1000 + fraction;
    return true;
}

inline bool readTagTime(std::string_view tag, TagTime& time) {
    return readCommonTagTime(tag, time) || readAnyTagTime(tag, time);
}

// The value of an "[offset:N]" tag, N in milliseconds with an optional sign and blanks around
// it; nothing when it is malformed or beyond a day either way.
std::optional<int> readOffsetValue(std::string_view value);

// "[mm:ss.xx]": hundredths, the rest of the milliseconds dropped; minutes take as many digits
// as they need.
std::string preciseTimeTagText(std::int64_t ms);

// "[offset:N]" with N in milliseconds.
std::string offsetTagText(std::int64_t ms);

// What the title strip shows after a live adjustment: "offset +0.3 s", "offset -1.2 s",
// "offset 0.0 s".
std::string adjustmentNotice(int ms);

}  // namespace zor
