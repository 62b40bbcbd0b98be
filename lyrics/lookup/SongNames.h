#pragma once

#include <string>

namespace zor {

// Names built from a song path. Both '\' and '/' separate folders; names are composed with the
// platform's separator.
//
// The extension is the text after the last dot of the file name; a dot in a folder name does not
// count, so D:\a.b\Song gives the stem D:\a.b\Song. and never D:\a. A file name without a dot has
// no extension and its stem is the whole path followed by a dot (C:\Music\Song gives
// C:\Music\Song.LRC). A stream address (it contains "://") or a path that ends in a separator
// names no file: it has no stem, no base name and no lyrics names at all, and is never an MP3 to
// look inside.
struct SongNames {
    std::string extension;  // "mp3"; empty when the file name has no dot
    std::string stem;       // "C:\Music\Song." (the dot stays); empty when no name can be built
    std::string baseName;   // "Song."
};

SongNames splitSongPath(const std::string& songPath);
// The extension is "MP3", ignoring case.
bool isMp3Path(const std::string& songPath);
// stem + extension: C:\Music\Song.LRC. Empty when no name can be built or the name would be
// longer than a path may be (511 characters): such a source is not tried.
std::string nameBesideSong(const std::string& songPath, const std::string& extension);
// folder + separator when it does not end in one + base name + extension; empty as above, or
// when folder is empty.
std::string nameInFolder(const std::string& folder, const std::string& songPath,
                         const std::string& extension);

}  // namespace zor
