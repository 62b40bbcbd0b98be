#include "lyrics/tags/Mp3Layout.h"

#include <cstddef>

namespace zor {

namespace {

constexpr std::size_t kHeaderSize = 10;
constexpr unsigned kFooterFlag = 0x10;
constexpr std::size_t kId3v1Size = 128;
constexpr std::size_t kLyrics3MarkerSize = 9;
constexpr std::size_t kLyrics3SizeDigits = 6;
constexpr std::size_t kLyrics3v1Window = 5100;
constexpr std::string_view kLyrics3Begin = "LYRICSBEGIN";

unsigned byteAt(std::string_view bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]);
}

// Bytes of an ID3v1 tag and a Lyrics3 tag ahead of it at the end of song.
std::size_t trailerSize(std::string_view song) {
    if (song.size() < kId3v1Size || song.substr(song.size() - kId3v1Size, 3) != "TAG") {
        return 0;
    }
    const std::string_view beforeV1 = song.substr(0, song.size() - kId3v1Size);
    if (beforeV1.size() < kLyrics3MarkerSize + kLyrics3SizeDigits) {
        return kId3v1Size;
    }
    const std::string_view marker = beforeV1.substr(beforeV1.size() - kLyrics3MarkerSize);
    if (marker == "LYRICS200") {
        std::size_t n = 0;
        const std::string_view digits = beforeV1.substr(
            beforeV1.size() - kLyrics3MarkerSize - kLyrics3SizeDigits, kLyrics3SizeDigits);
        for (char c : digits) {
            if (c < '0' || c > '9') {
                return kId3v1Size;
            }
            n = n * 10 + static_cast<std::size_t>(c - '0');
        }
        const std::size_t tag = n + kLyrics3MarkerSize + kLyrics3SizeDigits;
        const bool fits =
            tag <= beforeV1.size() &&
            beforeV1.substr(beforeV1.size() - tag, kLyrics3Begin.size()) == kLyrics3Begin;
        return fits ? kId3v1Size + tag : kId3v1Size;
    }
    if (marker == "LYRICSEND") {
        const std::size_t windowStart =
            beforeV1.size() > kLyrics3v1Window ? beforeV1.size() - kLyrics3v1Window : 0;
        const std::size_t begin = beforeV1.find(kLyrics3Begin, windowStart);
        return begin == std::string_view::npos ? kId3v1Size
                                               : kId3v1Size + (beforeV1.size() - begin);
    }
    return kId3v1Size;
}

}  // namespace

Id3v2Header readId3v2Header(std::string_view song) {
    Id3v2Header header;
    if (song.size() < 3 || song.substr(0, 3) != "ID3") {
        return header;
    }
    header.present = true;
    if (song.size() < kHeaderSize) {
        return header;
    }
    header.major = static_cast<int>(byteAt(song, 3));
    header.minor = static_cast<int>(byteAt(song, 4));
    std::int64_t size = 0;
    for (std::size_t i = 6; i < kHeaderSize; ++i) {
        if (byteAt(song, i) >= 0x80) {
            return header;  // not sync-safe
        }
        size = (size << 7) | byteAt(song, i);
    }
    const bool hasFooter = header.major >= 4 && (byteAt(song, 5) & kFooterFlag) != 0;
    header.tagSize = static_cast<std::int64_t>(kHeaderSize) + size + (hasFooter ? kHeaderSize : 0);
    header.wellFormed = header.major != 0xFF && header.minor != 0xFF &&
                        header.tagSize <= static_cast<std::int64_t>(song.size());
    return header;
}

std::string_view audioOf(std::string_view song) {
    const Id3v2Header header = readId3v2Header(song);
    const auto start = header.wellFormed ? static_cast<std::size_t>(header.tagSize) : 0;
    const std::string_view rest = song.substr(start);
    return rest.substr(0, rest.size() - trailerSize(rest));
}

std::string resynchronised(std::string_view data) {
    std::string out;
    out.reserve(data.size());
    for (std::size_t i = 0; i < data.size(); ++i) {
        out += data[i];
        if (static_cast<unsigned char>(data[i]) == 0xFF && i + 1 < data.size() &&
            data[i + 1] == '\0') {
            ++i;
        }
    }
    return out;
}

}  // namespace zor
