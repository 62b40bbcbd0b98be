#include "tools/hostsim/Output.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <mutex>

namespace zor::hostsim {
namespace {

// The box watcher prints from its own thread; a line is never split by another.
std::mutex& outputMutex() {
    static std::mutex mutex;
    return mutex;
}

}  // namespace

void useBinaryStdout() {
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
}

void printLine(std::string_view line) {
    const std::lock_guard<std::mutex> lock(outputMutex());
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

std::string printableText(std::string_view text) {
    std::string printed;
    printed.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            printed += "\\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            printed += c;
        }
    }
    return printed;
}

}  // namespace zor::hostsim
