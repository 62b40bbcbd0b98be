// hostsim: a stand-in for the Winamp host that loads the plug-in DLL and runs a script.

#include <cstdio>
#include <string>
#include <vector>

#include "tools/hostsim/HostErrors.h"
#include "tools/hostsim/HostOptions.h"
#include "tools/hostsim/HostSession.h"
#include "tools/hostsim/Output.h"
#include "tools/hostsim/ScriptRunner.h"

namespace {

void printError(const std::string& message) {
    std::fprintf(stderr, "hostsim: %s\n", message.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    using namespace zor::hostsim;
    useBinaryStdout();
    HostOptions options;
    std::vector<ScriptCommand> script;
    try {
        options = parseArguments(std::vector<std::string>(argv + 1, argv + argc));
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
