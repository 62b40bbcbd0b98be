// UTF-16 to and from UTF-8. Invalid UTF-8 on the way in is read as U+FFFD per bad byte, the same
// repair toValidUtf8 makes.
#include "lyrics/text/Utf16.h"

#include "lyrics/text/Utf8.h"

namespace zor {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Walks the code points of a UTF-16 sequence given unit by unit.
template <typename UnitAt>
std::string unitsToUtf8(std::size_t count, UnitAt unitAt) {
    std::string text;
    text.reserve(count + count / 2);
    for (std::size_t i = 0; i < count; ++i) {
        const char32_t unit = unitAt(i);
        if (isHighSurrogate(unit) && i + 1 < count && isLowSurrogate(unitAt(i + 1))) {
            const char32_t low = unitAt(i + 1);
            appendUtf8(text, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
            ++i;
        } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
            appendUtf8(text, kReplacement);
        } else {
            appendUtf8(text, unit);
        }
    }
    return text;
}

// Calls emit with each code point of the UTF-8 text, repairing it on the way.
template <typename Emit>
void forEachCodePoint(std::string_view utf8, Emit emit) {
    const std::string valid = isValidUtf8(utf8) ? std::string() : toValidUtf8(utf8);
    const std::string_view text = valid.empty() ? utf8 : std::string_view(valid);
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        char32_t codePoint = lead;
        if (lead >= 0xF0) {
            length = 4;
            codePoint = lead & 0x07U;
        } else if (lead >= 0xE0) {
            length = 3;
            codePoint = lead & 0x0FU;
        } else if (lead >= 0xC0) {
            length = 2;
            codePoint = lead & 0x1FU;
        }
        for (std::size_t k = 1; k < length; ++k) {
            codePoint = (codePoint << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3FU);
        }
        emit(codePoint);
        i += length;
    }
}

template <typename EmitUnit>
void forEachUnit(std::string_view utf8, EmitUnit emitUnit) {
    forEachCodePoint(utf8, [&](char32_t codePoint) {
        if (codePoint >= 0x10000) {
            const char32_t offset = codePoint - 0x10000;
            emitUnit(static_cast<char16_t>(0xD800 + (offset >> 10)));
            emitUnit(static_cast<char16_t>(0xDC00 + (offset & 0x3FF)));
        } else {
            emitUnit(static_cast<char16_t>(codePoint));
        }
    });
}

}  // namespace

std::string utf16BytesToUtf8(std::string_view bytes, ByteOrder order) {
    const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const std::size_t first = order == ByteOrder::Little ? 1 : 0;
    const std::size_t second = 1 - first;
    return unitsToUtf8(bytes.size() / 2, [&](std::size_t i) {
        return static_cast<char32_t>((byteAt(2 * i + first) << 8) | byteAt(2 * i + second));
    });
}

std::string utf8ToUtf16Bytes(std::string_view utf8, ByteOrder order) {
    std::string bytes;
    bytes.reserve(utf8.size() * 2);
    forEachUnit(utf8, [&](char16_t unit) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        if (order == ByteOrder::Little) {
            bytes += low;
            bytes += high;
        } else {
            bytes += high;
            bytes += low;
        }
    });
    return bytes;
}

std::u16string utf8ToUtf16(std::string_view utf8) {
    std::u16string units;
    units.reserve(utf8.size());
    forEachUnit(utf8, [&](char16_t unit) { units += unit; });
    return units;
}

std::string utf16ToUtf8(std::u16string_view units) {
    return unitsToUtf8(units.size(), [&](std::size_t i) { return char32_t{units[i]}; });
}

}  // namespace zor
