#include "tools/hostsim/HostSession.h"

#include <cstdio>
#include <utility>

#include "tools/hostsim/HostErrors.h"
#include "tools/hostsim/Output.h"

namespace zor::hostsim {
namespace {

// A plug-in offering more modules than this is taken to be faulty rather than listed forever.
constexpr int kMaxModulesListed = 16;

std::string textOf(const char* text) {
    return text == nullptr ? std::string() : text;
}

std::string hexNumber(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%x", static_cast<unsigned>(value));
    return buffer;
}

std::string moduleLine(int which, const winampVisModule& module) {
    return "module " + std::to_string(which) +
           " description=" + printableText(textOf(module.description)) +
           " latencyMs=" + std::to_string(module.latencyMs) +
           " delayMs=" + std::to_string(module.delayMs) +
           " spectrumNch=" + std::to_string(module.spectrumNch) +
           " waveformNch=" + std::to_string(module.waveformNch);
}

// IPC answers that hand out text are pointers into the host's memory.
LRESULT textAnswer(const std::string& text) {
    return reinterpret_cast<LRESULT>(text.c_str());
}

}  // namespace

HostSession::HostSession(HostOptions hostOptions)
    : options(std::move(hostOptions)), mainWindow(*this) {
    if (options.pluginPath.empty()) {
        options.pluginPath = defaultPluginPath();
    }
}

PluginLibrary& HostSession::plugin() {
    if (!library) {
        library = std::make_unique<PluginLibrary>(options.pluginPath);
    }
    return *library;
}

void HostSession::printHeader() {
    const winampVisHeader& header = *plugin().header();
    printLine("header version=" + hexNumber(header.version) +
              " description=" + printableText(textOf(header.description)));
    if (header.getModule == nullptr) {
        throw HostError("the header has no getModule function");
    }
    for (int which = 0; which < kMaxModulesListed; ++which) {
        const winampVisModule* module = header.getModule(which);
        if (module == nullptr) {
            printLine("module " + std::to_string(which) + " null");
            return;
        }
        printLine(moduleLine(which, *module));
    }
    throw HostError("getModule still answers after " + std::to_string(kMaxModulesListed) +
                    " modules");
}

void HostSession::quit() {
    library.reset();
    printLine("quit");
}

LRESULT HostSession::answerIpc(WPARAM wParam, LPARAM ipc) {
    const auto index = static_cast<std::size_t>(wParam);
    const bool inPlaylist = index < player.playlist.size();
    if (ipc == IPC_ISPLAYING) {
        return player.playingState;
    }
    if (ipc == IPC_GETOUTPUTTIME) {
        return player.playingState == 0 ? -1 : player.positionMs;
    }
    if (ipc == IPC_GETLISTPOS) {
        return player.listPosition;
    }
    if (ipc == IPC_GETPLAYLISTFILE) {
        return inPlaylist ? textAnswer(player.playlist[index].path) : 0;
    }
    if (ipc == IPC_GETPLAYLISTTITLE) {
        return inPlaylist ? textAnswer(player.playlist[index].title) : 0;
    }
    // Requests this host does not serve get 0, as from a host without that feature.
    return 0;
}

}  // namespace zor::hostsim
