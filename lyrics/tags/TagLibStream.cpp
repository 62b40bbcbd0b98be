#include "lyrics/tags/TagLibStream.h"

#include <algorithm>
#include <limits>

namespace zor {

namespace {

// TagLib's positions are longs (32 bits on Windows) and its blocks have unsigned int sizes: a
// larger song is read as far as both reach.
std::int64_t streamLength(const InputFile& file) {
    const std::int64_t most = std::min<std::int64_t>(std::numeric_limits<long>::max(),
                                                     std::numeric_limits<unsigned int>::max());
    return std::clamp<std::int64_t>(file.size(), 0, most);
}

}  // namespace

InputFileStream::InputFileStream(InputFile& file) : file_(file), length_(streamLength(file)) {}

TagLib::FileName InputFileStream::name() const {
    return "";
}

TagLib::ByteVector InputFileStream::readBlock(unsigned long length) {
    const std::int64_t wanted = std::min<std::int64_t>(length, length_ - position_);
    if (wanted <= 0) {
        return {};
    }
    if (const Window* window = windowFor(position_, wanted)) {
        const char* from = window->bytes.data() + (position_ - window->start);
        position_ += wanted;
        return TagLib::ByteVector(from, static_cast<unsigned int>(wanted));
    }
    TagLib::ByteVector block(static_cast<unsigned int>(wanted), '\0');
    const std::int64_t done = readAt(position_, block.data(), wanted);
    block.resize(static_cast<unsigned int>(done));
    position_ += done;
    return block;
}

// Reads up to size bytes at from: how many it could, short at an error or an early end.
std::int64_t InputFileStream::readAt(std::int64_t from, char* into, std::int64_t size) {
    if (!file_.seek(from)) {
        return 0;
    }
    std::int64_t done = 0;
    while (done < size) {
        const std::int64_t n = file_.read(into + done, static_cast<std::size_t>(size - done));
        if (n <= 0) {
            break;
        }
        done += n;
    }
    return done;
}

// A window holding the bytes asked for, loaded when none does; null for a large read, which is
// made directly.
const InputFileStream::Window* InputFileStream::windowFor(std::int64_t from, std::int64_t size) {
    constexpr std::int64_t kWindowSize = std::int64_t{8} * 1024;
    if (size > kWindowSize) {
        return nullptr;
    }
    for (const Window& window : windows_) {
        if (window.holds(from, size)) {
            return &window;
        }
    }
    // Near the end of the song the window ends with it, so the tags there share one read.
    const std::int64_t start =
        std::max<std::int64_t>(0, std::min<std::int64_t>(from, length_ - kWindowSize));
    const std::int64_t windowSize = std::min<std::int64_t>(kWindowSize, length_ - start);
    lastLoaded_ = 1 - lastLoaded_;
    Window& window = windows_[lastLoaded_];
    window.bytes.resize(static_cast<std::size_t>(windowSize));
    if (readAt(start, window.bytes.data(), windowSize) != windowSize) {
        window.start = -1;
        return nullptr;
    }
    window.start = start;
    return &window;
}

// The stream is read-only: TagLib checks readOnly() before it writes, so these are never reached.
void InputFileStream::writeBlock(const TagLib::ByteVector& /*data*/) {}
void InputFileStream::insert(const TagLib::ByteVector& /*data*/, unsigned long /*start*/,
                             unsigned long /*replace*/) {}
void InputFileStream::removeBlock(unsigned long /*start*/, unsigned long /*length*/) {}
void InputFileStream::truncate(long /*length*/) {}

void InputFileStream::seek(long offset, Position p) {
    std::int64_t base = 0;
    if (p == Current) {
        base = position_;
    } else if (p == End) {
        base = length_;
    }
    position_ = std::clamp<std::int64_t>(base + offset, 0, length_);
}

}  // namespace zor
