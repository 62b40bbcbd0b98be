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

// Writes the UTF-8 form of a code point at out; the end of what it wrote.
char* encodeUtf8(char* out, char32_t codePoint) {
    if (codePoint < 0x800) {
        *out++ = static_cast<char>(0xC0 | (codePoint >> 6));
    } else if (codePoint < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (codePoint >> 12));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (codePoint >> 18));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    }
    *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    return out;
}

// Walks the code points of a UTF-16 sequence given unit by unit, into a buffer sized for the
// longest result: three bytes for a unit, four for a pair.
template <typename UnitAt>
std::string unitsToUtf8(std::size_t count, UnitAt unitAt) {
    std::string text(3 * count, '\0');
    char* out = text.data();
    for (std::size_t i = 0; i < count; ++i) {
        const char32_t unit = unitAt(i);
        if (unit < 0x80) {
            *out++ = static_cast<char>(unit);
        } else if (isHighSurrogate(unit) && i + 1 < count && isLowSurrogate(unitAt(i + 1))) {
            const char32_t low = unitAt(i + 1);
            out = encodeUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
            ++i;
        } else if (isHighSurrogate(unit) || isLowSurrogate(unit) || unit > 0xFFFF) {
            out = encodeUtf8(out, kReplacement);
        } else {
            out = encodeUtf8(out, unit);
        }
    }
    text.resize(static_cast<std::size_t>(out - text.data()));
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

std::string wideUnitsToUtf8(std::wstring_view units) {
    return unitsToUtf8(units.size(),
                       [&](std::size_t i) { return static_cast<char32_t>(units[i]); });
}

}  // namespace zor
