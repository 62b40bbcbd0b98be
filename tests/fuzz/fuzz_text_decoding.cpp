// The per-file encoding decision and its mirror on saving, over any bytes. The first byte chooses
// the fallback code page. Whatever the bytes, the text is valid UTF-8; saved in the encoding it
// was read in and read again, it is the same text.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "lyrics/tags/Id3FrameText.h"
#include "lyrics/text/TextEncoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    constexpr std::array<int, 4> kCodePages{1252, 1251, 932, 28591};
    const int codePage = kCodePages[data[0] % kCodePages.size()];
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    const zor::DecodedText decoded = zor::decodeFileText(bytes, codePage);
    zor::fuzz::check(zor::isValidUtf8(decoded.text), "decoded text that is not UTF-8");
    if (const auto saved = zor::encodeFileText(decoded.encoding, decoded.text)) {
        const zor::DecodedText again = zor::decodeFileText(*saved, codePage);
        zor::fuzz::check(again.text == decoded.text, "a saved text reads back otherwise");
    } else {
        zor::fuzz::check(decoded.encoding.kind == zor::EncodingKind::CodePage,
                         "only a code page may refuse a text");
    }

    for (int frameEncoding = 0; frameEncoding < 5; ++frameEncoding) {
        const zor::FrameText frame = zor::decodeFrameText(frameEncoding, bytes);
        zor::fuzz::check(zor::isValidUtf8(frame.text), "frame text that is not UTF-8");
    }
    zor::RawLyricsFrame raw;
    zor::findLyricsFrame(bytes, raw);
    return 0;
}
