#pragma once

#include <string>
#include <string_view>

namespace zor::hostsim {

// Everything the host prints goes through here: one line, ended by LF alone, flushed at once so
// that the output stays in order with the plug-in's own activity and survives a crash.
// Safe to call from any thread.
void useBinaryStdout();
void printLine(std::string_view line);

// A text received from the plug-in, as printed: each line break (CR LF, CR or LF) becomes "\n".
std::string printableText(std::string_view text);

}  // namespace zor::hostsim
