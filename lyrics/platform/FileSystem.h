#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace zor {

// The folder separator used when composing names; both '\' and '/' are accepted when splitting.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

inline bool isPathSeparator(char c) {
    return c == '\\' || c == '/';
}

class InputFile {
  public:
    virtual ~InputFile() = default;
    // Reads up to size bytes: the number read, 0 at the end of the file, -1 on an error.
    virtual std::int64_t read(char* buffer, std::size_t size) = 0;
    virtual std::int64_t size() const = 0;
    virtual bool seek(std::int64_t offset) = 0;
};

class OutputFile {
  public:
    virtual ~OutputFile() = default;
    // Writes all of data or fails.
    virtual bool write(const char* data, std::size_t size) = 0;
    // Flushes and closes; false when anything written could not be committed.
    virtual bool close() = 0;
};

// File access where sharing matters. Windows: CreateFileA with read sharing for reads and no
// sharing for writes; elsewhere POSIX, with names matched without regard to letter case as
// Windows would.
class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // Opens a regular file for reading while letting others read it; null when it does not exist,
    // is a folder, or is held open by a writer.
    virtual std::unique_ptr<InputFile> openShared(const std::string& path) = 0;
    // Creates (or with mustBeNew only creates, never truncates) a file for writing, unshared.
    virtual std::unique_ptr<OutputFile> createExclusive(const std::string& path,
                                                        bool mustBeNew) = 0;
    // Puts source in place of target in one step, replacing target when it exists.
    virtual bool replace(const std::string& source, const std::string& target) = 0;
    virtual bool remove(const std::string& path) = 0;
    // The name of the existing file that path names, found without regard to letter case; path
    // itself when there is none or the file system matches names that way already.
    virtual std::string resolve(const std::string& path) = 0;
    // The system's code for the last failure of this object's operations.
    virtual int lastError() const = 0;

    // One search for a song's lyrics, which looks in a few folders for many names, is one
    // moment: while it lasts, a file system may take what it learnt of a folder at its first
    // use on this thread as still true, instead of asking the system again for every name.
    class LookupMoment {
      public:
        explicit LookupMoment(FileSystem& files) : files_(files) { files_.beginLookup(); }
        ~LookupMoment() { files_.endLookup(); }
        LookupMoment(const LookupMoment&) = delete;
        LookupMoment& operator=(const LookupMoment&) = delete;

      private:
        FileSystem& files_;
    };

  protected:
    virtual void beginLookup() {}
    virtual void endLookup() {}
};

// The platform's own implementation.
FileSystem& platformFileSystem();
// One of its own, for a thread other than the one that uses platformFileSystem (an object
// keeps the last failure's code, which two threads would otherwise share).
std::unique_ptr<FileSystem> newPlatformFileSystem();

}  // namespace zor
