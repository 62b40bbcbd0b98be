#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "config/Settings.h"
#include "diag/Prompt.h"
#include "host/HostLink.h"
#include "lyrics/lookup/LyricsFileNames.h"
#include "lyrics/lookup/SongInfo.h"
#include "lyrics/model/LineList.h"
#include "lyrics/model/TimeTag.h"
#include "lyrics/platform/FileSystem.h"
#include "lyrics/tags/Id3Lyrics.h"
#include "lyrics/tags/SongLyrics.h"
#include "lyrics/text/TextEncoding.h"

namespace zor {

// The portable half of the plug-in object: the lyrics model, its sources, editing and saving.
// The plug-in object derives from it; the command-line companion and the tests use it directly
// over in-memory lists and a host link of their own.
class LyricsCore : public AppSettings {
  public:
    LyricsCore(LineList& lyricsList, LineList& editList, HostLink& host, Prompt& prompt,
               FileSystem& files);
    virtual ~LyricsCore() = default;
    LyricsCore(const LyricsCore&) = delete;
    LyricsCore& operator=(const LyricsCore&) = delete;

    // The visible list is the mode: lyricsList in display mode, editList in time-tag edit mode.
    bool isLyricsListVisible() const { return lyricsList.isVisible(); }
    LineList& visibleList() { return isLyricsListVisible() ? lyricsList : editList; }

    // Time-tag table.
    void sortTimeTags();
    int lineAtSecond(int second) const;           // entry index, or kNoEntry
    int tagTimeForLine(int line, int now) const;  // seconds, or -1

    // Reader: splits a source into lines and time tags and appends them to the visible list.
    // count is the number of items in that list, before and after. Always returns 1. A file is
    // decoded first, and its encoding and line ends are recorded for saving; a text is UTF-8
    // already and ends at its first NUL.
    int readLines(InputFile& file, int& count);
    int readLines(std::string_view text, int& count);
    int parseTimeTags(std::string& line, int& tagCount, int lineIndex, int maxTags = kMaxTimeTags);

    // The code page of files that are neither marked nor UTF-8: the CodePage setting, the ANSI
    // code page for 0 or for one the platform cannot convert.
    int fallbackCodePage() const;

    // Sources.
    void loadLyrics(const std::string& newSongPath);
    int readLyricsFile(const std::string& path, int& count);
    // The song's artist and title as the host knows them, for the "Artist - Title" file names.
    SongMetadata songMetadata();
    int readInternalLyrics(const std::string& path, int& count);
    int readLyrics3Tag(const std::string& path, int& count);
    int readLyrics3(InputFile& file, std::int64_t windowStart, int version, int windowLength,
                    int& count);
    void buildSongInfo(const std::string& path, bool isMp3, int& count);

    // Time-tag editing on editList.
    int insertTimeTag(int ms);
    void removeTimeTag();
    void completeParagraph();
    // Keeps the selected line in view; the plug-in window centres it.
    virtual void centerHighlight() {}

    // Saving editList.
    int saveLyrics(int mode);
    void offerRemoveFile(const std::string& name);
    // The editList items joined by CR LF, none after the last: what goes into the MP3.
    std::string editListText() const;
    // The store into the song (an MP3 or another kind that holds lyrics); tests put a stand-in
    // here.
    std::function<Id3StoreOutcome(const std::string&, const std::string&)> storeIntoMp3 =
        storeLyricsInSong;

    // Model state, named as the rest of the system names it.
    TimeTagTable timeTags{};
    int headerLines = 0;
    int pathLine = 0;
    int droppedLines = 0;
    int modified = 0;
    int reloadLyrics = 0;
    int internalLyrics = 0;
    int lastSecond = -1;
    int lastTagLine = -1;
    std::string lyricsPath;
    std::array<std::string, 2> lyricsExt{"LRC", "TXT"};
    std::string currentExt = "LRC";
    // How the lyrics were stored where they were read from: the file's encoding and line ends,
    // which a save keeps; for internal lyrics the frame's encoding.
    TextEncoding lyricsEncoding;
    LineEnd lyricsLineEnd = LineEnd::CrLf;
    std::string songFile;
    std::string songPath;
    std::string songTitle;
    std::string songArtist;
    int loadSelection = -1;   // the loaded list's selection before loadLyrics emptied it
    int lyricsFound = 0;      // 1 when the last loadLyrics found a source
    OpeningWait openingWait;  // the song header's wait for an entry still opening

    // Ports.
    LineList& lyricsList;
    LineList& editList;
    HostLink& host;
    Prompt& prompt;
    FileSystem& files;
};

}  // namespace zor
