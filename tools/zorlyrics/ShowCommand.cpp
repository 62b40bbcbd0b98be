// zorlyrics show: the whole load step for one song, as the plug-in runs it; with --online, the
// online step after the local sources.
#include <ctime>
#include <iostream>
#include <optional>

#include "Commands.h"
#include "OnlineSupport.h"
#include "Report.h"
#include "Session.h"

namespace zor::cli {

namespace {

std::string metadataValue(const Options& options, const char* key) {
    const auto found = options.metadata.find(key);
    return found == options.metadata.end() ? std::string() : found->second;
}

// False when the online step failed: the reason is printed and nothing was written.
bool runOnlineStep(const Options& options, Session& session) {
    OnlineSupport online(options);
    std::optional<MissMemory> misses;
    if (!options.missesFile.empty()) {
        misses.emplace(session.core.files, options.missesFile);
    }
    OnlineLookup lookup(online.transport, session.core.files, online.server,
                        misses ? &*misses : nullptr);
    const std::string& song = options.paths[0];
    const OnlineSong onlineSong{
        song,
        TrackSignature{metadataValue(options, "Artist"), metadataValue(options, "Title"),
                       metadataValue(options, "Album"), options.durationSeconds},
        options.alternativeFolder};
    const CancelFlag never{false};
    const OnlineOutcome outcome =
        lookup.run(onlineSong, never, std::time(nullptr), [&] { session.core.loadLyrics(song); });
    switch (outcome.result) {
        case OnlineResult::Unreachable:
        case OnlineResult::Busy:
        case OnlineResult::BadAnswer:
        case OnlineResult::Cancelled:
        case OnlineResult::NotSaved:
            std::cerr << onlineFailureLine(online.server, outcome.result, outcome.detail) << '\n';
            return false;
        default:
            return true;
    }
}

}  // namespace

int runShow(const Options& options) {
    const std::string& song = options.paths[0];
    Session session(options.edit, song, options.metadata, options.playlistTitle, options.codePage);
    session.core.AlternativeLRCPath = options.alternativeFolder;
    session.core.PreciseTiming = options.precise ? 1 : 0;
    session.core.loadLyrics(song);
    if (options.online && session.core.lyricsFound == 0 && !runOnlineStep(options, session)) {
        return kOnlineFailedStatus;
    }
    session.core.liveAdjustMs = options.offsetMs;  // a load of a new song starts from none
    printSource(std::cout, session.core);
    printLines(std::cout, session.core, options.atTimes, options.sameTime);
    return 0;
}

}  // namespace zor::cli
