#include "framework/EntryGuard.h"

#include <atomic>

namespace zor::fw {

namespace {

std::atomic<CaughtReporter> caughtReporter{nullptr};

}  // namespace

void setCaughtReporter(CaughtReporter reporter) {
    caughtReporter = reporter;
}

void reportCaught(const char* where) noexcept {
    if (const CaughtReporter reporter = caughtReporter) {
        reporter(where);
    }
}

}  // namespace zor::fw
