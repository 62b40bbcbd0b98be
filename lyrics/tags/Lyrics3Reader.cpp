// The Lyrics3 tag (versions 1 and 2) that sits just ahead of the ID3v1 tag: located from the last
// 143 bytes of the song, read as one window and searched as bytes, never as C strings, since the
// window of a short version 1 tag also holds audio data with NUL bytes in it.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "lyrics/model/LyricsCore.h"
#include "lyrics/model/TextFunctions.h"
#include "lyrics/text/TextEncoding.h"

namespace zor {

namespace {

constexpr std::int64_t kId3v1Size = 128;
constexpr std::int64_t kTrailerProbeSize = 143;  // size digits, end marker and the ID3v1 tag
constexpr std::size_t kMarkerSize = 9;
constexpr std::size_t kSizeDigits = 6;
constexpr int kVersion1Window = 5100;
constexpr std::string_view kBeginMarker = "LYRICSBEGIN";
constexpr std::string_view kVersion1End = "LYRICSEND";
constexpr std::string_view kVersion2End = "LYRICS200";
constexpr std::size_t kFieldIdSize = 3;
constexpr std::size_t kFieldLengthDigits = 5;
constexpr std::size_t kFieldHeaderSize = kFieldIdSize + kFieldLengthDigits;
constexpr std::string_view kLyricsFieldId = "LYR";

// Position of the first occurrence of marker in bytes, ignoring case; npos when there is none.
std::size_t findIgnoringCase(std::string_view bytes, std::string_view marker) {
    if (bytes.size() < marker.size()) {
        return std::string_view::npos;
    }
    for (std::size_t at = 0; at + marker.size() <= bytes.size(); ++at) {
        if (equalsIgnoringCase(bytes.substr(at, marker.size()), marker)) {
            return at;
        }
    }
    return std::string_view::npos;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The value of the leading decimal digits; 0 when the text does not start with one.
int leadingNumber(std::string_view digits) {
    int value = 0;
    for (char c : digits) {
        if (!isDigit(c)) {
            break;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

// -1 unless every character is a decimal digit.
int strictNumber(std::string_view digits) {
    return std::all_of(digits.begin(), digits.end(), isDigit) ? leadingNumber(digits) : -1;
}

// Reads exactly size bytes at offset, or fails.
bool readAt(InputFile& file, std::int64_t offset, std::string& bytes, std::size_t size) {
    bytes.assign(size, '\0');
    if (!file.seek(offset)) {
        return false;
    }
    std::size_t done = 0;
    while (done < size) {
        const std::int64_t n = file.read(bytes.data() + done, size - done);
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The data of the first "LYR" field of a version 2 field area; empty when the walk meets the end
// of the area, a damaged field header or a field that runs past the area.
std::string_view lyricsField(std::string_view fields) {
    std::size_t at = 0;
    while (at + kFieldHeaderSize <= fields.size()) {
        const std::string_view id = fields.substr(at, kFieldIdSize);
        const int length = strictNumber(fields.substr(at + kFieldIdSize, kFieldLengthDigits));
        if (length < 0) {
            return {};
        }
        const std::size_t dataStart = at + kFieldHeaderSize;
        const auto dataLength = static_cast<std::size_t>(length);
        if (dataLength > fields.size() - dataStart) {
            return {};
        }
        if (equalsIgnoringCase(id, kLyricsFieldId)) {
            return fields.substr(dataStart, dataLength);
        }
        at = dataStart + dataLength;
    }
    return {};
}

}  // namespace

int LyricsCore::readLyrics3Tag(const std::string& path, int& count) {
    const auto file = files.openShared(path);
    if (!file) {
        return 0;
    }
    const std::int64_t size = file->size();
    std::string trailer;
    if (size < kTrailerProbeSize ||
        !readAt(*file, size - kTrailerProbeSize, trailer, kTrailerProbeSize)) {
        return 0;
    }
    const std::string_view marker = std::string_view(trailer).substr(kSizeDigits, kMarkerSize);
    if (equalsIgnoringCase(marker, kVersion1End)) {
        return readLyrics3(*file, size - kId3v1Size - kVersion1Window, 1, kVersion1Window, count);
    }
    if (equalsIgnoringCase(marker, kVersion2End)) {
        const int tagSize = leadingNumber(std::string_view(trailer).substr(0, kSizeDigits));
        const int windowLength = tagSize + static_cast<int>(kSizeDigits + kMarkerSize);
        return readLyrics3(*file, size - kId3v1Size - windowLength, 2, windowLength, count);
    }
    return 0;
}

int LyricsCore::readLyrics3(InputFile& file, std::int64_t windowStart, int version,
                            int windowLength, int& count) {
    if (windowLength <= 0 || windowStart < 0 || windowStart > file.size() - windowLength) {
        return 0;
    }
    std::string buffer;
    if (!readAt(file, windowStart, buffer, static_cast<std::size_t>(windowLength))) {
        return 0;
    }
    const std::string_view window = buffer;
    const std::size_t begin = findIgnoringCase(window, kBeginMarker);
    if (begin == std::string_view::npos) {
        return 0;
    }
    const std::size_t areaStart = begin + kBeginMarker.size();
    const std::string_view endMarker = version == 1 ? kVersion1End : kVersion2End;
    // The size digits of version 2 sit between the fields and the end marker.
    const std::size_t trailerSize = version == 1 ? kMarkerSize : kMarkerSize + kSizeDigits;
    if (window.size() < areaStart + trailerSize ||
        !equalsIgnoringCase(window.substr(window.size() - kMarkerSize), endMarker)) {
        return 0;
    }
    const std::string_view area = window.substr(areaStart, window.size() - trailerSize - areaStart);
    const std::string_view text = version == 1 ? area : lyricsField(area);
    // The format says nothing of the text's encoding: UTF-8 when it is valid, as any unmarked
    // file.
    const std::string_view bytes = text.substr(0, text.find('\0'));
    DecodedText decoded = decodeFileText(std::string(bytes), fallbackCodePage());
    lyricsEncoding = decoded.encoding;
    readLines(decoded.text, count);
    return 1;
}

}  // namespace zor
