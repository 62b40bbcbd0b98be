// The load step: which source a song's lyrics come from, and how the result is labelled.
#include <functional>

#include "lyrics/lookup/SongNames.h"
#include "lyrics/model/LyricsCore.h"
#include "lyrics/model/TextLimits.h"

namespace zor {

namespace {

std::string cut(std::string text, std::size_t limit) {
    if (text.size() > limit) {
        text.resize(limit);
    }
    return text;
}

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
    const std::string newSong = cut(newSongPath, kMaxPathChars);
    if (newSong != songFile) {
        liveAdjustMs = 0;  // an adjustment belongs to the song it was made for
    }
    songFile = songPath = newSong;
    const bool isMp3 = isMp3Path(songPath);
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
        buildSongInfo(songPath, isMp3, count);
        headerLines = count;
    }
    const int before = count;

    // The first external name that opens wins, even when the file is empty.
    auto tryNames = [&](const std::function<std::string(const std::string&)>& nameFor) {
        for (const std::string& extension : lyricsExt) {
            const std::string name = nameFor(extension);
            if (!name.empty() && readLyricsFile(name, count) != 0) {
                lyricsPath = files.resolve(name);
                currentExt = extension;
                return true;
            }
        }
        return false;
    };
    lyricsPath.clear();
    currentExt = "LRC";
    bool found = !AlternativeLRCPath.empty() && tryNames([&](const std::string& extension) {
        return nameInFolder(AlternativeLRCPath, songPath, extension);
    });
    if (!found) {
        found = tryNames(
            [&](const std::string& extension) { return nameBesideSong(songPath, extension); });
    }
    if (!found && isMp3) {
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
            lyricsList.insert(0,
                              cut(title + sourceLabel(internalLyrics != 0, tagged), kMaxItemChars));
        }
    }

    sortTimeTags();
    lastSecond = -1;
    lastTagLine = 0;
}

}  // namespace zor
