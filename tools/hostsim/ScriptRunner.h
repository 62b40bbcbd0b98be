#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/hostsim/Commands.h"

namespace zor::hostsim {

struct ScriptCommand {
    int lineNumber;
    const CommandEntry* command;
    CommandArguments arguments;
};

// One script line: blank and comment lines (first non-blank character '#') give nothing.
// Throws ScriptError for an unknown command or a wrong number of arguments.
std::vector<ScriptCommand> parseScriptLine(std::string_view line, int lineNumber);

// The whole script, checked before any of it runs. Throws ScriptError.
std::vector<ScriptCommand> readScript(const std::string& path);

void runScript(const std::vector<ScriptCommand>& script, HostSession& session);

}  // namespace zor::hostsim
