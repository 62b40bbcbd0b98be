#pragma once

#include <windows.h>

namespace zor::hostsim {

// Owns a kernel handle (event, thread, file) and closes it when it goes.
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE owned) : handle(owned == INVALID_HANDLE_VALUE ? nullptr : owned) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle(other.handle) { other.handle = nullptr; }
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset();
            handle = other.handle;
            other.handle = nullptr;
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    HANDLE get() const { return handle; }
    explicit operator bool() const { return handle != nullptr; }
    void reset() {
        if (handle != nullptr) {
            CloseHandle(handle);
            handle = nullptr;
        }
    }

  private:
    HANDLE handle = nullptr;
};

}  // namespace zor::hostsim
