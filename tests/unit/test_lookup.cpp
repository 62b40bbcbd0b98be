#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Fakes.h"
#include "lyrics/model/LyricsCore.h"
#include "lyrics/model/MemoryLineList.h"

namespace zor {
namespace {

using test::FakeHostLink;
using test::RecordingPrompt;
using test::TempFolder;

// An ID3v2.3 tag holding one unsynchronised-lyrics frame, then a few bytes standing for audio.
std::string mp3WithLyricsFrame(const std::string& lyrics) {
    std::string frame = std::string("\0XXX\0", 5) + lyrics;
    std::string body = "USLT";
    for (int shift : {24, 16, 8, 0}) {
        body += static_cast<char>((frame.size() >> shift) & 0xFF);
    }
    body += std::string(2, '\0') + frame;
    std::string tag = std::string("ID3\3\0\0", 6);
    for (int shift : {21, 14, 7, 0}) {  // sync-safe: seven bits a byte
        tag += static_cast<char>((body.size() >> shift) & 0x7F);
    }
    return tag + body + std::string("\xFF\xFB\x90\x00", 4) + std::string(400, '\0');
}

class LyricsLookup : public ::testing::Test {
  protected:
    // Loads song (relative to the folder) and gives the visible list's items.
    std::vector<std::string> load(const std::string& song) {
        core.loadLyrics(dir / song);
        return core.isLyricsListVisible() ? lyricsList.items() : editList.items();
    }
    std::string lastItem() const { return lyricsList.items().back(); }

    TempFolder dir;
    MemoryLineList lyricsList{true};
    MemoryLineList editList{false};
    FakeHostLink host;
    RecordingPrompt prompt;
    LyricsCore core{lyricsList, editList, host, prompt, platformFileSystem()};
};

TEST_F(LyricsLookup, FirstSourceInOrderWins) {
    struct Case {
        std::vector<std::string> files;
        std::string expected;  // relative name read, or empty for none
    };
    const std::vector<Case> cases = {
        {{"alt/Song.LRC", "alt/Song.TXT", "music/a.b/Song.LRC"}, "alt/Song.LRC"},
        {{"alt/Song.TXT", "music/a.b/Song.LRC"}, "alt/Song.TXT"},
        {{"music/a.b/Song.LRC", "music/a.b/Song.TXT"}, "music/a.b/Song.LRC"},
        {{"music/a.b/Song.TXT"}, "music/a.b/Song.TXT"},
        {{"music/a.LRC"}, ""},  // no name from the folder's dot
    };
    for (const char* alt : {"alt", "alt/"}) {
        for (const Case& c : cases) {
            TempFolder fresh;
            for (const std::string& file : c.files) {
                fresh.write(file, file + "\r\n");
            }
            core.AlternativeLRCPath = fresh / alt;
            core.loadLyrics(fresh / "music/a.b/Song");  // no extension, a dot in its folder
            const std::string context = std::string(alt) + " -> " + c.expected;
            if (c.expected.empty()) {
                EXPECT_EQ(core.lyricsPath, "") << context;
                EXPECT_EQ(lyricsList.items().back(), "Lyrics unavailable") << context;
                continue;
            }
            EXPECT_EQ(core.lyricsPath, fresh / c.expected) << context;
            EXPECT_EQ(core.currentExt, c.expected.substr(c.expected.size() - 3)) << context;
            EXPECT_EQ(lyricsList.text(core.headerLines), c.expected) << context;
            EXPECT_EQ(core.internalLyrics, 0) << context;
        }
    }
}

TEST_F(LyricsLookup, TaggedFileIsLabelledAfterTheHeader) {
    dir.write("Song.LRC", "[00:05]One\r\n[00:09]Two\r\n");
    const auto items = load("Song.mp3");
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0], "\"Song.mp3\" (E.T.L)");
    EXPECT_EQ(items[1], dir / "Song.mp3");
    EXPECT_EQ(core.headerLines, 3);
    EXPECT_EQ(core.pathLine, 1);
    EXPECT_EQ(items[3], "One");
    EXPECT_EQ(core.timeTags[0].seconds, 5);
    EXPECT_EQ(core.timeTags[0].line, 3);
    EXPECT_EQ(core.timeTags[2].line, kEndOfTable);
    EXPECT_EQ(core.songFile, dir / "Song.mp3");
    EXPECT_EQ(core.songPath, core.songFile);
    EXPECT_EQ(core.lastSecond, -1);
    EXPECT_EQ(core.lastTagLine, 0);
}

TEST_F(LyricsLookup, UntaggedAndEmptyFilesAreLabelledExternal) {
    dir.write("Plain.TXT", "Just words\r\n");
    EXPECT_EQ(load("Plain.mp3")[0], "\"Plain.mp3\" (E.L)");
    dir.write("Empty.LRC", "");
    const auto items = load("Empty.mp3");
    EXPECT_EQ(items[0], "\"Empty.mp3\" (E.L)");
    EXPECT_EQ(items.back(), "Empty Lyrics");
    EXPECT_EQ(core.lyricsPath, dir / "Empty.LRC");
    EXPECT_EQ(core.timeTags[0].line, kEndOfTable);
}

TEST_F(LyricsLookup, NamesMatchWithoutRegardToCase) {
    dir.write("music/song.lrc", "found\r\n");
    load("music/Song.MP3");
    EXPECT_EQ(lyricsList.text(core.headerLines), "found");
    EXPECT_EQ(core.lyricsPath, dir / "music/song.lrc");  // the real file, for the save
}

TEST_F(LyricsLookup, SongWithoutDotFindsItsName) {
    dir.write("a.b/Song.LRC", "no extension\r\n");
    load("a.b/Song");
    EXPECT_EQ(core.lyricsPath, dir / "a.b/Song.LRC");
    EXPECT_EQ(core.internalLyrics, 0);
}

TEST_F(LyricsLookup, InsideOnlyMp3AndOnlyWithoutAFile) {
    const std::string tagged = mp3WithLyricsFrame("Inner line");
    dir.write("In.mp3", tagged);
    dir.write("In.wav", tagged);
    dir.write("Both.mp3", tagged);
    dir.write("Both.LRC", "Outer line\r\n");

    auto items = load("In.wav");  // a kind of song whose tags hold no lyrics we know of
    EXPECT_EQ(items.back(), "Lyrics unavailable");
    EXPECT_EQ(core.internalLyrics, 0);
    EXPECT_EQ(items[0], "\"In.wav\"");

    items = load("Both.mp3");
    EXPECT_EQ(items[0], "\"Both.mp3\" (E.L)");
    EXPECT_EQ(items.back(), "Outer line");

    items = load("In.mp3");
    EXPECT_EQ(items[0], "\"In.mp3\" (I.L)");
    EXPECT_EQ(items.back(), "Inner line");
    EXPECT_EQ(core.internalLyrics, 1);
    EXPECT_EQ(core.lyricsPath, "");
}

TEST_F(LyricsLookup, NothingFoundForgetsThePreviousSource) {
    dir.write("Had.TXT", "x\r\n");
    load("Had.mp3");
    ASSERT_EQ(core.currentExt, "TXT");
    const auto items = load("None.mp3");
    EXPECT_EQ(items, (std::vector<std::string>{"\"None.mp3\"", dir / "None.mp3", "",
                                               "Lyrics unavailable"}));
    EXPECT_EQ(core.lyricsPath, "");
    EXPECT_EQ(core.currentExt, "LRC");
    EXPECT_EQ(core.internalLyrics, 1);  // the tags of an MP3 were consulted
}

TEST_F(LyricsLookup, StreamsAreNotLookedUp) {
    // Read as a relative path, the address would name this file.
    dir.write("http:/radio/live.LRC", "must not be read\r\n");
    const auto home = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    core.loadLyrics("http://radio/live.mp3");
    std::filesystem::current_path(home);
    EXPECT_EQ(lyricsList.items().back(), "Lyrics unavailable");
    EXPECT_EQ(core.internalLyrics, 0);
}

TEST_F(LyricsLookup, RemembersSelectionAndLeavesRedrawOff) {
    lyricsList.append("old");
    lyricsList.append("old");
    lyricsList.setSelection(1);
    load("Any.mp3");
    EXPECT_EQ(core.loadSelection, 1);
    EXPECT_FALSE(lyricsList.redrawOn());
}

TEST_F(LyricsLookup, EditModeReadsRawLinesWithoutHeaderOrLabel) {
    dir.write("Song.LRC", "[ti:Song]\r\n[00:03]One\r\n");
    lyricsList.setVisible(false);
    editList.setVisible(true);
    editList.append("stale");
    editList.setSelection(0);
    core.headerLines = 4;
    const auto items = load("Song.mp3");
    EXPECT_EQ(items, (std::vector<std::string>{"[ti:Song]", "[00:03]One", ""}));
    EXPECT_EQ(core.headerLines, 4);
    EXPECT_EQ(core.loadSelection, 0);
    EXPECT_EQ(core.timeTags[0].line, 1);
    EXPECT_TRUE(lyricsList.items().empty());
}

TEST_F(LyricsLookup, EditModeWithNothingFoundKeepsNoStaleTags) {
    dir.write("Song.LRC", "[00:03]One\r\n");
    lyricsList.setVisible(false);
    editList.setVisible(true);
    load("Song.mp3");
    ASSERT_NE(core.timeTags[0].line, kEndOfTable);
    EXPECT_TRUE(load("Other.ogg").empty());
    EXPECT_EQ(core.timeTags[0].line, kEndOfTable);
}

TEST_F(LyricsLookup, ReadLyricsFileCountsAnEmptyFileAsFound) {
    int count = 0;
    EXPECT_EQ(core.readLyricsFile(dir / "missing.LRC", count), 0);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(core.readLyricsFile(dir.write("empty.LRC", ""), count), 1);
}

}  // namespace
}  // namespace zor
