// A walk over the frames of an ID3v2 tag to the first lyrics frame, and the conversion of its
// text. Frames the walk cannot unpack (compressed or encrypted) are left to id3lib.
#include "lyrics/tags/Id3FrameText.h"

#include <cstdint>

#include "lyrics/platform/CodePage.h"
#include "lyrics/tags/Mp3Layout.h"
#include "lyrics/text/Utf16.h"
#include "lyrics/text/Utf8.h"

namespace zor {

namespace {

constexpr std::size_t kTagHeaderSize = 10;
constexpr unsigned kTagUnsync = 0x80;
constexpr unsigned kTagExtended = 0x40;

unsigned byteAt(std::string_view bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]);
}

std::uint32_t number(std::string_view bytes, std::size_t at, std::size_t count, bool syncSafe) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        value = syncSafe ? (value << 7) | (byteAt(bytes, at + i) & 0x7FU)
                         : (value << 8) | byteAt(bytes, at + i);
    }
    return value;
}

// UTF-16 without a mark: whichever order puts the zero bytes of Latin text high.
ByteOrder guessedOrder(std::string_view bytes) {
    std::size_t evenZeros = 0;
    std::size_t oddZeros = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        evenZeros += bytes[i] == '\0' ? 1 : 0;
        oddZeros += bytes[i + 1] == '\0' ? 1 : 0;
    }
    return oddZeros > evenZeros ? ByteOrder::Little : ByteOrder::Big;
}

bool isWide(int textEncoding) {
    return textEncoding == kId3Utf16 || textEncoding == kId3Utf16Be;
}

// Where a NUL-terminated string of the encoding ends, and where what follows it begins.
std::size_t terminatorAt(std::string_view bytes, int textEncoding, std::size_t& after) {
    if (isWide(textEncoding)) {
        for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
            if (bytes[i] == '\0' && bytes[i + 1] == '\0') {
                after = i + 2;
                return i;
            }
        }
        after = bytes.size();
        return bytes.size() - bytes.size() % 2;
    }
    const std::size_t nul = bytes.find('\0');
    after = nul == std::string_view::npos ? bytes.size() : nul + 1;
    return nul == std::string_view::npos ? bytes.size() : nul;
}

// The text bytes of a USLT payload: encoding, language, description, text.
RawLyricsFrame lyricsPayload(std::string_view payload) {
    RawLyricsFrame frame;
    if (payload.empty()) {
        return frame;
    }
    frame.textEncoding = static_cast<int>(byteAt(payload, 0));
    const std::string_view rest = payload.substr(std::min<std::size_t>(4, payload.size()));
    std::size_t textStart = 0;
    terminatorAt(rest, frame.textEncoding, textStart);
    frame.textBytes = std::string(rest.substr(textStart));
    return frame;
}

struct FrameLayout {
    std::size_t idBytes;
    std::size_t sizeBytes;
    std::size_t flagBytes;
    bool syncSafeSizes;
};

}  // namespace

FrameText decodeFrameText(int textEncoding, std::string_view bytes) {
    std::size_t after = 0;
    bytes = bytes.substr(0, terminatorAt(bytes, textEncoding, after));
    switch (textEncoding) {
        case kId3Utf16: {
            ByteOrder order = guessedOrder(bytes);
            if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF") {
                order = bytes[0] == '\xFF' ? ByteOrder::Little : ByteOrder::Big;
                bytes.remove_prefix(2);
            }
            const EncodingKind kind =
                order == ByteOrder::Little ? EncodingKind::Utf16Le : EncodingKind::Utf16Be;
            return {utf16BytesToUtf8(bytes, order), {kind, 0}};
        }
        case kId3Utf16Be:
            return {utf16BytesToUtf8(bytes, ByteOrder::Big), {EncodingKind::Utf16Be, 0}};
        case kId3Utf8:
            if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
                bytes.remove_prefix(3);
            }
            return {toValidUtf8(bytes), {EncodingKind::Utf8, 0}};
        default:
            return {decodeCodePage(kLatin1CodePage, bytes),
                    {EncodingKind::CodePage, kLatin1CodePage}};
    }
}

FrameSearch findLyricsFrame(std::string_view tag, RawLyricsFrame& frame) {
    if (tag.size() < kTagHeaderSize || tag.substr(0, 3) != "ID3") {
        return FrameSearch::NotFound;
    }
    const int major = static_cast<int>(byteAt(tag, 3));
    const unsigned flags = byteAt(tag, 5);
    if (major < 2 || major > 4) {
        return FrameSearch::NotFound;
    }
    std::string_view data = tag.substr(kTagHeaderSize);
    data = data.substr(0, number(tag, 6, 4, true));
    // ID3v2.3 unsynchronises the whole tag; ID3v2.4 each frame, which says so itself.
    const std::string whole = major < 4 && (flags & kTagUnsync) != 0 ? resynchronised(data) : "";
    if (!whole.empty()) {
        data = whole;
    }
    if (major >= 3 && (flags & kTagExtended) != 0 && data.size() >= 4) {
        const std::size_t extended =
            major == 3 ? 4 + number(data, 0, 4, false) : number(data, 0, 4, true);
        data.remove_prefix(std::min(extended, data.size()));
    }
    const FrameLayout layout =
        major == 2 ? FrameLayout{3, 3, 0, false} : FrameLayout{4, 4, 2, major == 4};
    const std::string_view wanted = major == 2 ? "ULT" : "USLT";
    const std::size_t headerBytes = layout.idBytes + layout.sizeBytes + layout.flagBytes;
    std::size_t at = 0;
    while (data.size() - at >= headerBytes && data[at] != '\0') {
        const std::size_t size =
            number(data, at + layout.idBytes, layout.sizeBytes, layout.syncSafeSizes);
        const std::size_t start = at + headerBytes;
        if (size > data.size() - start) {
            return FrameSearch::NotFound;
        }
        if (data.substr(at, layout.idBytes) == wanted) {
            const unsigned format = layout.flagBytes == 0
                                        ? 0U
                                        : byteAt(data, at + layout.idBytes + layout.sizeBytes + 1);
            std::string_view payload = data.substr(start, size);
            std::string unsynced;
            if (major == 3) {
                if ((format & 0xC0U) != 0) {
                    return FrameSearch::Packed;
                }
                if ((format & 0x20U) != 0) {
                    payload.remove_prefix(std::min<std::size_t>(1, payload.size()));  // group
                }
            } else if (major == 4) {
                if ((format & 0x0CU) != 0) {
                    return FrameSearch::Packed;
                }
                if ((format & 0x40U) != 0) {
                    payload.remove_prefix(std::min<std::size_t>(1, payload.size()));
                }
                if ((format & 0x01U) != 0) {
                    payload.remove_prefix(std::min<std::size_t>(4, payload.size()));
                }
                if ((format & 0x02U) != 0 || (flags & kTagUnsync) != 0) {
                    unsynced = resynchronised(payload);
                    payload = unsynced;
                }
            }
            frame = lyricsPayload(payload);
            return FrameSearch::Found;
        }
        at = start + size;
    }
    return FrameSearch::NotFound;
}

}  // namespace zor
