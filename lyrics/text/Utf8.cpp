// UTF-8 validation, repair and counting, with a word-at-a-time pass over ASCII runs.
#include "lyrics/text/Utf8.h"

#include <cstdint>
#include <cstring>

namespace zor {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

unsigned byteOf(const char* p) {
    return static_cast<unsigned char>(*p);
}

// The length of the valid sequence at p (1 to 4), or 0 when none starts there.
std::size_t validSequenceLength(const char* p, const char* end) {
    const unsigned lead = byteOf(p);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned low = 0x80;
    unsigned high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) {
            low = 0xA0;  // no overlong forms
        } else if (lead == 0xED) {
            high = 0x9F;  // no surrogates
        }
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) {
            low = 0x90;
        } else if (lead == 0xF4) {
            high = 0x8F;  // nothing above U+10FFFF
        }
    } else {
        return 0;
    }
    if (static_cast<std::size_t>(end - p) < length) {
        return 0;
    }
    const unsigned second = byteOf(p + 1);
    if (second < low || second > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (!isUtf8Continuation(p[i])) {
            return 0;
        }
    }
    return length;
}

// Skips the ASCII bytes at p, eight at a time while it can.
const char* skipAscii(const char* p, const char* end) {
    while (end - p >= 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, p, sizeof word);
        if ((word & kHighBits) != 0) {
            break;
        }
        p += 8;
    }
    while (p < end && byteOf(p) < 0x80) {
        ++p;
    }
    return p;
}

}  // namespace

bool isValidUtf8(std::string_view bytes) {
    // One pass with the common sequences checked inline, as it runs over every unmarked file: an
    // ASCII run (eight bytes at a time while it lasts), then the run of sequences after it.
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    const auto continuation = [](unsigned char c) { return (c & 0xC0U) == 0x80U; };
    while (p < end) {
        for (std::uint64_t word = 0; end - p >= 8; p += 8) {
            std::memcpy(&word, p, sizeof word);
            if ((word & kHighBits) != 0) {
                break;
            }
        }
        while (p < end && *p < 0x80) {
            ++p;
        }
        while (p < end && *p >= 0x80) {
            const unsigned lead = *p;
            if (lead >= 0xE0 && lead < 0xF0) {
                if (end - p < 3 || !continuation(p[1]) || !continuation(p[2]) ||
                    (lead == 0xE0 && p[1] < 0xA0) || (lead == 0xED && p[1] > 0x9F)) {
                    return false;
                }
                p += 3;
            } else if (lead >= 0xC2 && lead < 0xE0) {
                if (end - p < 2 || !continuation(p[1])) {
                    return false;
                }
                p += 2;
            } else {
                const std::size_t length = validSequenceLength(reinterpret_cast<const char*>(p),
                                                               reinterpret_cast<const char*>(end));
                if (length == 0) {
                    return false;
                }
                p += length;
            }
        }
    }
    return true;
}

bool isAscii(std::string_view bytes) {
    return skipAscii(bytes.data(), bytes.data() + bytes.size()) == bytes.data() + bytes.size();
}

std::string toValidUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end) {
        const char* const run = skipAscii(p, end);
        text.append(p, run);
        p = run;
        if (p == end) {
            break;
        }
        const std::size_t length = validSequenceLength(p, end);
        if (length == 0) {
            appendUtf8(text, kReplacement);
            ++p;
        } else {
            text.append(p, length);
            p += length;
        }
    }
    return text;
}

void appendUtf8(std::string& text, char32_t codePoint) {
    if (codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        codePoint = kReplacement;
    }
    if (codePoint < 0x80) {
        text += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        text += static_cast<char>(0xC0 | (codePoint >> 6));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        text += static_cast<char>(0xE0 | (codePoint >> 12));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (codePoint >> 18));
        text += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

std::size_t utf8CharCount(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) {
        if (!isUtf8Continuation(c)) {
            ++count;
        }
    }
    return count;
}

std::size_t utf8PrefixBytes(std::string_view text, std::size_t chars) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isUtf8Continuation(text[i])) {
            if (seen == chars) {
                return i;
            }
            ++seen;
        }
    }
    return text.size();
}

std::string cutToChars(std::string text, std::size_t chars) {
    if (text.size() > chars) {
        text.resize(utf8PrefixBytes(text, chars));
    }
    return text;
}

}  // namespace zor
