#pragma once

#include <string>
#include <vector>

namespace zor::hostsim {

struct HostOptions {
    std::string pluginPath;   // empty: vis_zorlyrics.dll beside hostsim.exe
    bool modernSkin = false;  // the embed function creates the frame inside a host window
    bool oldHost = false;     // IPC_GET_EMBEDIF answers 0, as before host version 5
    bool realtime = false;
    std::string scriptPath;
};

// Throws ScriptError on an unknown option or a missing or extra script argument.
HostOptions parseArguments(const std::vector<std::string>& arguments);

inline constexpr const char* kUsage =
    "usage: hostsim.exe [--plugin DLL] [--modern-skin] [--old-host] [--realtime] SCRIPT";

}  // namespace zor::hostsim
