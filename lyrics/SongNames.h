#pragma once

#include <string>

namespace zor {

// Names built from a song path. The extension is the text after the last dot of the file name
// (a dot in a folder name does not count); a name without a dot has no extension and its stem is
// the whole name followed by a dot. Both '\' and '/' separate folders.
struct SongNames {
    std::string extension;  // "mp3"; empty when the file name has no dot
    std::string stem;       // "C:\Music\Song." (the dot stays)
    std::string baseName;   // "Song."
};

SongNames splitSongPath(const std::string& songPath);
bool isMp3Path(const std::string& songPath);
// stem + extension: C:\Music\Song.LRC
std::string nameBesideSong(const std::string& songPath, const std::string& extension);
// folder + separator when it does not end in one + base name + extension
std::string nameInFolder(const std::string& folder, const std::string& songPath,
                         const std::string& extension);

}  // namespace zor
