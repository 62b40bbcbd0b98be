// zorlyrics show: the whole load step for one song, as the plug-in runs it.
#include <iostream>

#include "Commands.h"
#include "Report.h"
#include "Session.h"

namespace zor::cli {

int runShow(const Options& options) {
    const std::string& song = options.paths[0];
    Session session(options.edit, song, options.metadata, options.playlistTitle, options.codePage);
    session.core.AlternativeLRCPath = options.alternativeFolder;
    session.core.PreciseTiming = options.precise ? 1 : 0;
    session.core.loadLyrics(song);
    session.core.liveAdjustMs = options.offsetMs;  // a load of a new song starts from none
    printSource(std::cout, session.core);
    printLines(std::cout, session.core, options.atTimes, options.sameTime);
    return 0;
}

}  // namespace zor::cli
