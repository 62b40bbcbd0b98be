// The platform half of diagnostics on Windows: the system's message texts and the log file.
#include <windows.h>

#include <limits>

#include "diag/LogFile.h"
#include "lyrics/platform/WideText.h"
#include "lyrics/ports/ErrorReport.h"

namespace zor {

namespace {

// The text FormatMessageW allocates; freed with LocalFree.
class SystemText {
  public:
    SystemText() = default;
    ~SystemText() { ::LocalFree(text_); }
    SystemText(const SystemText&) = delete;
    SystemText& operator=(const SystemText&) = delete;
    wchar_t** address() { return &text_; }
    const wchar_t* get() const { return text_; }

  private:
    wchar_t* text_ = nullptr;
};

class LogHandle {
  public:
    explicit LogHandle(HANDLE handle) : handle_(handle) {}
    ~LogHandle() { closeNow(); }
    LogHandle(const LogHandle&) = delete;
    LogHandle& operator=(const LogHandle&) = delete;
    HANDLE get() const { return handle_; }
    bool isOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool closeNow() {
        if (!isOpen()) {
            return true;
        }
        const BOOL closed = ::CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed != FALSE;
    }

  private:
    HANDLE handle_;
};

bool writeAll(HANDLE handle, const std::string& bytes) {
    if (bytes.size() > std::numeric_limits<DWORD>::max()) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    DWORD written = 0;
    const BOOL ok =
        ::WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    return ok != FALSE && written == bytes.size();
}

}  // namespace

std::string systemErrorText(int code) {
    SystemText text;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(code), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
        reinterpret_cast<LPWSTR>(text.address()), 0, nullptr);
    if (length == 0 || text.get() == nullptr) {
        // A code the system has no text for still gets a box that says which code it was.
        return "Error " + std::to_string(code);
    }
    return win::toUtf8(std::wstring_view(text.get(), length));
}

bool appendToLogFile(const std::string& path, const std::string& bytes, bool truncate,
                     int& errorCode) {
    LogHandle log(::CreateFileW(win::toWide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                truncate ? CREATE_ALWAYS : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
    if (!log.isOpen()) {
        errorCode = static_cast<int>(::GetLastError());
        return false;
    }
    LARGE_INTEGER none{};
    if (!::SetFilePointerEx(log.get(), none, nullptr, FILE_END) || !writeAll(log.get(), bytes) ||
        !log.closeNow()) {
        errorCode = static_cast<int>(::GetLastError());
        return false;
    }
    return true;
}

}  // namespace zor
