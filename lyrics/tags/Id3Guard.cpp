// A walk over the ID3v2 frames the way id3lib walks them, looking only at what it would trust.
#include "lyrics/tags/Id3Guard.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "lyrics/tags/Mp3Layout.h"

namespace zor {

namespace {

constexpr std::size_t kTagHeaderSize = 10;
constexpr unsigned kUnsyncFlag = 0x80;
constexpr unsigned kExtendedFlag = 0x40;
constexpr unsigned kFrameCompressed = 0x80;   // the library reads this bit for 2.3 and 2.4 alike
constexpr std::size_t kFrameHeaderSize = 10;  // what the library wants left before a frame
constexpr std::uint64_t kMaxInflateRatio = 1032;  // deflate cannot expand further
constexpr std::uint64_t kInflateSlack = 64;
constexpr unsigned kFrameFormatFlags = 0xFF;   // compression, encryption, grouping and the like
constexpr unsigned kFirstTwoByteEncoding = 1;  // UTF-16 with BOM
constexpr unsigned kLastTwoByteEncoding = 3;   // UTF-8, which the library reads as UTF-16

unsigned byteAt(std::string_view bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]);
}

std::uint64_t bigEndian(std::string_view bytes, std::size_t at, std::size_t count) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        value = (value << 8) | byteAt(bytes, at + i);
    }
    return value;
}

// Bytes the library skips as an extended header, or none when it would overrun its flag buffer.
bool extendedHeaderSize(int major, std::string_view data, std::size_t& size) {
    if (major == 3) {
        size = data.size() >= 10 && bigEndian(data, 4, 2) != 0 ? 14 : 10;
        return true;
    }
    // 2.4: size (4), number of flag bytes (1), the flags, then per set flag a length and data.
    if (data.size() < 6 || byteAt(data, 4) != 1) {
        return false;
    }
    const unsigned flags = byteAt(data, 5);
    std::size_t at = 6;
    for (unsigned bit : {0x40U, 0x20U, 0x10U}) {
        if ((flags & bit) != 0) {
            if (at >= data.size()) {
                return false;
            }
            at += 1 + byteAt(data, at);
        }
    }
    size = at;
    return true;
}

// The library names a frame by the text before the first NUL of its ID, and looks a three-letter
// name up among the version 2.2 frames in every version: "IPL\0" in an ID3v2.3 tag is IPL.
std::string_view libraryFrameName(std::string_view idBytes) {
    return idBytes.substr(0, idBytes.find('\0'));
}

// The involved-people list (IPLS, IPL) is the library's only list of texts, read text by text
// until no byte is left. Encodings 1 to 3 are read two bytes at a time (UTF-8 too) and a last
// single byte is never taken, so a list of odd length is never done: it grows until memory runs
// out. Such a frame, or one whose bytes a format flag changes so that their count cannot be told
// here, is refused. Encoding bytes above 3 leave the list in Latin-1, read a byte at a time.
bool peopleListSafe(unsigned flags, std::string_view data) {
    if ((flags & kFrameFormatFlags) != 0) {
        return false;
    }
    if (data.empty()) {
        return true;
    }
    const unsigned encoding = byteAt(data, 0);
    const bool twoByte = encoding >= kFirstTwoByteEncoding && encoding <= kLastTwoByteEncoding;
    return !twoByte || (data.size() - 1) % 2 == 0;
}

// A frame the library would take apart at this offset: a people list must be finite, and a
// version 2.2 compressed frame (CDM) is never handed over, as it holds further frames inflated
// at any claimed size, which may hold further CDM frames.
bool frameKindSafe(int major, std::string_view frames, std::size_t at) {
    const std::size_t idBytes = major == 2 ? 3 : 4;
    const std::size_t sizeBytes = major == 2 ? 3 : 4;
    const std::size_t flagBytes = major == 2 ? 0 : 2;
    const std::string_view name = libraryFrameName(frames.substr(at, idBytes));
    if (name != "CDM" && name != "IPLS" && name != "IPL") {
        return true;
    }
    // Also keeps these names in a picture's bytes from refusing a song: there the size that
    // follows them hardly ever fits.
    const std::uint64_t dataSize = bigEndian(frames, at + idBytes, sizeBytes);
    if (dataSize > frames.size() - at) {
        return true;  // the library reads no frame that does not fit
    }
    if (name == "CDM") {
        return false;
    }
    // It measures the fit from the frame's header, so the data may be cut short by the tag's end.
    const std::size_t dataStart = at + idBytes + sizeBytes + flagBytes;
    const unsigned flags =
        flagBytes == 0 ? 0U : static_cast<unsigned>(bigEndian(frames, at + idBytes + sizeBytes, 2));
    return peopleListSafe(flags, frames.substr(dataStart, static_cast<std::size_t>(dataSize)));
}

// The library does not always go on where a frame's size says the next one starts: after a field
// it cannot read, or a UTF-16 text with an odd byte, it goes on inside the frame. So every offset
// where a frame header fits is looked at as the start of a frame.
bool everyOffsetSafe(int major, std::string_view frames) {
    for (std::size_t at = 0; at + kFrameHeaderSize <= frames.size(); ++at) {
        if (!frameKindSafe(major, frames, at)) {
            return false;
        }
    }
    return true;
}

// Every frame of the walk: a compressed one may not claim more than its data can inflate to.
// (The library's own bound keeps it from asking for more; this keeps the guard's answer the same
// for every build.)
bool framesSafe(int major, std::string_view frames) {
    const std::size_t idBytes = major == 2 ? 3 : 4;
    const std::size_t sizeBytes = major == 2 ? 3 : 4;
    const std::size_t flagBytes = major == 2 ? 0 : 2;
    const std::size_t headerBytes = idBytes + sizeBytes + flagBytes;
    std::size_t at = 0;
    while (at < frames.size() && frames[at] != '\0') {
        if (frames.size() - at < kFrameHeaderSize) {
            return true;  // the library stops here
        }
        const std::uint64_t dataSize = bigEndian(frames, at + idBytes, sizeBytes);
        const unsigned flags =
            flagBytes == 0 ? 0U
                           : static_cast<unsigned>(bigEndian(frames, at + idBytes + sizeBytes, 2));
        const std::size_t dataStart = at + headerBytes;
        if (dataSize > frames.size() - at) {
            return true;  // a frame that does not fit ends the walk
        }
        if ((flags & kFrameCompressed) != 0) {
            if (dataSize < 4 || dataStart + 4 > frames.size()) {
                return false;
            }
            const std::uint64_t claimed = bigEndian(frames, dataStart, 4);
            if (claimed > (dataSize - 4) * kMaxInflateRatio + kInflateSlack) {
                return false;
            }
        }
        at = dataStart + static_cast<std::size_t>(dataSize);
    }
    return true;
}

// One ID3v2 tag at the start of the text; tagBytes is where the library goes on reading.
bool tagSafe(std::string_view tag, std::size_t& tagBytes) {
    const int major = static_cast<int>(byteAt(tag, 3));
    const unsigned flags = byteAt(tag, 5);
    std::uint64_t size = 0;
    for (std::size_t i = 6; i < kTagHeaderSize; ++i) {
        size = (size << 7) | (byteAt(tag, i) & 0x7F);
    }
    tagBytes = kTagHeaderSize + static_cast<std::size_t>(size);
    if (major < 2 || major > 4) {
        return true;  // the library reads no frames of other versions
    }
    std::string_view data = tag.substr(kTagHeaderSize);
    if (data.size() > size) {
        data = data.substr(0, static_cast<std::size_t>(size));
    }
    if (major >= 3 && (flags & kExtendedFlag) != 0) {
        std::size_t skip = 0;
        if (!extendedHeaderSize(major, data, skip)) {
            return false;
        }
        data.remove_prefix(std::min(skip, data.size()));
    }
    if ((flags & kUnsyncFlag) != 0) {
        const std::string frames = resynchronised(data);
        return framesSafe(major, frames) && everyOffsetSafe(major, frames);
    }
    return framesSafe(major, data) && everyOffsetSafe(major, data);
}

}  // namespace

// The library reads tag after tag at a song's start, each where the one before ends (a song
// given whole, as when it is saved into, may hold several).
bool id3TagSafeForLibrary(std::string_view songStart) {
    std::string_view rest = songStart;
    while (rest.size() >= kTagHeaderSize && rest.substr(0, 3) == "ID3") {
        std::size_t tagBytes = 0;
        if (!tagSafe(rest, tagBytes)) {
            return false;
        }
        if (tagBytes >= rest.size()) {
            break;
        }
        rest.remove_prefix(tagBytes);
    }
    return true;
}

std::optional<std::string> readLeadingId3v2Tag(FileSystem& files, const std::string& songPath) {
    const auto file = files.openShared(songPath);
    if (!file) {
        return std::nullopt;  // nothing to read, or no regular file (a FIFO would block the
                              // library)
    }
    std::string header(kTagHeaderSize, '\0');
    if (file->read(header.data(), header.size()) != static_cast<std::int64_t>(header.size()) ||
        header.compare(0, 3, "ID3") != 0) {
        return std::string();
    }
    std::size_t size = 0;
    for (std::size_t i = 6; i < kTagHeaderSize; ++i) {
        size = (size << 7) | (byteAt(header, i) & 0x7F);
    }
    // The header's size is only a claim: no more is set aside than the file holds.
    const std::int64_t fileSize = file->size();
    const std::size_t held = fileSize > static_cast<std::int64_t>(kTagHeaderSize)
                                 ? static_cast<std::size_t>(fileSize)
                                 : kTagHeaderSize;
    std::string tag = header;
    tag.resize(std::min(kTagHeaderSize + size, held));
    std::size_t done = kTagHeaderSize;
    while (done < tag.size()) {
        const std::int64_t n = file->read(tag.data() + done, tag.size() - done);
        if (n <= 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    tag.resize(done);
    return tag;
}

bool id3TagSafeForLibrary(FileSystem& files, const std::string& songPath) {
    const auto tag = readLeadingId3v2Tag(files, songPath);
    return tag && id3TagSafeForLibrary(*tag);
}

}  // namespace zor
