// The song-information header at the top of the lyrics list, and the genre names it shows.
#include "lyrics/lookup/SongInfo.h"
#include "lyrics/text/Utf8.h"

#include <array>
#include <cctype>
#include <chrono>
#include <optional>
#include <string_view>
#include <thread>

#include "lyrics/model/LyricsCore.h"
#include "lyrics/model/TextFunctions.h"
#include "lyrics/model/TextLimits.h"

namespace zor {

namespace {

// The ID3v1 genres extended by Winamp's, spelt as Winamp's list spells them.
// clang-format off
constexpr std::array<const char*, 148> kGenres = {
    "Blues", "Classic Rock", "Country", "Dance", "Disco", "Funk", "Grunge", "Hip-Hop", "Jazz",
    "Metal", "New Age", "Oldies", "Other", "Pop", "R&B", "Rap", "Reggae", "Rock", "Techno",
    "Industrial", "Alternative", "Ska", "Death Metal", "Pranks", "Soundtrack", "Euro-Techno",
    "Ambient", "Trip-Hop", "Vocal", "Jazz+Funk", "Fusion", "Trance", "Classical", "Instrumental",
    "Acid", "House", "Game", "Sound Clip", "Gospel", "Noise", "AlternRock", "Bass", "Soul", "Punk",
    "Space", "Meditative", "Instrumental Pop", "Instrumental Rock", "Ethnic", "Gothic", "Darkwave",
    "Techno-Industrial", "Electronic", "Pop-Folk", "Eurodance", "Dream", "Southern Rock", "Comedy",
    "Cult", "Gangsta", "Top 40", "Christian Rap", "Pop/Funk", "Jungle", "Native American",
    "Cabaret", "New Wave", "Psychadelic", "Rave", "Showtunes", "Trailer", "Lo-Fi", "Tribal",
    "Acid Punk", "Acid Jazz", "Polka", "Retro", "Musical", "Rock & Roll", "Hard Rock", "Folk",
    "Folk-Rock", "National Folk", "Swing", "Fast Fusion", "Bebob", "Latin", "Revival", "Celtic",
    "Bluegrass", "Avantgarde", "Gothic Rock", "Progressive Rock", "Psychedelic Rock",
    "Symphonic Rock", "Slow Rock", "Big Band", "Chorus", "Easy Listening", "Acoustic", "Humour",
    "Speech", "Chanson", "Opera", "Chamber Music", "Sonata", "Symphony", "Booty Bass", "Primus",
    "Porn Groove", "Satire", "Slow Jam", "Club", "Tango", "Samba", "Folklore", "Ballad",
    "Power Ballad", "Rhythmic Soul", "Freestyle", "Duet", "Punk Rock", "Drum Solo", "A capella",
    "Euro-House", "Dance Hall", "Goa", "Drum & Bass", "Club-House", "Hardcore", "Terror", "Indie",
    "BritPop", "Negerpunk", "Polsk Punk", "Beat", "Christian Gangsta Rap", "Heavy Metal",
    "Black Metal", "Crossover", "Contemporary Christian", "Christian Rock ", "Merengue", "Salsa",
    "Trash Metal", "Anime", "JPop", "Synthpop",
};
// clang-format on
constexpr int kLastGenre = static_cast<int>(kGenres.size()) - 1;

constexpr std::string_view kOpeningPrefix = "[Opening] ";
constexpr std::string_view kTitleSeparator = " - ";

std::string cut(std::string text, std::size_t limit) {
    return cutToChars(std::move(text), limit);
}

// The leading decimal number, clamped to the last genre; 0 when there is none.
int leadingGenreNumber(const std::string& text) {
    int n = 0;
    for (char c : text) {
        if (std::isdigit(static_cast<unsigned char>(c)) == 0) {
            break;
        }
        n = n * 10 + (c - '0');
        if (n > kLastGenre) {
            return kLastGenre;
        }
    }
    return n;
}

bool startsWith(const std::string& text, std::string_view prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

void sleepFor(const OpeningWait& wait) {
    if (wait.sleep) {
        wait.sleep(wait.delayMs);
    } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(wait.delayMs));
    }
}

}  // namespace

std::string genreName(const std::string& text) {
    std::string value = text;
    if (startsWith(value, "(")) {
        value = value.size() >= 2 ? value.substr(1, value.size() - 2) : std::string();
    }
    if (value == "0") {
        return kGenres[0];
    }
    if (equalsIgnoringCase(value, "CR")) {
        return "Cover";
    }
    if (equalsIgnoringCase(value, "RX")) {
        return "Remix";
    }
    const int n = leadingGenreNumber(value);
    return n == 0 ? value : kGenres[static_cast<std::size_t>(n)];
}

namespace {

// One metadata request, answered when the host says so and gives a non-blank text.
class Metadata {
  public:
    Metadata(HostLink& host, const std::string& path) : host_(host), path_(path) {}

    // The trimmed answer; empty when not answered. returned tells whether the host said yes.
    std::string ask(const char* key, bool* returned = nullptr) {
        std::string answer;
        const bool yes = host_.extendedFileInfo(path_, key, answer);
        if (returned != nullptr) {
            *returned = yes;
        }
        return yes ? trimSpaces(cut(answer, kMaxItemChars)) : std::string();
    }

  private:
    HostLink& host_;
    const std::string& path_;
};

std::string albumLine(Metadata& metadata) {
    const std::string album = metadata.ask("Album");
    if (album.empty()) {
        return {};
    }
    std::string line = "from \"" + album + "\"";
    const std::string track = metadata.ask("Track");
    if (!track.empty()) {
        line += " ( Track " + track + " )";
    }
    bool yearReturned = false;
    std::string year = metadata.ask("Year", &yearReturned);
    if (!yearReturned) {
        year = metadata.ask("Date");
    }
    if (!year.empty()) {
        line += ", " + year;
    }
    return line;
}

// The playlist title of the current entry once the host has opened it, or nothing.
std::optional<std::string> openedPlaylistTitle(HostLink& host, const OpeningWait& wait) {
    const int index = host.listPosition();
    std::optional<std::string> title = host.playlistTitle(index);
    for (int retry = 0; retry < wait.retries && title && startsWith(*title, kOpeningPrefix);
         ++retry) {
        sleepFor(wait);
        title = host.playlistTitle(index);
    }
    if (title && startsWith(*title, kOpeningPrefix)) {
        title->erase(0, kOpeningPrefix.size());
    }
    return title;
}

std::string fileNameOf(const std::string& path) {
    const auto separator = path.find_last_of("\\/");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

}  // namespace

void LyricsCore::buildSongInfo(const std::string& path, bool /*isMp3*/, int& count) {
    Metadata metadata(host, path);
    songTitle = metadata.ask("Title");
    songArtist = metadata.ask("Artist");
    const std::string album = albumLine(metadata);
    const std::string genre = metadata.ask("Genre");

    if (songTitle.empty()) {
        if (const auto title = openedPlaylistTitle(host, openingWait)) {
            const std::string text = cut(*title, kMaxItemChars);
            const auto separator = text.find(kTitleSeparator);
            if (separator == std::string::npos) {
                songTitle = trimSpaces(text);
            } else {
                songArtist = trimSpaces(text.substr(0, separator));
                songTitle = trimSpaces(text.substr(separator + kTitleSeparator.size()));
            }
        }
    }
    if (songTitle.empty()) {
        songTitle = trimSpaces(fileNameOf(path));
    }

    std::string titleLine = "\"" + songTitle + "\"";
    if (!songArtist.empty()) {
        titleLine += " by \"" + songArtist + "\"";
    }
    auto add = [&](const std::string& line) {
        lyricsList.append(cut(line, kMaxItemChars));
        ++count;
    };
    add(titleLine);
    if (!album.empty()) {
        add(album);
    }
    if (!genre.empty()) {
        add("Genre: " + genreName(genre));
    }
    pathLine = count;
    add(path);
    add("");
}

}  // namespace zor
