// Latin-1 is the single-byte code page of the native build: the first 256 code points map to
// themselves.
#include "lyrics/platform/CodePage.h"

namespace zor {

namespace {

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

std::string toSingleByte(const std::u16string& text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (isHighSurrogate(unit) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            ++i;  // one character beyond the basic plane: one '?'
            bytes += '?';
        } else if (unit <= 0xFF) {
            bytes += static_cast<char>(unit);
        } else {
            bytes += '?';
        }
    }
    return bytes;
}

}  // namespace zor
