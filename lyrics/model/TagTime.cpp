// Reading and writing the times of LRC tags.
#include "lyrics/model/TagTime.h"

#include <cstdlib>
#include <limits>

namespace zor {

namespace {

constexpr std::int64_t kLargestNumber = std::numeric_limits<std::int32_t>::max();
constexpr int kLargestOffsetMs = 24 * 60 * 60 * 1000;
constexpr std::size_t kLongestOffsetDigits = 9;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The digit run at the start of text: its value (above 32 bits it counts as one more than the
// largest 32-bit value, so that any length stays exact enough to be refused) and its length.
struct Number {
    std::int64_t value = 0;
    std::size_t length = 0;
};

Number leadingNumber(std::string_view text) {
    Number number;
    while (number.length < text.size() && isDigit(text[number.length])) {
        if (number.value <= kLargestNumber) {
            number.value = number.value * 10 + (text[number.length] - '0');
            if (number.value > kLargestNumber) {
                number.value = kLargestNumber + 1;
            }
        }
        ++number.length;
    }
    return number;
}

// ".5" is 500 ms, ".50" 500, ".123" 123; digits beyond the third are dropped.
std::int64_t fractionMs(std::string_view digits) {
    std::int64_t ms = 0;
    std::int64_t scale = 100;
    for (std::size_t i = 0; i < digits.size() && isDigit(digits[i]) && scale > 0; ++i) {
        ms += (digits[i] - '0') * scale;
        scale /= 10;
    }
    return ms;
}

std::string twoDigits(std::int64_t number) {
    std::string text = std::to_string(number);
    return text.size() < 2 ? "0" + text : text;
}

bool startsWithDigit(std::string_view text) {
    return !text.empty() && isDigit(text.front());
}

}  // namespace

bool readAnyTagTime(std::string_view tag, TagTime& time) {
    const std::size_t colon = tag.find(':');
    if (tag.size() < 2 || colon == std::string_view::npos || !isDigit(tag[1]) ||
        !startsWithDigit(tag.substr(colon + 1))) {
        return false;
    }
    // Anything between the first number and the colon is ignored, as it always was.
    const Number first = leadingNumber(tag.substr(1));
    const Number second = leadingNumber(tag.substr(colon + 1));
    time.seconds = first.value * 60 + second.value;

    std::string_view rest = tag.substr(colon + 1 + second.length);
    std::int64_t hours = 0;
    std::int64_t minutes = first.value;
    std::int64_t seconds = second.value;
    // "[hh:mm:ss.xx]": a third number after a colon, and a fraction after a point.
    if (rest.size() > 1 && rest[0] == ':' && startsWithDigit(rest.substr(1))) {
        const Number third = leadingNumber(rest.substr(1));
        const std::string_view after = rest.substr(1 + third.length);
        if (!after.empty() && after[0] == '.') {
            hours = first.value;
            minutes = second.value;
            seconds = third.value;
            rest = after;
        }
    }
    std::int64_t fraction = 0;
    if (!rest.empty() && (rest[0] == '.' || rest[0] == ':')) {
        fraction = fractionMs(rest.substr(1));
    }
    time.ms = ((hours * 60 + minutes) * 60 + seconds) * 1000 + fraction;
    return true;
}

std::optional<TagTime> readTagTime(std::string_view tag) {
    TagTime time;
    if (!readTagTime(tag, time)) {
        return std::nullopt;
    }
    return time;
}

std::optional<int> readOffsetValue(std::string_view value) {
    while (!value.empty() && value.front() == ' ') {
        value.remove_prefix(1);
    }
    while (!value.empty() && value.back() == ' ') {
        value.remove_suffix(1);
    }
    bool negative = false;
    if (!value.empty() && (value.front() == '+' || value.front() == '-')) {
        negative = value.front() == '-';
        value.remove_prefix(1);
    }
    if (value.empty() || value.size() > kLongestOffsetDigits) {
        return std::nullopt;
    }
    int ms = 0;
    for (const char c : value) {
        if (!isDigit(c)) {
            return std::nullopt;
        }
        ms = ms * 10 + (c - '0');
    }
    if (ms > kLargestOffsetMs) {
        return std::nullopt;
    }
    return negative ? -ms : ms;
}

std::string preciseTimeTagText(std::int64_t ms) {
    if (ms < 0) {
        ms = 0;
    }
    const std::int64_t seconds = ms / 1000;
    return "[" + twoDigits(seconds / 60) + ":" + twoDigits(seconds % 60) + "." +
           twoDigits(ms % 1000 / 10) + "]";
}

std::string offsetTagText(std::int64_t ms) {
    return "[offset:" + std::to_string(ms) + "]";
}

std::string adjustmentNotice(int ms) {
    const int tenths = std::abs(ms) / 100;
    std::string sign;
    if (ms > 0) {
        sign = "+";
    } else if (ms < 0) {
        sign = "-";
    }
    return "offset " + sign + std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) +
           " s";
}

}  // namespace zor
