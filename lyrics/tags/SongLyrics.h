#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "lyrics/platform/FileSystem.h"
#include "lyrics/tags/Id3Lyrics.h"

namespace zor {

// Lyrics inside songs of every kind TagLib reads, chosen by the song's extension.

// Whether the song's own tags are worth looking into: MP3, FLAC, Ogg, Opus, MP4/M4A, Monkey's
// Audio, Musepack, WavPack and WMA.
bool songMayHoldLyrics(const std::string& songPath);

// The lyrics of a song that is not an MP3 (an MP3 is read by readInternalLyrics), as UTF-8.
std::optional<std::string> readSongTagLyrics(FileSystem& files, const std::string& songPath);

// What TagLib finds in an MP3's leading ID3v2 tag (given as its bytes) when id3lib found no
// lyrics frame: the lyrics frame of a v2.4 tag, a synchronised lyrics frame, a user text frame.
std::optional<std::string> readId3v2TagLyrics(std::string_view leadingTag);
// The "Lyrics" item of an APE tag at the end of an MP3.
std::optional<std::string> readMp3ApeLyrics(FileSystem& files, const std::string& songPath);

// The song's extension in upper case when lyrics can be stored into it ("MP3", "FLAC", "OGG",
// "OPUS", "M4A", ...), empty when they cannot.
std::string lyricsStoreName(const std::string& songPath);

// Stores text as the song's lyrics: an MP3 with an ID3v2.4 tag through TagLib, any other MP3
// through id3lib (storeLyricsInMp3), the other kinds through TagLib. Checked as an MP3 store is.
Id3StoreOutcome storeLyricsInSong(const std::string& songPath, const std::string& text);

}  // namespace zor
