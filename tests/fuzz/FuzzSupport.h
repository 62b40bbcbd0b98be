#pragma once

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "Fakes.h"
#include "lyrics/model/LyricsCore.h"
#include "lyrics/model/MemoryLineList.h"
#include "lyrics/model/TextLimits.h"
#include "lyrics/platform/FileSystem.h"
#include "lyrics/text/Utf8.h"

// What the fuzz targets share: the input as a file, a core with no host, and a way to stop on a
// broken invariant that libFuzzer records as a crash with its reproducer.
namespace zor::fuzz {

// The fuzz input as an open file; each read returns at most chunk bytes, as a slow device might.
class MemoryInputFile final : public InputFile {
  public:
    explicit MemoryInputFile(std::string_view bytes, std::size_t chunk = SIZE_MAX)
        : bytes_(bytes), chunk_(std::max<std::size_t>(chunk, 1)) {}

    std::int64_t read(char* buffer, std::size_t size) override {
        const std::size_t n = std::min({size, chunk_, bytes_.size() - position_});
        std::memcpy(buffer, bytes_.data() + position_, n);
        position_ += n;
        return static_cast<std::int64_t>(n);
    }
    std::int64_t size() const override { return static_cast<std::int64_t>(bytes_.size()); }
    bool seek(std::int64_t offset) override {
        if (offset < 0 || offset > size()) {
            return false;
        }
        position_ = static_cast<std::size_t>(offset);
        return true;
    }

  private:
    std::string_view bytes_;
    std::size_t chunk_;
    std::size_t position_ = 0;
};

// Files held in memory by name, so a target can hand the input to code that opens files by name
// without touching the disk on every run.
class MemoryFileSystem final : public FileSystem {
  public:
    std::map<std::string, std::string> files;

    std::unique_ptr<InputFile> openShared(const std::string& path) override {
        const auto found = files.find(path);
        if (found == files.end()) {
            error_ = kFileNotFound;
            return nullptr;
        }
        return std::make_unique<MemoryInputFile>(found->second);
    }
    std::unique_ptr<OutputFile> createExclusive(const std::string& path, bool mustBeNew) override {
        if (mustBeNew && files.count(path) > 0) {
            error_ = kFileExists;
            return nullptr;
        }
        files[path].clear();
        return std::make_unique<Output>(files[path]);
    }
    bool replace(const std::string& source, const std::string& target) override {
        const auto found = files.find(source);
        if (found == files.end()) {
            error_ = kFileNotFound;
            return false;
        }
        std::string bytes = std::move(found->second);
        files.erase(found);
        files[target] = std::move(bytes);
        return true;
    }
    bool remove(const std::string& path) override { return files.erase(path) > 0; }
    std::string resolve(const std::string& path) override { return path; }
    int lastError() const override { return error_; }

  private:
    static constexpr int kFileNotFound = 2;
    static constexpr int kFileExists = 17;

    class Output final : public OutputFile {
      public:
        explicit Output(std::string& bytes) : bytes_(bytes) {}
        bool write(const char* data, std::size_t size) override {
            bytes_.append(data, size);
            return true;
        }
        bool close() override { return true; }

      private:
        std::string& bytes_;
    };

    int error_ = 0;
};

// A core over in-memory lists; display mode unless editMode.
struct Core {
    explicit Core(bool editMode, FileSystem& files = platformFileSystem())
        : lyricsList(!editMode),
          editList(editMode),
          core(lyricsList, editList, host, prompt, files) {}

    MemoryLineList lyricsList;
    MemoryLineList editList;
    test::FakeHostLink host;
    test::RecordingPrompt prompt;
    LyricsCore core;
};

// Stops the run as a crash; libFuzzer saves the input that broke the invariant.
[[noreturn]] inline void broken(const char* what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

inline void check(bool holds, const char* what) {
    if (!holds) {
        broken(what);
    }
}

// A file holding the input, removed when done; the path libraries that open by name are given.
class TempInputFile {
  public:
    TempInputFile(const std::uint8_t* data, std::size_t size, const char* suffix) {
        const char* folder = std::getenv("TMPDIR");
        path_ = std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") +
                "/zorfuzz-XXXXXX" + suffix;
        const int fd = ::mkstemps(path_.data(), static_cast<int>(std::strlen(suffix)));
        check(fd >= 0, "cannot create the input file");
        std::size_t done = 0;
        while (done < size) {
            const ssize_t n = ::write(fd, data + done, size - done);
            check(n > 0, "cannot write the input file");
            done += static_cast<std::size_t>(n);
        }
        ::close(fd);
    }
    ~TempInputFile() { std::remove(path_.c_str()); }
    TempInputFile(const TempInputFile&) = delete;
    TempInputFile& operator=(const TempInputFile&) = delete;

    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

// What every read must leave: a table with at most 199 tags and its end entry, and list items
// that fit the list. A read of a file (or a tag) decodes it, so its items are valid UTF-8.
inline void checkReadResult(const Core& c, int count, bool decoded = true) {
    const MemoryLineList& list = c.lyricsList.isVisible() ? c.lyricsList : c.editList;
    check(count == list.count(), "count differs from the list");
    for (const std::string& item : list.items()) {
        check(utf8CharCount(item) <= kMaxItemChars, "an item longer than the list holds");
        check(!decoded || isValidUtf8(item), "an item that is not UTF-8");
        check(item.find('\0') == std::string::npos, "an item with a NUL byte");
    }
    for (const TimeTag& tag : c.core.timeTags) {
        check(tag.seconds >= 0 && tag.ms >= 0, "a negative time");
        check(tag.line >= 0, "a tag without a line");
    }
}

}  // namespace zor::fuzz
