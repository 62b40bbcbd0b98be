#include "tools/hostsim/Commands.h"

#include <array>

#include "tools/hostsim/HostSession.h"

namespace zor::hostsim {
namespace {

void header(HostSession& session, const CommandArguments& /*arguments*/) {
    session.printHeader();
}

void quit(HostSession& session, const CommandArguments& /*arguments*/) {
    session.quit();
}

constexpr std::array kCommands = {
    CommandEntry{"header", 0, 0, header},
    CommandEntry{"quit", 0, 0, quit},
};

}  // namespace

const CommandEntry* findCommand(std::string_view name) {
    for (const CommandEntry& command : kCommands) {
        if (command.name == name) {
            return &command;
        }
    }
    return nullptr;
}

}  // namespace zor::hostsim
