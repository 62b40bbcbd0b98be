#include "lyrics/tags/SongFileRewrite.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "lyrics/platform/FileLength.h"
#include "lyrics/platform/LibraryPath.h"

namespace zor {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const {
        std::fclose(file);  // NOLINT(cppcoreguidelines-owning-memory): the C library owns FILE
    }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

constexpr std::size_t kCopyBlock = std::size_t{64} * 1024;

}  // namespace

bool readWholeFile(const std::string& path, std::string& bytes) {
    const FileHandle file(std::fopen(pathForLibrary(path).c_str(), "rb"));
    if (!file) {
        return false;
    }
    bytes.clear();
    std::vector<char> block(kCopyBlock);
    std::size_t n = 0;
    while ((n = std::fread(block.data(), 1, block.size(), file.get())) > 0) {
        bytes.append(block.data(), n);
    }
    return std::ferror(file.get()) == 0;
}

bool overwriteInPlace(const std::string& path, std::string_view bytes) {
    // "r+b" neither creates nor truncates: the song must exist, and its length is set afterwards.
    FileHandle file(std::fopen(pathForLibrary(path).c_str(), "r+b"));
    if (!file) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    const bool cut = written && setFileLength(file.get(), static_cast<std::int64_t>(bytes.size()));
    const bool closed = std::fclose(file.release()) == 0;
    return written && cut && closed;
}

RepairResult repairLeftBehindFile(const std::string& songPath) {
    // The library names its file after the name it was given.
    const std::string leftBehind = pathForLibrary(songPath) + std::string(kLeftBehindSuffix);
    std::string rewritten;
    {
        const FileHandle file(std::fopen(leftBehind.c_str(), "rb"));
        if (!file) {
            return RepairResult::NothingLeft;
        }
        std::vector<char> block(kCopyBlock);
        std::size_t n = 0;
        while ((n = std::fread(block.data(), 1, block.size(), file.get())) > 0) {
            rewritten.append(block.data(), n);
        }
    }
    if (!overwriteInPlace(songPath, rewritten)) {
        return RepairResult::Failed;
    }
    return std::remove(leftBehind.c_str()) == 0 ? RepairResult::Repaired : RepairResult::Failed;
}

}  // namespace zor
