// The trace log: one line per call, appended to the log file while tracing is switched on.
#include "diag/TraceLog.h"

#include "diag/LogFile.h"
#include "lyrics/model/TextLimits.h"
#include "lyrics/ports/ErrorReport.h"

namespace zor {

namespace {

// A line and its CR LF are assembled in a 512-byte buffer with its terminator.
constexpr std::size_t kMaxTraceLineChars = kTextBufferSize - 3;
// A label and its number are composed in a 52-byte buffer with its terminator.
constexpr std::size_t kMaxTraceValueChars = 51;

std::string& currentLogPath() {
    static std::string path = "log.txt";
    return path;
}

Prompt*& currentTracePrompt() {
    static Prompt* prompt = nullptr;
    return prompt;
}

}  // namespace

int traceEnabled = 0;

void setLogPath(const std::string& path) {
    currentLogPath() = path;
}

const std::string& logPath() {
    return currentLogPath();
}

void setTracePrompt(Prompt* prompt) {
    currentTracePrompt() = prompt;
}

int traceLine(const std::string& text, bool truncate) {
    if (traceEnabled == 0) {
        return 1;
    }
    const std::string line = text.substr(0, kMaxTraceLineChars) + "\r\n";
    int errorCode = 0;
    if (!appendToLogFile(logPath(), line, truncate, errorCode)) {
        if (Prompt* prompt = currentTracePrompt()) {
            reportError(*prompt, PromptOwner::None, errorCode, "Error");
        }
        return 0;
    }
    return 1;
}

int traceValue(int number, const std::string& label, bool truncate) {
    if (traceEnabled == 0) {
        return 1;
    }
    const std::string text = label + std::to_string(number);
    return traceLine(text.substr(0, kMaxTraceValueChars), truncate);
}

}  // namespace zor
