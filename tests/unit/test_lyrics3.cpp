#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Fakes.h"
#include "Mp3Fixtures.h"
#include "lyrics/model/LyricsCore.h"
#include "lyrics/model/MemoryLineList.h"

namespace zor {
namespace {

using namespace mp3fixtures;

// Reads Lyrics3 tags in edit mode, where every line of the lyrics text comes out as written.
class Lyrics3Reader : public ::testing::Test {
  protected:
    struct Read {
        int result;
        std::vector<std::string> lines;
    };

    Read readSong(const std::string& bytes) {
        const std::string song = dir.write("song.mp3", bytes);
        editList.clear();
        int count = 0;
        const int result = core.readLyrics3Tag(song, count);
        EXPECT_EQ(count, editList.count());
        return Read{result, editList.items()};
    }

    test::TempFolder dir;
    MemoryLineList lyricsList{false};
    MemoryLineList editList{true};
    test::FakeHostLink host;
    test::RecordingPrompt prompt;
    LyricsCore core{lyricsList, editList, host, prompt, platformFileSystem()};
};

const std::vector<std::string> kTwoLines{"First line", "Second line"};
const std::string kTwoLinesText = "First line\r\nSecond line";

// A version 2 tag with its six size digits replaced.
std::string withSize(std::string tag, const std::string& digits) {
    tag.replace(tag.size() - 15, 6, digits);
    return tag;
}

TEST_F(Lyrics3Reader, FindsTheLyricsOfAVersion1Tag) {
    struct Case {
        const char* name;
        std::string tag;
        std::string firstLine;
    };
    const std::string lowerCase = "lyricsbegin" + kTwoLinesText + "lyricsend";
    const Case cases[] = {
        {"upper-case markers", lyrics3v1(kTwoLinesText), "First line"},
        {"lower-case markers", lowerCase, "First line"},
        {"a tag filling the whole window", lyrics3v1("a\r\n" + std::string(5100 - 23, 'x')), "a"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // The audio ahead of a short tag lies inside the window, NUL bytes and all.
        const Read read = readSong(id3v2Tag(3, "", 100) + audio(8000) + c.tag + id3v1Tag());
        EXPECT_EQ(read.result, 1);
        ASSERT_FALSE(read.lines.empty());
        EXPECT_EQ(read.lines.front(), c.firstLine);
    }
    EXPECT_EQ(readSong(audio(8000) + lyrics3v1(kTwoLinesText) + id3v1Tag()).lines, kTwoLines);
}

TEST_F(Lyrics3Reader, TakesExactlyTheLyricsFieldOfAVersion2Tag) {
    const std::string lyr = lyrics3Field("LYR", kTwoLinesText);
    const std::string ind = lyrics3Field("IND", std::string("11\0", 3));  // a NUL in the window
    const std::string inf = lyrics3Field("INF", "Information");
    const std::string eal = lyrics3Field("EAL", "Album");
    struct Case {
        const char* name;
        std::string tag;
    };
    std::string lowerCase = lyrics3v2(lyrics3Field("lyr", kTwoLinesText));
    lowerCase.replace(lowerCase.size() - 9, 9, "lyrics200");
    const std::string v2 = lyrics3v2(lyr);
    const Case cases[] = {
        {"IND, LYR, INF", lyrics3v2(ind + lyr + inf)},
        {"LYR last", lyrics3v2(ind + eal + lyr)},
        {"LYR only", v2},
        {"lower-case marker and field id", lowerCase},
        // A size that also takes in audio ahead of the tag still finds its beginning.
        {"size larger than the tag", std::string(60, 'a') + withSize(v2, "000100")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Read read = readSong(audio(3000) + c.tag + id3v1Tag());
        EXPECT_EQ(read.result, 1);
        EXPECT_EQ(read.lines, kTwoLines);
    }
}

TEST_F(Lyrics3Reader, AVersion2TagWithoutAUsableLyricsFieldIsFoundAndEmpty) {
    const std::string ind = lyrics3Field("IND", "11");
    struct Case {
        const char* name;
        std::string fields;
    };
    const Case cases[] = {
        {"no LYR field", ind + lyrics3Field("INF", "Information")},
        {"field length with a letter", ind + "LYR00a10" + "0123456789"},
        {"field running past the area", ind + "LYR00099" + "short"},
        {"field header cut short", ind + "LYR00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Read read = readSong(audio(3000) + lyrics3v2(c.fields) + id3v1Tag());
        EXPECT_EQ(read.result, 1);
        EXPECT_EQ(read.lines, std::vector<std::string>{""});
    }
}

TEST_F(Lyrics3Reader, FindsNoTagWhereTheMarkersOrSizesDoNotHold) {
    const std::string v2 = lyrics3v2(lyrics3Field("LYR", kTwoLinesText));
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty file", ""},
        {"shorter than 143 bytes", "LYRICSBEGINabcLYRICSEND" + id3v1Tag().substr(0, 100)},
        {"no ID3v1 tag after the Lyrics3 tag", audio(3000) + v2},
        {"no ID3v1 tag after a version 1 tag", audio(3000) + lyrics3v1(kTwoLinesText)},
        {"size digits 000 and letters", audio(3000) + withSize(v2, "000abc") + id3v1Tag()},
        {"size pointing before the file", audio(20) + withSize(v2, "999999") + id3v1Tag()},
        {"size pointing into the fields", audio(3000) + withSize(v2, "000012") + id3v1Tag()},
        {"version 1 tag longer than the window",
         audio(3000) + lyrics3v1(std::string(5100, 'x')) + id3v1Tag()},
        {"damaged end marker",
         audio(3000) + lyrics3v1(kTwoLinesText).substr(0, 30) + "LYRICSENX" + id3v1Tag()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Read read = readSong(c.bytes);
        EXPECT_EQ(read.result, 0);
        EXPECT_TRUE(read.lines.empty());
    }
    int count = 0;
    EXPECT_EQ(core.readLyrics3Tag(dir / "missing.mp3", count), 0);
}

TEST_F(Lyrics3Reader, TheWindowMustLieInsideTheFile) {
    const std::string song = dir.write("song.mp3", audio(100) + lyrics3v1("Words") + id3v1Tag());
    const auto file = platformFileSystem().openShared(song);
    ASSERT_TRUE(file);
    const std::int64_t size = file->size();
    int count = 0;
    EXPECT_EQ(core.readLyrics3(*file, -1, 1, 5100, count), 0);
    EXPECT_EQ(core.readLyrics3(*file, 0, 1, static_cast<int>(size) + 1, count), 0);
    EXPECT_EQ(core.readLyrics3(*file, 100, 1, 0, count), 0);
    EXPECT_EQ(core.readLyrics3(*file, 100, 1, -5, count), 0);
    EXPECT_EQ(core.readLyrics3(*file, 100, 1, 25, count), 1);
    EXPECT_EQ(editList.items(), std::vector<std::string>{"Words"});
}

TEST_F(Lyrics3Reader, TimedLyricsGiveATimedDisplay) {
    lyricsList.setVisible(true);
    editList.setVisible(false);
    const std::string text = "[ti:Song]\r\n[00:10]First\r\n[00:20]Second";
    const std::string song =
        dir.write("song.mp3", audio(2000) + lyrics3v2(lyrics3Field("LYR", text)) + id3v1Tag());
    int count = 2;
    lyricsList.append("header 0");
    lyricsList.append("header 1");
    ASSERT_EQ(core.readLyrics3Tag(song, count), 1);
    EXPECT_EQ(count, 4);
    EXPECT_EQ(lyricsList.items(),
              (std::vector<std::string>{"header 0", "header 1", "First", "Second"}));
    EXPECT_EQ(core.timeTags[0].seconds, 10);
    EXPECT_EQ(core.timeTags[0].line, 2);
    EXPECT_EQ(core.timeTags[1].seconds, 20);
    EXPECT_EQ(core.timeTags[1].line, 3);
    EXPECT_EQ(core.timeTags[2].line, kEndOfTable);
}

TEST_F(Lyrics3Reader, InternalLookupFallsBackToTheLyrics3Tag) {
    const std::string song =
        dir.write("song.mp3", audio(6000) + lyrics3v1(kTwoLinesText) + id3v1Tag());
    int count = 0;
    EXPECT_EQ(core.readInternalLyrics(song, count), 1);
    EXPECT_EQ(editList.items(), kTwoLines);
}

// The tag library, reading a song, turns the CR LF of a Lyrics3 text into LF, so that an empty
// line would read as part of a single break; the song's own reader keeps it.
TEST_F(Lyrics3Reader, InternalLookupKeepsTheEmptyLinesOfALyrics3Text) {
    const std::string song = dir.write(
        "song.mp3",
        audio(6000) + lyrics3v2(lyrics3Field("LYR", "[00:01]A\r\n\r\n[00:05]B")) + id3v1Tag());
    int count = 0;
    EXPECT_EQ(core.readInternalLyrics(song, count), 1);
    EXPECT_EQ(editList.items(), (std::vector<std::string>{"[00:01]A", "", "[00:05]B"}));
}

}  // namespace
}  // namespace zor
