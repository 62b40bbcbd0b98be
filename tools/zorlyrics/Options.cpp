// The command line: which command, its options and its paths.
#include "Options.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>

#include "lyrics/platform/CodePage.h"

namespace zor::cli {

namespace {

constexpr std::array<const char*, 7> kMetadataKeys = {"Title", "Artist", "Album", "Track",
                                                      "Year",  "Date",   "Genre"};
constexpr long kMaxCount = 100000;
constexpr long kMaxCodePage = 65535;
constexpr long kMaxOffsetMs = 60000;

bool parseNumber(const std::string& text, long limit, int& value) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    errno = 0;
    const long number = std::strtol(text.c_str(), nullptr, 10);
    if (errno != 0 || number > limit) {
        return false;
    }
    value = static_cast<int>(number);
    return true;
}

// Seconds with an optional fraction ("7", "7.49"); milliseconds beyond the third digit dropped.
bool parseMoment(const std::string& text, long long& ms) {
    const std::size_t point = text.find('.');
    const std::string whole = text.substr(0, point);
    const std::string fraction = point == std::string::npos ? "0" : text.substr(point + 1);
    int seconds = 0;
    if (!parseNumber(whole, 0x7FFFFFFF, seconds) || fraction.empty() ||
        fraction.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    const std::string thousandths = (fraction + "000").substr(0, 3);
    ms = static_cast<long long>(seconds) * 1000 + std::stoi(thousandths);
    return true;
}

// A signed whole number of milliseconds within a minute either way.
bool parseOffset(const std::string& text, int& ms) {
    const bool negative = !text.empty() && text[0] == '-';
    const bool signed_ = !text.empty() && (text[0] == '-' || text[0] == '+');
    int magnitude = 0;
    if (!parseNumber(signed_ ? text.substr(1) : text, kMaxOffsetMs, magnitude)) {
        return false;
    }
    ms = negative ? -magnitude : magnitude;
    return true;
}

bool isMetadataKey(const std::string& key) {
    return std::any_of(kMetadataKeys.begin(), kMetadataKeys.end(),
                       [&](const char* known) { return key == known; });
}

class Parser {
  public:
    explicit Parser(const std::vector<std::string>& arguments) : arguments_(arguments) {}

    ParseResult run() {
        if (arguments_.empty()) {
            return fail("no command given (try zorlyrics --help)");
        }
        const std::string& command = arguments_[0];
        if (command == "--help" || command == "-h" || command == "help") {
            result_.options.command = Command::Help;
            return result_;
        }
        if (command == "read") {
            result_.options.command = Command::Read;
        } else if (command == "show") {
            result_.options.command = Command::Show;
        } else if (command == "embed") {
            result_.options.command = Command::Embed;
        } else if (command == "search") {
            result_.options.command = Command::Search;
        } else if (command == "publish") {
            result_.options.command = Command::Publish;
        } else {
            return fail("unknown command '" + command + "' (try zorlyrics --help)");
        }
        for (next_ = 1; next_ < arguments_.size() && result_.error.empty(); ++next_) {
            takeArgument(arguments_[next_]);
        }
        if (result_.error.empty()) {
            checkPaths();
        }
        return result_;
    }

  private:
    ParseResult fail(const std::string& message) {
        result_.error = message;
        return result_;
    }

    bool allows(const std::string& option) const {
        const Command command = result_.options.command;
        const bool online =
            command == Command::Show || command == Command::Search || command == Command::Publish;
        const bool asksByName = command == Command::Search || command == Command::Publish;
        if (option == "--codepage") {
            return command != Command::Search;
        }
        if (option == "--server" || option == "--duration" || option == "--ca") {
            return online;
        }
        if (option == "--dry-run") {
            return command == Command::Publish;
        }
        if (option == "--online" || option == "--misses") {
            return command == Command::Show;
        }
        if (option == "--title" || option == "--artist" || option == "--album") {
            return asksByName;
        }
        if (option == "--offset") {
            return command == Command::Read || command == Command::Show ||
                   command == Command::Publish;
        }
        if (option == "--edit" || option == "--at" || option == "--precise" ||
            option == "--same-time") {
            return command == Command::Read || command == Command::Show;
        }
        if (option == "--count") {
            return command == Command::Read;
        }
        if (option == "--alt" || option == "--meta" || option == "--playlist-title") {
            return command == Command::Show;
        }
        return false;
    }

    const std::string* value(const std::string& option) {
        if (next_ + 1 >= arguments_.size()) {
            fail(option + " needs a value");
            return nullptr;
        }
        return &arguments_[++next_];
    }

    void takeArgument(const std::string& argument) {
        if (optionsEnded_ || argument.empty() || argument[0] != '-' || argument == "-") {
            result_.options.paths.push_back(argument);
            return;
        }
        if (argument == "--") {
            optionsEnded_ = true;
            return;
        }
        if (!allows(argument)) {
            fail("unknown option " + argument + " for " + arguments_[0]);
            return;
        }
        Options& options = result_.options;
        if (argument == "--edit") {
            options.edit = true;
            return;
        }
        if (argument == "--precise") {
            options.precise = true;
            return;
        }
        if (argument == "--online") {
            options.online = true;
            return;
        }
        if (argument == "--dry-run") {
            options.dryRun = true;
            return;
        }
        if (argument == "--same-time") {
            options.sameTime = true;
            return;
        }
        const std::string* text = value(argument);
        if (text == nullptr) {
            return;
        }
        if (argument == "--count") {
            if (!parseNumber(*text, kMaxCount, options.count)) {
                fail("--count needs a number from 0 to " + std::to_string(kMaxCount));
            }
        } else if (argument == "--at") {
            long long ms = 0;
            if (!parseMoment(*text, ms)) {
                fail("--at needs a number of seconds, not '" + *text + "'");
                return;
            }
            options.atTimes.push_back(AtTime{*text, ms});
        } else if (argument == "--offset") {
            if (!parseOffset(*text, options.offsetMs)) {
                fail("--offset needs milliseconds from -" + std::to_string(kMaxOffsetMs) + " to " +
                     std::to_string(kMaxOffsetMs) + ", not '" + *text + "'");
            }
        } else if (argument == "--codepage") {
            if (!parseNumber(*text, kMaxCodePage, options.codePage) ||
                (options.codePage != 0 && !codePageAvailable(options.codePage))) {
                fail("--codepage needs a code page this system can convert, not '" + *text + "'");
            }
        } else if (argument == "--alt") {
            options.alternativeFolder = *text;
        } else if (argument == "--playlist-title") {
            options.playlistTitle = *text;
        } else if (argument == "--meta") {
            takeMetadata(*text);
        } else if (argument == "--duration") {
            long long ms = 0;
            if (!parseMoment(*text, ms)) {
                fail("--duration needs a number of seconds, not '" + *text + "'");
                return;
            }
            options.durationSeconds = static_cast<double>(ms) / 1000.0;
        } else if (argument == "--server") {
            options.server = *text;
        } else if (argument == "--ca") {
            options.caFile = *text;
        } else if (argument == "--misses") {
            options.missesFile = *text;
        } else if (argument == "--title") {
            options.title = *text;
        } else if (argument == "--artist") {
            options.artist = *text;
        } else if (argument == "--album") {
            options.album = *text;
        }
    }

    void takeMetadata(const std::string& pair) {
        const auto equals = pair.find('=');
        const std::string key = pair.substr(0, equals);
        if (equals == std::string::npos || !isMetadataKey(key)) {
            fail(
                "--meta needs KEY=VALUE with KEY one of Title, Artist, Album, Track, Year, Date, "
                "Genre");
            return;
        }
        result_.options.metadata[key] = pair.substr(equals + 1);
    }

    void checkPaths() {
        const Options& options = result_.options;
        if (options.command == Command::Publish) {
            if (options.paths.size() != 1) {
                fail("publish needs one LYRICSFILE");
            } else if (options.title.empty() || options.artist.empty()) {
                fail("publish needs --title and --artist, neither empty");
            } else if (!options.durationSeconds) {
                fail("publish needs --duration");
            }
            return;
        }
        if (result_.options.command == Command::Search) {
            if (!result_.options.paths.empty()) {
                fail("search takes no path");
            } else if (result_.options.title.empty()) {
                fail("search needs --title");
            }
            return;
        }
        const std::size_t wanted = result_.options.command == Command::Embed ? 2 : 1;
        if (result_.options.paths.size() != wanted) {
            fail(arguments_[0] +
                 (wanted == 2 ? " needs SONG and LYRICSFILE"
                              : (result_.options.command == Command::Read ? " needs one FILE"
                                                                          : " needs one SONG")));
        }
    }

    const std::vector<std::string>& arguments_;
    ParseResult result_;
    std::size_t next_ = 0;
    bool optionsEnded_ = false;
};

}  // namespace

ParseResult parseArguments(const std::vector<std::string>& arguments) {
    return Parser(arguments).run();
}

const char* usageText() {
    return "usage:\n"
           "  zorlyrics read [--edit] [--precise] [--offset MS] [--count N] [--at S]... "
           "[--same-time]\n"
           "                 [--codepage N] FILE\n"
           "      read FILE as the lyrics reader does, into a list already holding N items\n"
           "  zorlyrics show [--edit] [--precise] [--offset MS] [--alt DIR] [--meta KEY=VALUE]...\n"
           "                 [--playlist-title TEXT] [--at S]... [--same-time] [--codepage N] "
           "SONG\n"
           "      load the lyrics the plug-in would show for SONG (--alt: alternative folder;\n"
           "      KEY: Title, Artist, Album, Track, Year, Date or Genre). The first source that\n"
           "      opens wins: in DIR Song.LRC, Song.TXT, \"Artist - Title.LRC\", \"Artist - "
           "Title.TXT\";\n"
           "      beside SONG Song.LRC, Song.TXT; in the Lyrics folder beside SONG Song.LRC,\n"
           "      Song.TXT, \"Artist - Title.LRC\", \"Artist - Title.TXT\"; then the tags inside "
           "SONG\n"
           "      (MP3: ID3v2 lyrics frame, synchronised lyrics, LYRICS user text, Lyrics3, APE;\n"
           "      FLAC, Ogg, Opus: LYRICS comments; MP4/M4A: \xC2\xA9lyr; APE, MPC, WV: APE "
           "Lyrics;\n"
           "      WMA: WM/Lyrics)\n"
           "      --precise: timing to the millisecond (PreciseTiming=1); --offset MS: the live\n"
           "      adjustment; --at S: seconds, with a fraction if wanted (--at 7.49); "
           "--same-time:\n"
           "      each at line lists every line highlighted (SameTimeLines=1), the selected last\n"
           "  zorlyrics embed [--codepage N] SONG LYRICSFILE\n"
           "      store LYRICSFILE into SONG (MP3, FLAC, OGG, OPUS, M4A, MP4) as \"Save in MP3\" "
           "does\n"
           "  zorlyrics show --online [--server URL] [--duration S] [--misses FILE] [--ca FILE]\n"
           "                 [show's options] SONG\n"
           "      the same, and when no local source has lyrics, ask the online service by the\n"
           "      --meta Artist, Title and Album and the length S; what it finds is saved as\n"
           "      Song.LRC (synced) or Song.TXT (plain) where a new LRC goes, then loaded\n"
           "  zorlyrics search [--server URL] [--ca FILE] --title T [--artist A] [--album B]\n"
           "                   [--duration S]\n"
           "      list the service's records, best first: id, synced/plain/instrumental, length,\n"
           "      artist, title, album, separated by tabs (with S: lengths within 2 s only)\n"
           "  zorlyrics publish [--server URL] [--ca FILE] --title T --artist A [--album B]\n"
           "                    --duration S [--offset MS] [--codepage N] [--dry-run] LYRICSFILE\n"
           "      publish LYRICSFILE's timed lines to the online service, where they become\n"
           "      public: prints what it sends, solves the service's proof of work, sends;\n"
           "      --offset MS: the live adjustment baked into the times with the file's own\n"
           "      [offset:]; --dry-run: print the JSON that would be sent and send nothing\n"
           "  zorlyrics --help\n"
           "--server: the service (default https://lrclib.net; plain http only to this machine);\n"
           "--ca FILE: PEM certificates trusted for this run; ZORLYRICS_LOOPBACK_ONLY=1 refuses\n"
           "every server but this machine\n"
           "--codepage N: the Windows code page of files that have no byte-order mark and are not\n"
           "UTF-8; without it such a file is read in the code page its bytes suggest, as the\n"
           "plug-in does (DetectCodePage=1), else in 1252; all text is printed as UTF-8\n"
           "exit status: 0 done; 1 embed failed; 2 bad arguments or a FILE read cannot open;\n"
           "3 the online service could not be asked, answered wrongly or refused a publish\n"
           "(nothing written)\n";
}

}  // namespace zor::cli
