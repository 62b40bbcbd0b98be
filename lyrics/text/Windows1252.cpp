#include "lyrics/text/Windows1252.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "lyrics/text/Utf16.h"
#include "lyrics/text/Utf8.h"

namespace zor {

namespace {

constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
constexpr std::size_t kCountedFrom = 4096;

// 0x80 to 0x9F; the other bytes are their own code points.
constexpr std::array<char16_t, 32> kHighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The UTF-8 form of every byte, made once: at most three bytes each.
struct DecodeTable {
    DecodeTable() {
        for (unsigned byte = 0; byte < 256; ++byte) {
            std::string text;
            const char32_t codePoint =
                byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : char32_t{byte};
            appendUtf8(text, codePoint);
            text.copy(forms[byte].data(), text.size());
            lengths[byte] = static_cast<unsigned char>(text.size());
        }
    }
    std::array<std::array<char, 4>, 256> forms{};
    std::array<unsigned char, 256> lengths{};
};

const DecodeTable& decodeTable() {
    static const DecodeTable table;
    return table;
}

std::optional<char> byteFor(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
        return static_cast<char>(unit);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == unit) {
            return static_cast<char>(0x80 + i);
        }
    }
    return std::nullopt;
}

}  // namespace

void appendWindows1252(std::string& text, std::string_view bytes) {
    const DecodeTable& table = decodeTable();
    // At most three bytes for each high byte, and room for a four-byte store at the last byte.
    // A line's worth is cheaper to allow three bytes each than to count its high bytes.
    std::size_t high = bytes.size();
    if (bytes.size() > kCountedFrom) {
        high = 0;
        for (const char c : bytes) {
            high += static_cast<unsigned char>(c) >> 7;
        }
    }
    const std::size_t start = text.size();
    text.resize(start + bytes.size() + 2 * high + 4);
    char* out = text.data() + start;
    const char* in = bytes.data();
    const char* const end = in + bytes.size();
    const auto decodeByte = [&table, &out](unsigned char byte) {
        std::memcpy(out, table.forms[byte].data(), 4);  // the length says what counts
        out += table.lengths[byte];
    };
    for (; end - in >= 8; in += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, in, sizeof word);
        if ((word & kHighBits) == 0) {
            std::memcpy(out, in, sizeof word);  // eight ASCII bytes at once
            out += 8;
            continue;
        }
        // Each byte through the table, ASCII too: where accents are frequent, a branch on
        // each byte's kind would be mispredicted often.
        for (int i = 0; i < 8; ++i) {
            decodeByte(static_cast<unsigned char>(in[i]));
        }
    }
    for (; in < end; ++in) {
        decodeByte(static_cast<unsigned char>(*in));
    }
    text.resize(static_cast<std::size_t>(out - text.data()));
}

std::string decodeWindows1252(std::string_view bytes) {
    std::string text;
    appendWindows1252(text, bytes);
    return text;
}

std::optional<std::string> encodeWindows1252(std::string_view utf8) {
    std::string bytes;
    bytes.reserve(utf8.size());
    for (const char16_t unit : utf8ToUtf16(utf8)) {
        const std::optional<char> byte = byteFor(unit);
        if (!byte) {
            return std::nullopt;
        }
        bytes += *byte;
    }
    return bytes;
}

}  // namespace zor
