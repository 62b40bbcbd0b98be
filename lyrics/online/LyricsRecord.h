#pragma once

#include <cstdint>
#include <optional>
#include <string>

// One record of the online lyrics database, as its answers describe it. Every text is valid
// UTF-8.
namespace zor {

struct LyricsRecord {
    std::int64_t id = 0;
    std::string trackName;
    std::string artistName;
    std::optional<std::string> albumName;
    double duration = 0;  // seconds, may have a fraction
    bool instrumental = false;
    std::optional<std::string> plainLyrics;
    std::optional<std::string> syncedLyrics;

    bool hasSynced() const { return syncedLyrics && !syncedLyrics->empty(); }
    bool hasPlain() const { return plainLyrics && !plainLyrics->empty(); }
};

// What is known of the song being looked up: the host's metadata and length.
struct TrackSignature {
    std::string artist;
    std::string title;
    std::string album;
    std::optional<double> durationSeconds;  // none when the length is unknown
};

}  // namespace zor
