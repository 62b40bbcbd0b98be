// zorlyrics read: the reader alone, on one file.
#include <iostream>

#include "Commands.h"
#include "Report.h"
#include "Session.h"

namespace zor::cli {

int runRead(const Options& options) {
    const std::string& path = options.paths[0];
    Session session(options.edit, path, {}, std::nullopt, options.codePage);
    const auto file = session.core.files.openShared(path);
    if (!file) {
        std::cerr << "zorlyrics: cannot open " << path << '\n';
        return 2;
    }
    LineList& list = session.core.visibleList();
    for (int i = 0; i < options.count; ++i) {
        list.append("header " + std::to_string(i));
    }
    session.core.PreciseTiming = options.precise ? 1 : 0;
    int count = options.count;
    session.core.readLines(*file, count);
    session.core.sortTimeTags();
    session.core.liveAdjustMs = options.offsetMs;
    printEncoding(std::cout, session.core);
    printLines(std::cout, session.core, options.atTimes, options.sameTime);
    return 0;
}

}  // namespace zor::cli
