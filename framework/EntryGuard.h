#pragma once

#include <utility>

namespace zor::fw {

// Every entry point the host or the window system calls runs through guardEntry: nothing thrown
// may unwind into a caller that knows no C++ exceptions (it would end the player). What was
// caught is handed to the reporter, and the caller gets the answer it expects from fallback.
using CaughtReporter = void (*)(const char* where) noexcept;  // called inside the catch
void setCaughtReporter(CaughtReporter reporter);
void reportCaught(const char* where) noexcept;

template <typename Call, typename Fallback>
auto guardEntry(const char* where, Call&& call, Fallback&& fallback) noexcept
    -> decltype(std::forward<Call>(call)()) {
    try {
        return std::forward<Call>(call)();
    } catch (...) {
        reportCaught(where);
    }
    return std::forward<Fallback>(fallback)();
}

}  // namespace zor::fw
