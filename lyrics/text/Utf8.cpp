// UTF-8 validation, repair and counting, with a word-at-a-time pass over ASCII runs.
#include "lyrics/text/Utf8.h"

#include <algorithm>
#include <array>
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

// Strict UTF-8 as a shift automaton: a state is a bit position, and the entry of a byte holds,
// at each state's position, the state after that byte. One shift and one mask make a step.
enum Utf8State : unsigned {
    kComplete,   // between characters
    kInvalid,    // for good
    kNeedOne,    // one more continuation byte
    kNeedTwo,    // two more
    kAfterE0,    // a continuation of A0..BF, then one more (no overlong forms)
    kAfterED,    // a continuation of 80..9F, then one more (no surrogates)
    kNeedThree,  // three more
    kAfterF0,    // a continuation of 90..BF, then two more (no overlong forms)
    kAfterF4,    // a continuation of 80..8F, then two more (nothing above U+10FFFF)
    kStateCount,
};

constexpr unsigned kStateBits = 6;

constexpr Utf8State nextState(Utf8State state, unsigned byte) {
    const bool continuation = byte >= 0x80 && byte <= 0xBF;
    switch (state) {
        case kComplete:
            if (byte < 0x80) {
                return kComplete;
            }
            if (byte >= 0xC2 && byte <= 0xDF) {
                return kNeedOne;
            }
            if (byte == 0xE0) {
                return kAfterE0;
            }
            if (byte == 0xED) {
                return kAfterED;
            }
            if (byte >= 0xE1 && byte <= 0xEF) {
                return kNeedTwo;
            }
            if (byte == 0xF0) {
                return kAfterF0;
            }
            if (byte == 0xF4) {
                return kAfterF4;
            }
            if (byte >= 0xF1 && byte <= 0xF3) {
                return kNeedThree;
            }
            return kInvalid;
        case kNeedOne:
            return continuation ? kComplete : kInvalid;
        case kNeedTwo:
            return continuation ? kNeedOne : kInvalid;
        case kAfterE0:
            return byte >= 0xA0 && byte <= 0xBF ? kNeedOne : kInvalid;
        case kAfterED:
            return byte >= 0x80 && byte <= 0x9F ? kNeedOne : kInvalid;
        case kNeedThree:
            return continuation ? kNeedTwo : kInvalid;
        case kAfterF0:
            return byte >= 0x90 && byte <= 0xBF ? kNeedTwo : kInvalid;
        case kAfterF4:
            return byte >= 0x80 && byte <= 0x8F ? kNeedTwo : kInvalid;
        default:
            return kInvalid;
    }
}

struct Utf8Steps {
    std::uint64_t entries[256];
};

constexpr Utf8Steps makeUtf8Steps() {
    Utf8Steps steps{};
    for (unsigned byte = 0; byte < 256; ++byte) {
        std::uint64_t entry = 0;
        for (unsigned state = 0; state < kStateCount; ++state) {
            const std::uint64_t next = nextState(static_cast<Utf8State>(state), byte);
            entry |= (next * kStateBits) << (state * kStateBits);
        }
        steps.entries[byte] = entry;
    }
    return steps;
}

constexpr Utf8Steps kUtf8Steps = makeUtf8Steps();
constexpr std::uint64_t kUtf8Complete = std::uint64_t{kComplete} * kStateBits;
constexpr std::uint64_t kUtf8Invalid = std::uint64_t{kInvalid} * kStateBits;

constexpr std::uint64_t kStateMask = (1U << kStateBits) - 1;

// The state is in the low bits of what a step answers; the bits above them are left there, as
// the next shift only looks at the low bits (and a processor's shift does so by itself).
std::uint64_t utf8Step(std::uint64_t state, unsigned char byte) {
    return kUtf8Steps.entries[byte] >> (state & kStateMask);
}

// The state after the bytes from p to end, starting from state: eight bytes at a time, a group
// of ASCII between characters passed over at once, any other group stepped byte by byte.
std::uint64_t validatedState(std::uint64_t state, const unsigned char* p,
                             const unsigned char* const end) {
    for (; end - p >= 8; p += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, p, sizeof word);
        state &= kStateMask;
        if ((word & kHighBits) == 0 && state == kUtf8Complete) {
            continue;
        }
        for (int i = 0; i < 8; ++i) {
            state = utf8Step(state, p[i]);
        }
        if ((state & kStateMask) == kUtf8Invalid) {
            return state;
        }
    }
    for (; p < end; ++p) {
        state = utf8Step(state, *p);
    }
    return state;
}

constexpr std::size_t kParts = 4;
constexpr std::size_t kInterleavedFrom = 4096;
constexpr std::size_t kStretch = 256;
constexpr int kLongestSequence = 3;  // continuation bytes after a lead byte, at most

}  // namespace

bool isValidUtf8(std::string_view bytes) {
    const auto* const begin = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = begin + bytes.size();
    if (bytes.size() < kInterleavedFrom) {
        return (validatedState(kUtf8Complete, begin, end) & kStateMask) == kUtf8Complete;
    }
    // A large text is checked as four parts side by side, each starting at a character, so that
    // four independent steps fill the time one step waits for the last.
    std::array<const unsigned char*, kParts> starts{};
    starts[0] = begin;
    for (std::size_t k = 1; k < kParts; ++k) {
        const unsigned char* at = begin + bytes.size() * k / kParts;
        for (int skipped = 0; skipped < kLongestSequence && (*at & 0xC0U) == 0x80U; ++skipped) {
            ++at;
        }
        if ((*at & 0xC0U) == 0x80U) {
            return false;  // more continuation bytes in a row than any character has
        }
        starts[k] = at;
    }
    const auto partEnd = [&](std::size_t k) { return k + 1 < kParts ? starts[k + 1] : end; };
    std::size_t common = static_cast<std::size_t>(end - begin);
    for (std::size_t k = 0; k < kParts; ++k) {
        common = std::min(common, static_cast<std::size_t>(partEnd(k) - starts[k]));
    }
    std::array<std::uint64_t, kParts> states{};
    for (std::size_t done = 0; done < common;) {
        // Invalid is final; an invalid text is left early, as the fallback reads most files
        // that are not UTF-8 and shows it in their first accent.
        const std::size_t stretch = std::min(common - done, kStretch);
        for (std::size_t i = done; i < done + stretch; ++i) {
            for (std::size_t k = 0; k < kParts; ++k) {
                states[k] = utf8Step(states[k], starts[k][i]);
            }
        }
        done += stretch;
        for (const std::uint64_t state : states) {
            if ((state & kStateMask) == kUtf8Invalid) {
                return false;
            }
        }
    }
    for (std::size_t k = 0; k < kParts; ++k) {
        const std::uint64_t last = validatedState(states[k], starts[k] + common, partEnd(k));
        if ((last & kStateMask) != kUtf8Complete) {
            return false;
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
