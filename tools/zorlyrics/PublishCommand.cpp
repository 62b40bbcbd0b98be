// zorlyrics publish: a lyrics file's timed lines to the online service, as the plug-in's publish
// key sends the lines the user timed.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <sstream>

#include "Commands.h"
#include "OnlineSupport.h"
#include "Session.h"
#include "lyrics/online/PublishRequest.h"
#include "lyrics/online/PublishSummary.h"
#include "lyrics/online/Publisher.h"

namespace zor::cli {

namespace {

// The summary the confirmation shows: the song, the count of timed lines, the first lines.
void printSummary(std::ostream& out, const PublishTrack& track, const PublishText& text,
                  const std::string& server) {
    out << "artist " << track.artist << '\n'
        << "title " << track.title << '\n'
        << "album " << track.album << '\n'
        << "duration " << track.durationSeconds << '\n'
        << timedLinesText(text.timedLines) << '\n';
    std::istringstream lines(publishPreview(text));
    std::string line;
    while (std::getline(lines, line)) {
        out << "  " << line << '\n';
    }
    out << publicSentence(server) << '\n';
}

}  // namespace

int runPublish(const Options& options) {
    const std::string& path = options.paths[0];
    Session session(true, path, {}, std::nullopt, options.codePage);
    const auto file = session.core.files.openShared(path);
    if (!file) {
        std::cerr << "zorlyrics: cannot open " << path << '\n';
        return 2;
    }
    int count = 0;
    session.core.readLines(*file, count);
    const PublishText text = makePublishText(allItems(session.editList), {0, options.offsetMs});
    if (text.timedLines == 0) {
        std::cerr << "zorlyrics: " << path << " has no time tags: there is nothing to publish\n";
        return 2;
    }
    const PublishTrack track{options.artist, options.title, options.album,
                             *options.durationSeconds};
    if (options.dryRun) {
        std::cout << publishBody(track, text) << '\n';
        return 0;
    }

    OnlineSupport online(options);
    printSummary(std::cout, track, text, online.server);
    std::cout.flush();
    Publisher publisher(online.transport, online.server, proofOfWorkThreads());
    const CancelFlag never{false};
    std::atomic<std::uint64_t> hashes{0};
    const auto start = std::chrono::steady_clock::now();
    const PublishOutcome outcome = publisher.publish(track, text, never, hashes);
    const std::chrono::duration<double> taken = std::chrono::steady_clock::now() - start;
    char timing[96];
    std::snprintf(timing, sizeof timing, "hashes %llu in %.2f s\n",
                  static_cast<unsigned long long>(outcome.hashes), taken.count());
    std::cout << timing;
    if (outcome.result != PublishResult::Published) {
        std::cerr << "zorlyrics: " << publishOutcomeText(outcome) << '\n';
        return kOnlineFailedStatus;
    }
    std::cout << publishOutcomeText(outcome) << '\n';
    return 0;
}

}  // namespace zor::cli
