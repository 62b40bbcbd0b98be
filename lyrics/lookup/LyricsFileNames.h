#pragma once

#include <array>
#include <string>
#include <vector>

namespace zor {

// The external lyrics files a song's lyrics may be in, in the order they are tried:
//   1. the alternative folder: Song.LRC, Song.TXT, then "Artist - Title.LRC", "Artist - Title.TXT";
//   2. beside the song: Song.LRC, Song.TXT;
//   3. the "Lyrics" folder beside the song: Song.LRC, Song.TXT, "Artist - Title.LRC", ".TXT".
// The "Artist - Title" names come from the song's metadata and are left out when it lacks either.
struct LyricsFileName {
    std::string path;
    std::string extension;  // one of the lyrics extensions
};

struct SongMetadata {
    std::string artist;
    std::string title;
};

std::vector<LyricsFileName> lyricsFileNames(const std::string& songPath,
                                            const std::string& alternativeFolder,
                                            const SongMetadata& metadata,
                                            const std::array<std::string, 2>& extensions);

// "Artist - Title", with every character a file name cannot hold as '_'; empty when either part
// is empty.
std::string artistTitleName(const SongMetadata& metadata);

}  // namespace zor
