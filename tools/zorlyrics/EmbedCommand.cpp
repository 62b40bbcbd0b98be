// zorlyrics embed: a lyrics file into a song, as "Save in MP3" stores the edit list.
#include <iostream>

#include "Commands.h"
#include "Session.h"
#include "lyrics/lookup/SongNames.h"
#include "lyrics/tags/SongLyrics.h"

namespace zor::cli {

namespace {

int failure(const std::string& message) {
    std::cerr << "zorlyrics: " << message << '\n';
    return 1;
}

}  // namespace

int runEmbed(const Options& options) {
    const std::string& song = options.paths[0];
    const std::string& lyricsFile = options.paths[1];
    if (lyricsStoreName(song).empty()) {
        return failure(song + " is not a kind of song that lyrics can be stored into");
    }
    Session session(true, song, {}, std::nullopt, options.codePage);
    if (!session.core.files.openShared(song)) {
        return failure("cannot read " + song);
    }
    const auto file = session.core.files.openShared(lyricsFile);
    if (!file) {
        return failure("cannot read " + lyricsFile);
    }
    int count = 0;
    session.core.readLines(*file, count);
    const std::string text = session.core.editListText();
    if (text.empty()) {
        return failure(lyricsFile + " holds no lyrics");
    }
    const Id3StoreOutcome outcome = storeLyricsInSong(song, text);
    if (outcome.result != Id3StoreResult::Stored) {
        const std::string reason = outcome.message.empty() ? "the store failed" : outcome.message;
        return failure("cannot store the lyrics in " + song + ": " + reason);
    }
    std::cout << "stored " << session.editList.count() << " lines\n";
    return 0;
}

}  // namespace zor::cli
