// zorlyrics search: the online service's records for a title, best first, as the search
// dialog lists them.
#include <cmath>
#include <iostream>

#include "Commands.h"
#include "OnlineSupport.h"
#include "lyrics/platform/FileSystem.h"

namespace zor::cli {

namespace {

// A field of a tab-separated line: tabs and line breaks become spaces.
std::string field(std::string text) {
    for (char& c : text) {
        if (c == '\t' || c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return text;
}

// Whole seconds as such, else with up to three decimals: "233", "233.5".
std::string seconds(double value) {
    std::string text = std::to_string(std::llround(value * 1000.0));
    while (text.size() < 4) {
        text.insert(0, "0");
    }
    text.insert(text.size() - 3, ".");
    while (text.back() == '0') {
        text.pop_back();
    }
    if (text.back() == '.') {
        text.pop_back();
    }
    return text;
}

const char* kindOf(const LyricsRecord& record) {
    if (record.hasSynced()) {
        return "synced";
    }
    if (record.hasPlain()) {
        return "plain";
    }
    return record.instrumental ? "instrumental" : "none";
}

}  // namespace

int runSearch(const Options& options) {
    OnlineSupport online(options);
    OnlineLookup lookup(online.transport, platformFileSystem(), online.server);
    const TrackSignature signature{options.artist, options.title, options.album,
                                   options.durationSeconds};
    const CancelFlag never{false};
    const OnlineSearch listing = lookup.search(signature, never);
    if (listing.result != OnlineResult::Found && listing.result != OnlineResult::NotFound) {
        std::cerr << onlineFailureLine(online.server, listing.result, listing.detail) << '\n';
        return kOnlineFailedStatus;
    }
    for (const LyricsRecord& record : listing.records) {
        std::cout << record.id << '\t' << kindOf(record) << '\t' << seconds(record.duration) << '\t'
                  << field(record.artistName) << '\t' << field(record.trackName) << '\t'
                  << field(record.albumName.value_or("")) << '\n';
    }
    return 0;
}

}  // namespace zor::cli
