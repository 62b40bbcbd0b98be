// zorlyrics: the plug-in's lyrics lookup and reader, and its store into MP3 files, without a host.
#include <iostream>
#include <string>
#include <vector>

#include "Commands.h"
#include "Options.h"

int main(int argc, char** argv) {
    using namespace zor::cli;
    const ParseResult parsed = parseArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::cerr << "zorlyrics: " << parsed.error << '\n';
        return 2;
    }
    switch (parsed.options.command) {
        case Command::Read:
            return runRead(parsed.options);
        case Command::Show:
            return runShow(parsed.options);
        case Command::Embed:
            return runEmbed(parsed.options);
        case Command::Search:
            return runSearch(parsed.options);
        case Command::Publish:
            return runPublish(parsed.options);
        case Command::Help:
            break;
    }
    std::cout << usageText();
    return 0;
}
