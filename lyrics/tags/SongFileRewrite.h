#pragma once

#include <string>
#include <string_view>

namespace zor {

// The name under which the tag library leaves its rewritten song when it could not put it in
// place (on Windows while a player holds the song open).
inline constexpr std::string_view kLeftBehindSuffix = ".XXXXXX";

enum class RepairResult {
    NothingLeft,  // no rewritten file beside the song
    Repaired,     // the song is now exactly the rewritten file, which is removed
    Failed,       // the song could not be rewritten; the rewritten file is kept
};

// Puts a rewritten file left beside songPath in place: its bytes over the song, the song cut to
// its length, then the left-behind file removed.
RepairResult repairLeftBehindFile(const std::string& songPath);

// Writes bytes over the file from its first byte and cuts it to their length, keeping the file
// itself (a player that holds it open keeps a valid handle). False when any step failed.
bool overwriteInPlace(const std::string& path, std::string_view bytes);

// The whole file; false when it cannot be opened or read.
bool readWholeFile(const std::string& path, std::string& bytes);

}  // namespace zor
