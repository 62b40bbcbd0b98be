#include "tools/hostsim/ScriptRunner.h"

#include <algorithm>
#include <fstream>

#include "tools/hostsim/HostErrors.h"
#include "tools/hostsim/HostSession.h"
#include "tools/hostsim/HostText.h"

namespace zor::hostsim {
namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view skipBlanks(std::string_view text) {
    const std::size_t start = text.find_first_not_of(kBlanks);
    return start == std::string_view::npos ? std::string_view() : text.substr(start);
}

// Splits off the next blank-separated word; text keeps what follows it.
std::string_view takeWord(std::string_view& text) {
    text = skipBlanks(text);
    const std::size_t end = std::min(text.find_first_of(kBlanks), text.size());
    const std::string_view word = text.substr(0, end);
    text.remove_prefix(end);
    return word;
}

std::string lineError(int lineNumber, const std::string& message) {
    return "line " + std::to_string(lineNumber) + ": " + message;
}

}  // namespace

std::vector<ScriptCommand> parseScriptLine(std::string_view line, int lineNumber) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    std::string_view rest = skipBlanks(line);
    if (rest.empty() || rest.front() == '#') {
        return {};
    }
    const std::string name(takeWord(rest));
    const CommandEntry* command = findCommand(name);
    if (command == nullptr) {
        throw ScriptError(lineError(lineNumber, "unknown command \"" + name + "\""));
    }
    CommandArguments arguments;
    while (arguments.size() < command->maxArguments && !skipBlanks(rest).empty()) {
        const bool isLast = arguments.size() + 1 == command->maxArguments;
        arguments.emplace_back(isLast ? skipBlanks(rest) : takeWord(rest));
        if (isLast) {
            rest = {};
        }
    }
    if (!skipBlanks(rest).empty()) {
        throw ScriptError(lineError(lineNumber, name + ": too many arguments"));
    }
    if (arguments.size() < command->minArguments) {
        throw ScriptError(lineError(lineNumber, name + ": missing arguments"));
    }
    if (command->check != nullptr) {
        const std::string problem = command->check(arguments);
        if (!problem.empty()) {
            throw ScriptError(lineError(lineNumber, name + ": " + problem));
        }
    }
    return {ScriptCommand{lineNumber, command, std::move(arguments)}};
}

std::vector<ScriptCommand> readScript(const std::string& path) {
    std::ifstream file(filePath(path), std::ios::binary);
    if (!file) {
        throw ScriptError("cannot open script " + path);
    }
    std::vector<ScriptCommand> script;
    std::string line;
    try {
        for (int lineNumber = 1; std::getline(file, line); ++lineNumber) {
            for (ScriptCommand& command : parseScriptLine(line, lineNumber)) {
                script.push_back(std::move(command));
            }
        }
    } catch (const ScriptError& error) {
        throw ScriptError(path + ": " + error.what());
    }
    return script;
}

void runScript(const std::vector<ScriptCommand>& script, HostSession& session) {
    for (const ScriptCommand& step : script) {
        try {
            step.command->run(session, step.arguments);
        } catch (const HostError& error) {
            throw HostError(lineError(step.lineNumber, error.what()));
        }
        session.settle();
    }
}

}  // namespace zor::hostsim
