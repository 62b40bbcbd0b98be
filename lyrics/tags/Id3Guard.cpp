// A walk over the ID3v2 frames the way id3lib walks them, looking only at what it would trust.
#include "lyrics/tags/Id3Guard.h"

#include <optional>

#include <algorithm>
#include <cstddef>
#include <cstdint>

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
constexpr unsigned kFrameFormatFlags = 0xFF;  // compression, encryption, grouping and the like
constexpr char kLatin1 = 0;
constexpr char kUtf8 = 3;

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

// The involved-people list (IPLS, IPL in 2.2) is the library's only list of texts, read text by
// text until no byte is left. In UTF-16 a text is read two bytes at a time, and a last single
// byte is never taken: the reading never ends, and the list grows until memory runs out. Such a
// frame, or one whose bytes a format flag changes so that their count cannot be told here, is
// refused.
bool peopleListSafe(std::string_view id, unsigned flags, std::string_view data) {
    if (id != "IPLS" && id != "IPL") {
        return true;
    }
    if ((flags & kFrameFormatFlags) != 0) {
        return false;
    }
    const bool byteWise = data.empty() || data[0] == kLatin1 || data[0] == kUtf8;
    return byteWise || (data.size() - 1) % 2 == 0;
}

// Every frame of the walk: a compressed one may not claim more than its data can inflate to.
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
        if (major == 2 && frames.substr(at, idBytes) == "CDM") {
            return false;  // 2.2.1 compressed frames: nested tags inflated at any claimed size
        }
        if (!peopleListSafe(frames.substr(at, idBytes), flags,
                            frames.substr(dataStart, static_cast<std::size_t>(dataSize)))) {
            return false;
        }
        if ((flags & kFrameCompressed) != 0) {
            if (!kId3libInflatesSafely) {
                return false;
            }
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

}  // namespace

bool id3TagSafeForLibrary(std::string_view songStart) {
    if (songStart.size() < kTagHeaderSize || songStart.substr(0, 3) != "ID3") {
        return true;
    }
    const int major = static_cast<int>(byteAt(songStart, 3));
    const unsigned flags = byteAt(songStart, 5);
    std::uint64_t size = 0;
    for (std::size_t i = 6; i < kTagHeaderSize; ++i) {
        size = (size << 7) | (byteAt(songStart, i) & 0x7F);
    }
    if (major < 2 || major > 4) {
        return true;  // the library reads no frames of other versions
    }
    std::string_view data = songStart.substr(kTagHeaderSize);
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
        return framesSafe(major, resynchronised(data));
    }
    return framesSafe(major, data);
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
