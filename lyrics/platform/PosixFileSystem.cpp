// File access on POSIX systems. Names are matched without regard to letter case when the exact
// name does not exist, so a composed "Song.LRC" finds "song.lrc" as it would on Windows.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "lyrics/platform/FileSystem.h"
#include "lyrics/platform/PosixFolderNames.h"

namespace zor {

namespace {

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() { closeNow(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    bool closeNow() {
        if (fd_ < 0) {
            return true;
        }
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0;
    }

  private:
    int fd_;
};

class PosixInputFile final : public InputFile {
  public:
    PosixInputFile(int fd, std::int64_t size) : fd_(fd), size_(size) {}
    std::int64_t read(char* buffer, std::size_t size) override {
        ssize_t n;
        do {
            n = ::read(fd_.get(), buffer, size);
        } while (n < 0 && errno == EINTR);
        return n;
    }
    std::int64_t size() const override { return size_; }
    bool seek(std::int64_t offset) override {
        return ::lseek(fd_.get(), static_cast<off_t>(offset), SEEK_SET) == offset;
    }

  private:
    FileDescriptor fd_;
    std::int64_t size_;
};

class PosixOutputFile final : public OutputFile {
  public:
    // lastError is the file system's, so a failed write or close is reported with its cause.
    PosixOutputFile(int fd, int& lastError) : fd_(fd), lastError_(lastError) {}
    bool write(const char* data, std::size_t size) override {
        while (size > 0) {
            const ssize_t n = ::write(fd_.get(), data, size);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                lastError_ = n < 0 ? errno : ENOSPC;
                return false;
            }
            data += n;
            size -= static_cast<std::size_t>(n);
        }
        return true;
    }
    bool close() override {
        const bool synced = fd_.get() < 0 || ::fsync(fd_.get()) == 0;
        if (!synced) {
            lastError_ = errno;
        }
        const bool closed = fd_.closeNow();
        if (!closed) {
            lastError_ = errno;
        }
        return closed && synced;
    }

  private:
    FileDescriptor fd_;
    int& lastError_;
};

struct PathParts {
    std::string folder;  // "." for a bare name
    std::string prefix;  // the path up to and with its last separator
    std::string name;
};

PathParts splitPath(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return {".", {}, path};
    }
    return {path.substr(0, slash + 1), path.substr(0, slash + 1), path.substr(slash + 1)};
}

// The folder's own spelling of the path's name when one was found, else the path as written.
std::string joined(const PathParts& parts, const std::string& path,
                   const PosixFolderNames::Match& match) {
    if (match.outcome != PosixFolderNames::Outcome::Found || match.name == parts.name) {
        return path;
    }
    return parts.prefix + match.name;
}

class PosixFileSystem final : public FileSystem {
  public:
    std::unique_ptr<InputFile> openShared(const std::string& path) override {
        const PathParts parts = splitPath(path);
        const PosixFolderNames::Match match = folderNames_.find(parts.folder, parts.name);
        if (match.outcome == PosixFolderNames::Outcome::Absent) {
            // The folder's names are known: a miss costs no open. A folder that cannot be reached
            // holds no file to open either.
            lastError_ = match.error;
            return nullptr;
        }
        const std::string name = joined(parts, path, match);
        // Non-blocking, so a FIFO named like a lyrics file is refused rather than waited on.
        const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0) {
            lastError_ = errno;
            return nullptr;
        }
        struct stat info {};
        if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
            lastError_ = EISDIR;
            ::close(fd);
            return nullptr;
        }
        return std::make_unique<PosixInputFile>(fd, static_cast<std::int64_t>(info.st_size));
    }

    std::unique_ptr<OutputFile> createExclusive(const std::string& path, bool mustBeNew) override {
        const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (mustBeNew ? O_EXCL : O_TRUNC);
        const int fd = ::open(path.c_str(), flags, 0644);
        if (fd < 0) {
            lastError_ = errno;
            return nullptr;
        }
        return std::make_unique<PosixOutputFile>(fd, lastError_);
    }

    bool replace(const std::string& source, const std::string& target) override {
        if (std::rename(source.c_str(), target.c_str()) != 0) {
            lastError_ = errno;
            return false;
        }
        return true;
    }

    bool remove(const std::string& path) override {
        if (::unlink(path.c_str()) != 0) {
            lastError_ = errno;
            return false;
        }
        return true;
    }

    std::string resolve(const std::string& path) override {
        const PathParts parts = splitPath(path);
        return joined(parts, path, folderNames_.find(parts.folder, parts.name));
    }

    int lastError() const override { return lastError_; }

  protected:
    void beginLookup() override { folderNames_.beginMoment(); }
    void endLookup() override { folderNames_.endMoment(); }

  private:
    // Used by every thread that reads lyrics; lastError_ is only meaningful to a single user.
    PosixFolderNames folderNames_;
    int lastError_ = 0;
};

}  // namespace

FileSystem& platformFileSystem() {
    static PosixFileSystem files;
    return files;
}

std::unique_ptr<FileSystem> newPlatformFileSystem() {
    return std::make_unique<PosixFileSystem>();
}

}  // namespace zor
