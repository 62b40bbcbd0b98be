// The load step: which source a song's lyrics come from, and how the result is labelled.
#include "lyrics/lookup/LyricsFileNames.h"
#include "lyrics/lookup/SongNames.h"
#include "lyrics/model/LyricsCore.h"
#include "lyrics/model/TextFunctions.h"
#include "lyrics/model/TextLimits.h"
#include "lyrics/tags/SongLyrics.h"
#include "lyrics/text/Utf8.h"

namespace zor {

namespace {

// " (E.T.L)", " (I.L)" and so on.
std::string sourceLabel(bool internal, bool tagged) {
    std::string label = " (";
    label += internal ? "I." : "E.";
    if (tagged) {
        label += "T.";
    }
    return label + "L)";
}

}  // namespace

SongMetadata LyricsCore::songMetadata() {
    auto ask = [&](const char* key) {
        std::string answer;
        return host.extendedFileInfo(songPath, key, answer) ? trimSpaces(answer) : std::string();
    };
    return SongMetadata{ask("Artist"), ask("Title")};
}

void LyricsCore::forgetTiming() {
    timeTags.clear();
    wordTimes.clear();
    fileOffset.reset();
}

int LyricsCore::readLyricsFile(const std::string& path, int& count) {
    const std::unique_ptr<InputFile> file = files.openShared(path);
    if (!file) {
        return 0;
    }
    readLines(*file, count);
    return 1;
}

void LyricsCore::loadLyrics(const std::string& newSongPath) {
    internalLyrics = 0;
    const std::string newSong = cutToChars(newSongPath, kMaxPathChars);
    if (newSong != songFile) {
        liveAdjustMs = 0;  // an adjustment belongs to the song it was made for
    }
    songFile = songPath = newSong;
    const bool displayMode = isLyricsListVisible();

    // Whichever list is showing is refilled; when neither shows, the edit list is, so a reload
    // never appends to stale lines.
    LineList& list = visibleList();
    loadSelection = list.selection();
    list.setRedraw(false);
    list.clear();
    int count = 0;
    if (displayMode) {
        droppedLines = 0;
        pathLine = 0;
        buildSongInfo(songPath, isMp3Path(songPath), count);
        headerLines = count;
    }
    const int before = count;

    // The first external name that opens wins, even when the file is empty.
    const FileSystem::LookupMoment moment(files);
    lyricsPath.clear();
    currentExt = "LRC";
    lyricsEncoding = TextEncoding{};
    lyricsLineEnd = LineEnd::CrLf;
    bool found = false;
    for (const LyricsFileName& name :
         lyricsFileNames(songPath, AlternativeLRCPath, songMetadata(), lyricsExt)) {
        if (readLyricsFile(name.path, count) != 0) {
            lyricsPath = files.resolve(name.path);
            currentExt = name.extension;
            found = true;
            break;
        }
    }
    if (!found && songMayHoldLyrics(songPath)) {
        found = readInternalLyrics(songPath, count) != 0;
        internalLyrics = 1;
    }

    lyricsFound = found ? 1 : 0;
    if (!found) {
        // Tags left from the previous song must not point into this one's lines.
        forgetTiming();
    }
    if (displayMode) {
        if (!found) {
            lyricsList.append("Lyrics unavailable");
        } else {
            if (count <= before) {
                lyricsList.append("Empty Lyrics");
                forgetTiming();
            }
            const bool tagged = !timeTags.empty();
            const std::string title = lyricsList.text(0);
            lyricsList.remove(0);
            lyricsList.insert(
                0, cutToChars(title + sourceLabel(internalLyrics != 0, tagged), kMaxItemChars));
        }
    }

    sortTimeTags();
    lastSecond = -1;
    lastTagLine = 0;
}

}  // namespace zor
