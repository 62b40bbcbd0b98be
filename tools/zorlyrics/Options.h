#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zor::cli {

enum class Command { Help, Read, Show, Embed };

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
};

struct ParseResult {
    Options options;
    std::string error;  // one line; empty when the arguments are good
};

ParseResult parseArguments(const std::vector<std::string>& arguments);
const char* usageText();

}  // namespace zor::cli
