// File access on Windows: lyrics and songs are opened sharing read only, so a file that an editor
// holds open for writing is skipped; saves write unshared. Paths arrive as UTF-8.
#include <windows.h>

#include "lyrics/platform/FileSystem.h"
#include "lyrics/platform/WideText.h"

namespace zor {

namespace {

class Win32Handle {
  public:
    explicit Win32Handle(HANDLE handle) : handle_(handle) {}
    ~Win32Handle() { closeNow(); }
    Win32Handle(const Win32Handle&) = delete;
    Win32Handle& operator=(const Win32Handle&) = delete;
    HANDLE get() const { return handle_; }
    bool closeNow() {
        if (handle_ == INVALID_HANDLE_VALUE) {
            return true;
        }
        const BOOL ok = ::CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return ok != FALSE;
    }

  private:
    HANDLE handle_;
};

class Win32InputFile final : public InputFile {
  public:
    Win32InputFile(HANDLE handle, std::int64_t size) : handle_(handle), size_(size) {}
    std::int64_t read(char* buffer, std::size_t size) override {
        DWORD got = 0;
        const DWORD want = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
        if (!::ReadFile(handle_.get(), buffer, want, &got, nullptr)) {
            return -1;
        }
        return got;
    }
    std::int64_t size() const override { return size_; }
    bool seek(std::int64_t offset) override {
        LARGE_INTEGER to;
        to.QuadPart = offset;
        return ::SetFilePointerEx(handle_.get(), to, nullptr, FILE_BEGIN) != FALSE;
    }

  private:
    Win32Handle handle_;
    std::int64_t size_;
};

class Win32OutputFile final : public OutputFile {
  public:
    // lastError is the file system's, so a failed write or close is reported with its cause.
    Win32OutputFile(HANDLE handle, int& lastError) : handle_(handle), lastError_(lastError) {}
    bool write(const char* data, std::size_t size) override {
        while (size > 0) {
            const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
            DWORD written = 0;
            if (!::WriteFile(handle_.get(), data, chunk, &written, nullptr) || written == 0) {
                const DWORD code = ::GetLastError();
                lastError_ = code != 0 ? static_cast<int>(code) : ERROR_DISK_FULL;
                return false;
            }
            data += written;
            size -= written;
        }
        return true;
    }
    bool close() override {
        const bool flushed =
            handle_.get() == INVALID_HANDLE_VALUE || ::FlushFileBuffers(handle_.get()) != FALSE;
        if (!flushed) {
            lastError_ = static_cast<int>(::GetLastError());
        }
        const bool closed = handle_.closeNow();
        if (!closed) {
            lastError_ = static_cast<int>(::GetLastError());
        }
        return closed && flushed;
    }

  private:
    Win32Handle handle_;
    int& lastError_;
};

class Win32FileSystem final : public FileSystem {
  public:
    std::unique_ptr<InputFile> openShared(const std::string& path) override {
        HANDLE handle = ::CreateFileW(win::toWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            lastError_ = static_cast<int>(::GetLastError());
            return nullptr;
        }
        LARGE_INTEGER size;
        if (!::GetFileSizeEx(handle, &size)) {
            lastError_ = static_cast<int>(::GetLastError());
            ::CloseHandle(handle);
            return nullptr;
        }
        return std::make_unique<Win32InputFile>(handle, size.QuadPart);
    }

    std::unique_ptr<OutputFile> createExclusive(const std::string& path, bool mustBeNew) override {
        HANDLE handle =
            ::CreateFileW(win::toWide(path).c_str(), GENERIC_WRITE, 0, nullptr,
                          mustBeNew ? CREATE_NEW : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            lastError_ = static_cast<int>(::GetLastError());
            return nullptr;
        }
        return std::make_unique<Win32OutputFile>(handle, lastError_);
    }

    bool replace(const std::string& source, const std::string& target) override {
        if (!::MoveFileExW(win::toWide(source).c_str(), win::toWide(target).c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            lastError_ = static_cast<int>(::GetLastError());
            return false;
        }
        return true;
    }

    bool remove(const std::string& path) override {
        if (!::DeleteFileW(win::toWide(path).c_str())) {
            lastError_ = static_cast<int>(::GetLastError());
            return false;
        }
        return true;
    }

    // Windows matches names without regard to case already.
    std::string resolve(const std::string& path) override { return path; }

    int lastError() const override { return lastError_; }

  private:
    int lastError_ = 0;
};

}  // namespace

FileSystem& platformFileSystem() {
    static Win32FileSystem files;
    return files;
}

std::unique_ptr<FileSystem> newPlatformFileSystem() {
    return std::make_unique<Win32FileSystem>();
}

}  // namespace zor
