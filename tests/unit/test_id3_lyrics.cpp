#include <gtest/gtest.h>

#include <id3/tag.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "Fakes.h"
#include "Mp3Fixtures.h"
#include "lyrics/model/LyricsCore.h"
#include "lyrics/model/MemoryLineList.h"
#include "lyrics/tags/Id3Lyrics.h"
#include "lyrics/tags/Mp3Layout.h"
#include "lyrics/tags/SongFileRewrite.h"

namespace zor {
namespace {

using namespace mp3fixtures;

const std::string kLyrics = "First line\r\ncafé ü\r\n\r\nLast line";
const std::string kLyricsLatin1 = "First line\r\ncaf\xE9 \xFC\r\n\r\nLast line";
const std::vector<std::string> kLyricsLines{"First line", "café ü", "", "Last line"};

class Id3Lyrics : public ::testing::Test {
  protected:
    // The lines readInternalLyrics gives in edit mode, where they come out as written.
    std::vector<std::string> readInternal(const std::string& song, int expectedResult = 1) {
        editList.clear();
        int count = 0;
        EXPECT_EQ(core.readInternalLyrics(song, count), expectedResult);
        return editList.items();
    }

    // The lyrics frames of the song: their number and the first one's text.
    static int lyricsFrames(const std::string& song, std::string* text = nullptr) {
        const auto tag = std::make_unique<ID3_Tag>(song.c_str());
        std::string first;
        getID3Lyrics(tag.get(), first);
        if (text != nullptr) {
            *text = first;
        }
        return removeID3Lyrics(tag.get());
    }

    void expectNoLeftBehindFile(const std::string& song) {
        EXPECT_FALSE(fileExists(song + std::string(kLeftBehindSuffix)));
    }

    test::TempFolder dir;
    MemoryLineList lyricsList{false};
    MemoryLineList editList{true};
    test::FakeHostLink host;
    test::RecordingPrompt prompt;
    LyricsCore core{lyricsList, editList, host, prompt, platformFileSystem()};
};

TEST_F(Id3Lyrics, ReadsUtf16FramesInBothByteOrders) {
    // é and ü have Latin-1 forms; Ω and the musical symbol (a surrogate pair) do not.
    const std::u16string text = u"caf\u00E9 \u00FC\r\n\u03A9 \U0001D11E end";
    const std::vector<std::string> expected{"café ü", "Ω 𝄞 end"};
    for (const bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        const std::string song = dir.write(
            "utf16.mp3",
            id3v2Tag(3, id3Frame("USLT", usltUtf16Body(text, bigEndian)), 50) + audio(2000));
        EXPECT_EQ(readInternal(song), expected);
    }
}

TEST_F(Id3Lyrics, ReadsLatin1FramesAndEmptyOnes) {
    const std::string song = dir.write(
        "latin1.mp3", id3v2Tag(3, id3Frame("USLT", usltLatin1Body(kLyricsLatin1))) + audio(500));
    EXPECT_EQ(readInternal(song), kLyricsLines);

    // An empty frame is found all the same: the load step shows it as empty lyrics.
    const std::string empty =
        dir.write("empty.mp3", id3v2Tag(3, id3Frame("USLT", usltLatin1Body(""))) + audio(500));
    EXPECT_EQ(readInternal(empty), std::vector<std::string>{""});

    const std::string none = dir.write("none.mp3", id3v2Tag(3, "", 20) + audio(500));
    EXPECT_TRUE(readInternal(none, 0).empty());
    EXPECT_TRUE(readInternal(dir / "missing.mp3", 0).empty());
}

TEST_F(Id3Lyrics, FrameOperationsOnATag) {
    ID3_Tag tag;
    std::string text;
    EXPECT_FALSE(getID3Lyrics(nullptr, text));
    EXPECT_EQ(removeID3Lyrics(nullptr), 0);
    EXPECT_EQ(setID3Lyrics(nullptr, "x", "", "XXX", true), nullptr);
    EXPECT_EQ(setID3Lyrics(&tag, "", "", "XXX", true), nullptr);
    EXPECT_FALSE(getID3Lyrics(&tag, text));

    ASSERT_NE(setID3Lyrics(&tag, "one", "", "XXX", false), nullptr);
    EXPECT_EQ(setID3Lyrics(&tag, "two", "", "XXX", false), nullptr);  // keeps the existing frame
    EXPECT_TRUE(getID3Lyrics(&tag, text));
    EXPECT_EQ(text, "one");
    ASSERT_NE(setID3Lyrics(&tag, "two", "", "XXX", true), nullptr);
    EXPECT_TRUE(getID3Lyrics(&tag, text));
    EXPECT_EQ(text, "two");
    EXPECT_EQ(removeID3Lyrics(&tag), 1);
    EXPECT_FALSE(getID3Lyrics(&tag, text));
}

TEST_F(Id3Lyrics, StoresIntoSongsWithAndWithoutATagKeepingTheAudio) {
    const std::string title = id3Frame("TIT2", textFrameBody("My title"));
    struct Case {
        const char* name;
        std::string bytes;
    };
    // A tag much larger than the new one makes the library write the song anew, shorter.
    const Case cases[] = {
        {"no tag", audio(5000)},
        {"no tag, ID3v1 trailer", audio(5000) + id3v1Tag()},
        {"small tag", id3v2Tag(3, title) + audio(5000)},
        {"larger tag",
         id3v2Tag(3, title + id3Frame("USLT", usltLatin1Body("old")), 20000) + audio(5000)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string song = dir.write("song.mp3", c.bytes);
        const Id3StoreOutcome outcome = storeLyricsInMp3(song, kLyrics);
        EXPECT_EQ(outcome.result, Id3StoreResult::Stored) << outcome.message;
        EXPECT_TRUE(outcome.message.empty());
        const std::string after = readFile(song);
        EXPECT_EQ(audioOf(after), audioOf(c.bytes));
        EXPECT_EQ(audioOf(after).size(), 5000u);
        if (c.bytes.size() > 20000) {
            EXPECT_LT(after.size(), c.bytes.size());
        }
        std::string stored;
        EXPECT_EQ(lyricsFrames(song, &stored), 1);
        EXPECT_EQ(stored, kLyrics);
        EXPECT_EQ(readInternal(song), kLyricsLines);
        expectNoLeftBehindFile(song);
        if (c.bytes.compare(0, 3, "ID3") == 0) {
            const auto tag = std::make_unique<ID3_Tag>(song.c_str());
            EXPECT_NE(tag->Find(ID3FID_TITLE), nullptr);  // the other frames stay
        }
    }
}

TEST_F(Id3Lyrics, SavingTwiceLeavesOneFrame) {
    const std::string song = dir.write("song.mp3", id3v2Tag(3, "", 100) + audio(3000));
    ASSERT_EQ(storeLyricsInMp3(song, "first").result, Id3StoreResult::Stored);
    ASSERT_EQ(storeLyricsInMp3(song, "second").result, Id3StoreResult::Stored);
    std::string stored;
    EXPECT_EQ(lyricsFrames(song, &stored), 1);
    EXPECT_EQ(stored, "second");
}

TEST_F(Id3Lyrics, LeavesTheSongByteIdenticalWhenNothingIsStored) {
    const std::string v24 = id3v2Tag(4, id3Frame("TIT2", textFrameBody("Title"), 4) +
                                            id3Frame("APIC", std::string(300, '\x42'), 4));
    std::string badSize = id3v2Tag(3, id3Frame("TIT2", textFrameBody("Title")));
    badSize[6] = '\x80';  // not sync-safe
    struct Case {
        const char* name;
        std::string bytes;
        std::string text;
        Id3StoreResult result;
    };
    const Case cases[] = {
        {"ID3v2.4 tag", v24 + audio(3000), kLyrics, Id3StoreResult::Refused},
        {"ID3v2.5 tag", id3v2Tag(5, "", 10) + audio(3000), kLyrics, Id3StoreResult::Refused},
        {"unreadable tag size", badSize + audio(3000), kLyrics, Id3StoreResult::Refused},
        {"tag longer than the file", id3v2Tag(3, "", 10).substr(0, 10) + audio(3), kLyrics,
         Id3StoreResult::Refused},
        {"empty text", id3v2Tag(3, id3Frame("USLT", usltLatin1Body("kept"))) + audio(3000), "",
         Id3StoreResult::NothingToStore},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string song = dir.write("song.mp3", c.bytes);
        const Id3StoreOutcome outcome = storeLyricsInMp3(song, c.text);
        EXPECT_EQ(outcome.result, c.result);
        EXPECT_FALSE(outcome.message.empty());
        EXPECT_EQ(readFile(song), c.bytes);
        expectNoLeftBehindFile(song);
    }
}

TEST_F(Id3Lyrics, FailsWithoutChangingASongThatCannotBeWritten) {
    const std::string missing = dir / "missing.mp3";
    EXPECT_EQ(storeLyricsInMp3(missing, kLyrics).result, Id3StoreResult::Failed);
    EXPECT_FALSE(fileExists(missing));  // the library would have created it

    // An immutable file refuses writes even to root, who runs these tests.
    const std::string bytes = id3v2Tag(3, "", 100) + audio(3000);
    const std::string song = dir.write("locked.mp3", bytes);
    if (std::system(("chattr +i '" + song + "' 2>/dev/null").c_str()) != 0) {
        GTEST_SKIP() << "chattr +i is not available here";
    }
    const Id3StoreOutcome outcome = storeLyricsInMp3(song, kLyrics);
    std::system(("chattr -i '" + song + "'").c_str());
    EXPECT_EQ(outcome.result, Id3StoreResult::Failed);
    EXPECT_FALSE(outcome.message.empty());
    EXPECT_EQ(readFile(song), bytes);
    expectNoLeftBehindFile(song);
}

TEST_F(Id3Lyrics, RepairMakesTheSongExactlyTheLeftBehindFile) {
    const std::string song = dir.write("song.mp3", audio(10000));
    const std::string leftBehind = song + std::string(kLeftBehindSuffix);
    EXPECT_EQ(repairLeftBehindFile(song), RepairResult::NothingLeft);
    EXPECT_EQ(readFile(song), audio(10000));

    // Shorter than the song, as after a larger tag was replaced: no old tail may remain.
    const std::string rewritten = id3v2Tag(3, "", 50) + audio(3000);
    dir.write("song.mp3" + std::string(kLeftBehindSuffix), rewritten);
    EXPECT_EQ(repairLeftBehindFile(song), RepairResult::Repaired);
    EXPECT_EQ(readFile(song), rewritten);
    EXPECT_FALSE(fileExists(leftBehind));

    // Longer than the song.
    const std::string longer = audio(20000);
    dir.write("song.mp3" + std::string(kLeftBehindSuffix), longer);
    EXPECT_EQ(repairLeftBehindFile(song), RepairResult::Repaired);
    EXPECT_EQ(readFile(song), longer);

    // No song to put it in: the left-behind file is the only copy and stays.
    const std::string gone = dir / "gone.mp3";
    dir.write("gone.mp3" + std::string(kLeftBehindSuffix), rewritten);
    EXPECT_EQ(repairLeftBehindFile(gone), RepairResult::Failed);
    EXPECT_FALSE(fileExists(gone));
    EXPECT_EQ(readFile(gone + std::string(kLeftBehindSuffix)), rewritten);
}

TEST_F(Id3Lyrics, StoringTheLyricsTheSongAlreadyHoldsSucceeds) {
    const std::string song = dir.write("song.mp3", id3v2Tag(3, "", 100) + audio(3000));
    ASSERT_EQ(storeLyricsInMp3(song, kLyrics).result, Id3StoreResult::Stored);
    const std::string once = readFile(song);

    const Id3StoreOutcome again = storeLyricsInMp3(song, kLyrics);

    EXPECT_EQ(again.result, Id3StoreResult::Stored) << again.message;
    EXPECT_EQ(readFile(song), once);
    EXPECT_EQ(readInternal(song), kLyricsLines);
}

// The library shows a Lyrics3 tag as one more lyrics frame when it opens the whole file; the
// store must look at the ID3v2 tag alone, and leaves the trailer as the user had it.
TEST_F(Id3Lyrics, StoresIntoSongsWithALyrics3TagAndKeepsTheTrailer) {
    const std::string lyr = lyrics3Field("LYR", "[00:01]old one\r\nold two");
    const std::string withInd = lyrics3v2(lyrics3Field("IND", "11") + lyr);
    const std::string withoutInd = lyrics3v2(lyr + lyrics3Field("EAL", "Album"));
    const std::string tagged = id3v2Tag(3, id3Frame("TIT2", textFrameBody("My title")), 50);
    struct Case {
        const char* name;
        std::string tag;
        std::string trailer;
    };
    const Case cases[] = {
        {"Lyrics3 v2 with IND", "", withInd + id3v1Tag()},
        {"Lyrics3 v2 without IND", "", withoutInd + id3v1Tag()},
        {"ID3v2 tag, Lyrics3 v2 with IND", tagged, withInd + id3v1Tag()},
        {"ID3v2 tag, Lyrics3 v2 without IND", tagged, withoutInd + id3v1Tag()},
        {"ID3v2 tag, Lyrics3 v1", tagged, lyrics3v1("old lyrics") + id3v1Tag()},
        {"ID3v2 tag, no trailer", tagged, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string song = dir.write("song.mp3", c.tag + audio(3000) + c.trailer);

        const Id3StoreOutcome outcome = storeLyricsInMp3(song, kLyrics);

        EXPECT_EQ(outcome.result, Id3StoreResult::Stored) << outcome.message;
        EXPECT_EQ(readInternal(song), kLyricsLines);
        const std::string after = readFile(song);
        ASSERT_GE(after.size(), 3000 + c.trailer.size());
        EXPECT_EQ(after.substr(after.size() - c.trailer.size() - 3000), audio(3000) + c.trailer);
        expectNoLeftBehindFile(song);
    }
}

// The checks after the library's write, reached through a stand-in that writes what a faulty
// library could leave behind.
TEST_F(Id3Lyrics, AWriteThatDoesNotReadBackIsPutBack) {
    const std::string original =
        id3v2Tag(3, id3Frame("USLT", usltLatin1Body("old")), 20) + audio(3000) + id3v1Tag();
    const std::string rightTag = id3v2Tag(3, id3Frame("USLT", usltLatin1Body(kLyricsLatin1)));
    struct Case {
        const char* name;
        std::string written;  // empty: the stand-in leaves the song alone
        Id3StoreResult result;
        std::string messagePart;
    };
    const Case cases[] = {
        {"as it should", rightTag + audio(3000) + id3v1Tag(), Id3StoreResult::Stored, ""},
        {"nothing written", "", Id3StoreResult::Failed, "could not be written"},
        {"other lyrics",
         id3v2Tag(3, id3Frame("USLT", usltLatin1Body("other"))) + audio(3000) + id3v1Tag(),
         Id3StoreResult::Failed, "do not read back"},
        {"two lyrics frames",
         id3v2Tag(3, id3Frame("USLT", usltLatin1Body(kLyricsLatin1)) +
                         id3Frame("USLT", usltLatin1Body("old"))) +
             audio(3000) + id3v1Tag(),
         Id3StoreResult::Failed, "more than one lyrics frame"},
        {"audio changed", rightTag + audio(2999) + id3v1Tag(), Id3StoreResult::Failed,
         "audio data"},
        {"trailer dropped", rightTag + audio(3000), Id3StoreResult::Failed, "audio data"},
        {"no tag", audio(3000) + id3v1Tag(), Id3StoreResult::Failed, "no readable ID3v2 tag"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string song = dir.write("song.mp3", original);
        const auto writer = [&c](const std::string& path, const std::string& text) {
            EXPECT_EQ(text, kLyrics);
            if (!c.written.empty()) {
                std::ofstream(path, std::ios::binary | std::ios::trunc) << c.written;
            }
            return Id3TagWrite::Attempted;
        };

        const Id3StoreOutcome outcome = storeLyricsInMp3Using(writer, song, kLyrics);

        EXPECT_EQ(outcome.result, c.result);
        if (c.result == Id3StoreResult::Stored) {
            EXPECT_EQ(readFile(song), c.written);
            continue;
        }
        EXPECT_NE(outcome.message.find(c.messagePart), std::string::npos) << outcome.message;
        if (!c.written.empty()) {
            EXPECT_NE(outcome.message.find("has been put back as it was"), std::string::npos);
        }
        EXPECT_EQ(readFile(song), original);
    }
}

TEST_F(Id3Lyrics, ATagTheLibraryCannotReadIsRefusedUntouched) {
    const std::string original = id3v2Tag(3, "", 20) + audio(3000);
    const std::string song = dir.write("song.mp3", original);
    const auto writer = [](const std::string&, const std::string&) {
        return Id3TagWrite::Unreadable;
    };
    const Id3StoreOutcome outcome = storeLyricsInMp3Using(writer, song, kLyrics);
    EXPECT_EQ(outcome.result, Id3StoreResult::Refused);
    EXPECT_EQ(readFile(song), original);
}

TEST_F(Id3Lyrics, ARollbackThatFailsSaysTheSongWasNotPutBack) {
    const std::string original = id3v2Tag(3, "", 20) + audio(3000);
    const std::string song = dir.write("song.mp3", original);
    const std::string broken = audio(100);
    bool locked = false;
    const auto writer = [&](const std::string& path, const std::string&) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << broken;
        // An immutable file refuses writes even to root, who runs these tests.
        locked = std::system(("chattr +i '" + path + "' 2>/dev/null").c_str()) == 0;
        return Id3TagWrite::Attempted;
    };

    const Id3StoreOutcome outcome = storeLyricsInMp3Using(writer, song, kLyrics);
    if (!locked) {
        GTEST_SKIP() << "chattr +i is not available here";
    }
    std::system(("chattr -i '" + song + "'").c_str());

    EXPECT_EQ(outcome.result, Id3StoreResult::Failed);
    EXPECT_NE(outcome.message.find("could not be put back as it was: " + song), std::string::npos)
        << outcome.message;
    EXPECT_EQ(readFile(song), broken);
}

}  // namespace
}  // namespace zor
