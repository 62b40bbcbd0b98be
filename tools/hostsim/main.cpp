// hostsim: a stand-in for the Winamp host that loads the plug-in DLL and runs a script.

#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tools/hostsim/HostErrors.h"
#include "tools/hostsim/HostOptions.h"
#include "tools/hostsim/HostSession.h"
#include "tools/hostsim/HostText.h"
#include "tools/hostsim/Output.h"
#include "tools/hostsim/ScriptRunner.h"

namespace {

void printError(const std::string& message) {
    std::fprintf(stderr, "hostsim: %s\n", message.c_str());
}

// The arguments as UTF-8, from the wide command line: a script path may be any Unicode path.
std::vector<std::string> commandArguments() {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide != nullptr && i < count; ++i) {
        arguments.push_back(zor::hostsim::toUtf8(wide[i]));
    }
    LocalFree(wide);
    return arguments;
}

}  // namespace

int main() {
    using namespace zor::hostsim;
    useBinaryStdout();
    HostOptions options;
    std::vector<ScriptCommand> script;
    try {
        options = parseArguments(commandArguments());
        if (options.help) {
            std::printf("%s\n%s\n", kUsage, kHelp);
            return kExitOk;
        }
        script = readScript(options.scriptPath);
    } catch (const ScriptError& error) {
        printError(error.what());  // one line; --help gives the usage
        return kExitBadUsage;
    }
    try {
        HostSession session(options);
        try {
            runScript(script, session);
        } catch (const HostError& error) {
            printError(error.what());
            return kExitRunFailed;
        }
        return session.exitStatus();
    } catch (const HostError& error) {
        printError(error.what());
        return kExitRunFailed;
    }
}
