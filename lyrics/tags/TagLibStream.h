#pragma once

#include <taglib/tiostream.h>

#include <cstdint>
#include <string>

#include "lyrics/platform/FileSystem.h"

namespace zor {

// A song opened through our file system, handed to TagLib read-only. A read never asks for more
// than the file still holds, so a size field inside a tag cannot make it allocate beyond the
// file's size.
class InputFileStream : public TagLib::IOStream {
  public:
    explicit InputFileStream(InputFile& file);

    TagLib::FileName name() const override;
    TagLib::ByteVector readBlock(unsigned long length) override;
    void writeBlock(const TagLib::ByteVector& data) override;
    void insert(const TagLib::ByteVector& data, unsigned long start,
                unsigned long replace) override;
    void removeBlock(unsigned long start, unsigned long length) override;
    bool readOnly() const override { return true; }
    bool isOpen() const override { return true; }
    void seek(long offset, Position p) override;
    long tell() const override { return static_cast<long>(position_); }
    long length() override { return static_cast<long>(length_); }
    void truncate(long length) override;

  private:
    // TagLib reads a tag in many small pieces, mostly near the start or the end of the song. Two
    // windows of the file serve them, so that a song's tags cost a few reads of the system.
    struct Window {
        std::int64_t start = -1;
        std::string bytes;
        bool holds(std::int64_t from, std::int64_t size) const {
            return start >= 0 && from >= start &&
                   from + size <= start + static_cast<std::int64_t>(bytes.size());
        }
    };

    std::int64_t readAt(std::int64_t from, char* into, std::int64_t size);
    const Window* windowFor(std::int64_t from, std::int64_t size);

    InputFile& file_;
    std::int64_t length_;
    std::int64_t position_ = 0;
    Window windows_[2];
    int lastLoaded_ = 1;
};

}  // namespace zor
