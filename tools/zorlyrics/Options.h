#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zor::cli {

enum class Command { Help, Read, Show, Embed, Search, Publish };

// A moment asked for with --at: as written, and in milliseconds.
struct AtTime {
    std::string text;
    long long ms = 0;
};

struct Options {
    Command command = Command::Help;
    bool edit = false;
    int count = 0;
    std::vector<AtTime> atTimes;
    bool precise = false;
    bool sameTime = false;  // each "at" lists every line highlighted with the selected one
    int offsetMs = 0;       // the live adjustment
    int codePage = 0;       // the fallback code page; 0: the ANSI code page (1252 natively)
    std::string alternativeFolder;
    std::map<std::string, std::string> metadata;
    std::optional<std::string> playlistTitle;
    std::vector<std::string> paths;  // FILE; SONG; or SONG LYRICSFILE
    // The online step (show --online) and the search.
    bool online = false;
    std::optional<std::string> server;      // none: the public service
    std::optional<double> durationSeconds;  // the song's length
    std::string caFile;                     // certificates trusted for this run
    std::string missesFile;                 // the memory of misses; none when empty
    std::string title;                      // search
    std::string artist;
    std::string album;
    bool dryRun = false;  // publish: print what would be sent, send nothing
};

struct ParseResult {
    Options options;
    std::string error;  // one line; empty when the arguments are good
};

ParseResult parseArguments(const std::vector<std::string>& arguments);
const char* usageText();

}  // namespace zor::cli
