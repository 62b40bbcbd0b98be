#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zor::hostsim {

class HostSession;

using CommandArguments = std::vector<std::string>;

// One script command. The last of its arguments is the rest of the line and may hold spaces.
struct CommandEntry {
    std::string_view name;
    std::size_t minArguments;
    std::size_t maxArguments;
    // Checks the arguments when the script is read: an empty answer, or what is wrong.
    std::string (*check)(const CommandArguments& arguments);
    void (*run)(HostSession& session, const CommandArguments& arguments);
};

// The command of that name, or null.
const CommandEntry* findCommand(std::string_view name);

}  // namespace zor::hostsim
