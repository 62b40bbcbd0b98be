#include "tools/hostsim/HostOptions.h"

#include "tools/hostsim/HostErrors.h"

namespace zor::hostsim {

HostOptions parseArguments(const std::vector<std::string>& arguments) {
    HostOptions options;
    bool haveScript = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            options.help = true;
            return options;
        }
        if (argument == "--plugin") {
            if (i + 1 >= arguments.size()) {
                throw ScriptError("--plugin needs a DLL path");
            }
            options.pluginPath = arguments[++i];
        } else if (argument == "--modern-skin") {
            options.modernSkin = true;
        } else if (argument == "--old-host") {
            options.oldHost = true;
        } else if (argument == "--ansi-host") {
            options.ansiHost = true;
        } else if (argument == "--realtime") {
            options.realtime = true;
        } else if (argument.size() > 1 && argument[0] == '-') {
            throw ScriptError("unknown option " + argument);
        } else if (haveScript) {
            throw ScriptError("more than one script: " + argument);
        } else {
            options.scriptPath = argument;
            haveScript = true;
        }
    }
    if (!haveScript) {
        throw ScriptError("no script given");
    }
    return options;
}

}  // namespace zor::hostsim
