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
    if (wanted <= 0 || !file_.seek(position_)) {
        return {};
    }
    TagLib::ByteVector block(static_cast<unsigned int>(wanted), '\0');
    std::int64_t done = 0;
    while (done < wanted) {
        const std::int64_t n =
            file_.read(block.data() + done, static_cast<std::size_t>(wanted - done));
        if (n <= 0) {
            break;
        }
        done += n;
    }
    block.resize(static_cast<unsigned int>(done));
    position_ += done;
    return block;
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
