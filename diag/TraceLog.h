#pragma once

#include <string>

namespace zor {

class Prompt;

// The switchable trace log: off unless traceEnabled is set, and then each call appends one line
// ended by CR LF to the log file.
extern int traceEnabled;

void setLogPath(const std::string& path);
const std::string& logPath();
// Where a failure to open the log is reported; none: not reported.
void setTracePrompt(Prompt* prompt);
int traceLine(const std::string& text, bool truncate = false);
int traceValue(int number, const std::string& label, bool truncate = false);

}  // namespace zor
