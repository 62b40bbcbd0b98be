#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lyrics/lookup/LyricsFileNames.h"
#include "lyrics/lookup/SongInfo.h"
#include "lyrics/model/LineList.h"
#include "lyrics/model/TimeTag.h"
#include "lyrics/model/WordTiming.h"
#include "lyrics/platform/FileSystem.h"
#include "lyrics/ports/HostLink.h"
#include "lyrics/ports/Prompt.h"
#include "lyrics/ports/Settings.h"
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

    // Time-tag table. Sorted by seconds, or by milliseconds while PreciseTiming is on.
    void sortTimeTags();
    int lineAtSecond(int second) const;           // entry index, or kNoEntry
    int tagTimeForLine(int line, int now) const;  // seconds, or -1
    // The same on the tags' milliseconds, for precise timing.
    int lineAtMs(std::int64_t ms) const;                          // entry index, or kNoEntry
    std::int64_t tagMsForLine(int line, std::int64_t now) const;  // milliseconds, or -1
    // Every line with a tag written with the time of entry's, in list order, with entry's own
    // line last; none for no entry.
    std::vector<int> linesTimedLike(int entry) const;

    // Precise timing: what is added to the playback position to get the lyrics' time. The
    // file's [offset:] and the live adjustment show the lyrics earlier, the output latency
    // later; 0 while PreciseTiming is off.
    int timingShiftMs() const;
    // The lyrics' time at a playback position, and the position at a lyrics time (never
    // negative).
    std::int64_t lyricsTimeAt(std::int64_t positionMs) const;
    std::int64_t positionAt(std::int64_t lyricsMs) const;
    // The live adjustment, by step (+100 or -100 ms); answers the new adjustment.
    int adjustTiming(int stepMs);
    // The lines a save writes: editList, with the live adjustment put into its [offset:].
    std::vector<std::string> linesToSave() const;

    // Reader: splits a source into lines and time tags and appends them to the visible list.
    // count is the number of items in that list, before and after. Always returns 1. A file is
    // decoded first, and its encoding and line ends are recorded for saving; a text is UTF-8
    // already and ends at its first NUL.
    int readLines(InputFile& file, int& count);
    int readLines(std::string_view text, int& count);  // the text ends at its first NUL
    // Takes the time tags out of one line into timeTags (in display mode; edit mode keeps the
    // text as written) and, in display mode, its word tags into wordTimes. tagCount is the
    // number of tags in the table afterwards. Answers 0 for a line the lyrics list hides.
    int parseTimeTags(std::string& line, int& tagCount, int lineIndex);
    // The same for one line of a source whose reader knows, for all its lines, which list shows
    // and whether the text holds any "<" at all, so that neither is asked line by line.
    struct SourceFacts {
        bool displayMode;
        bool mayHoldWordTags;
    };
    int parseTimeTags(std::string& line, int& tagCount, int lineIndex, const SourceFacts& facts);

    // The code page of files that are neither marked nor UTF-8: the CodePage setting, the ANSI
    // code page for 0 or for one the platform cannot convert.
    int fallbackCodePage() const;

    // Sources.
    void loadLyrics(const std::string& newSongPath);
    // Empties the table, the word marks and the file's offset.
    void forgetTiming();
    int readLyricsFile(const std::string& path, int& count);
    // The song's artist and title as the host knows them, for the "Artist - Title" file names.
    SongMetadata songMetadata();
    int readInternalLyrics(const std::string& path, int& count);
    int readLyrics3Tag(const std::string& path, int& count);
    int readLyrics3(InputFile& file, std::int64_t windowStart, int version, int windowLength,
                    int& count);
    void buildSongInfo(const std::string& path, bool isMp3, int& count);

    // Time-tag editing on editList. insertTimeTag stamps ms (the playback position when
    // negative) and answers the stamp's time in the table's unit: milliseconds with precise
    // timing ("[mm:ss.xx]"), else whole seconds ("[mm:ss]").
    int insertTimeTag(int ms);
    // The time a stamp at a playback position gets: the lyrics' time there; -1 stays -1.
    int stampTimeAt(int positionMs) const;
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
    TimeTagTable timeTags;
    WordTimings wordTimes;          // word tags of the lines lyricsList shows
    std::optional<int> fileOffset;  // the lyrics' own [offset:], in milliseconds
    int liveAdjustMs = 0;           // the user's adjustment for the current song
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
