// What the online step keeps on disk: the memory of misses, and the lyrics it found.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "Fakes.h"
#include "FaultyFileSystem.h"
#include "lyrics/online/FoundLyricsSaver.h"
#include "lyrics/online/MissMemory.h"

namespace zor {
namespace {

using test::FaultyFileSystem;
using test::TempFolder;

constexpr std::int64_t kDay = 24 * 60 * 60;
constexpr std::int64_t kNow = 1'800'000'000;

std::string contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

TEST(MissMemoryTest, ASongIsRememberedForSevenDaysAndByItsLength) {
    TempFolder temp;
    const std::string path = temp / "misses.txt";
    {
        MissMemory memory(platformFileSystem(), path);
        EXPECT_FALSE(memory.remembers("/m/a.mp3", 200, kNow));
        EXPECT_TRUE(memory.remember("/m/a.mp3", 200, MissMemory::Reason::NotFound, kNow));
        EXPECT_TRUE(memory.remember("/m/b.mp3", 96, MissMemory::Reason::Instrumental, kNow));
    }
    MissMemory reread(platformFileSystem(), path);  // what the file holds, not what was cached
    EXPECT_TRUE(reread.remembers("/m/a.mp3", 200, kNow + 7 * kDay - 1));
    EXPECT_FALSE(reread.remembers("/m/a.mp3", 200, kNow + 7 * kDay));
    EXPECT_FALSE(reread.remembers("/m/a.mp3", 201, kNow));  // a changed file is a new song
    EXPECT_TRUE(reread.remembers("/m/b.mp3", 96, kNow));
    EXPECT_FALSE(reread.remembers("/m/a.mp3", 200, kNow - kDay));  // a clock set back
    EXPECT_TRUE(reread.forget("/m/a.mp3"));
    EXPECT_FALSE(MissMemory(platformFileSystem(), path).remembers("/m/a.mp3", 200, kNow));
}

TEST(MissMemoryTest, ExpiredSongsLeaveTheFileWhenItIsWritten) {
    TempFolder temp;
    const std::string path = temp / "misses.txt";
    MissMemory memory(platformFileSystem(), path);
    memory.remember("/m/old.mp3", 1, MissMemory::Reason::NotFound, kNow);
    memory.remember("/m/new.mp3", 2, MissMemory::Reason::NotFound, kNow + 8 * kDay);
    EXPECT_EQ(contents(path), "zorlyrics online misses 1\n" + std::to_string(kNow + 8 * kDay) +
                                  "\t2\tnone\t/m/new.mp3\n");
}

TEST(MissMemoryTest, AFileThatCannotBeReadIsRebuiltNeverAFailure) {
    const std::string when = std::to_string(kNow);
    const struct {
        const char* what;
        std::string bytes;
        bool keepsGoodLine;
    } cases[] = {
        {"another file", "[settings]\nx=1\n", false},
        {"binary", std::string("\0\xFF\x01zz\n", 6), false},
        {"empty", "", false},
        {"odd lines among good ones",
         "zorlyrics online misses 1\nnonsense\n1\t2\n" + when + "\tx\tnone\t/p\n" + when +
             "\t5\tnone\t/m/a.mp3\r\n" + when + "\t5\tmaybe\t/q\n",
         true},
    };
    for (const auto& c : cases) {
        TempFolder temp;
        const std::string path = temp.write("misses.txt", c.bytes);
        MissMemory memory(platformFileSystem(), path);
        EXPECT_EQ(memory.remembers("/m/a.mp3", 5, kNow), c.keepsGoodLine) << c.what;
        EXPECT_FALSE(memory.remembers("/p", 0, kNow)) << c.what;
        EXPECT_TRUE(memory.remember("/m/b.mp3", 7, MissMemory::Reason::NotFound, kNow)) << c.what;
        EXPECT_EQ(contents(path).rfind("zorlyrics online misses 1\n", 0), 0U) << c.what;
        EXPECT_TRUE(MissMemory(platformFileSystem(), path).remembers("/m/b.mp3", 7, kNow));
    }
    // A folder that is gone: the song is remembered for this session all the same.
    TempFolder temp;
    MissMemory memory(platformFileSystem(), temp / "gone/misses.txt");
    EXPECT_FALSE(memory.remember("/m/a.mp3", 5, MissMemory::Reason::NotFound, kNow));
    EXPECT_TRUE(memory.remembers("/m/a.mp3", 5, kNow));
    EXPECT_FALSE(memory.remember("/m/tab\there.mp3", 5, MissMemory::Reason::NotFound, kNow));
}

TEST(MissMemoryTest, ItsFileSitsBesideTheSettings) {
    EXPECT_EQ(missMemoryPathBeside("C:\\Winamp\\Plugins\\plugin.ini"),
              "C:\\Winamp\\Plugins\\vis_zorlyrics_online.txt");
    EXPECT_EQ(missMemoryPathBeside("/home/u/.winamp/plugin.ini"),
              "/home/u/.winamp/vis_zorlyrics_online.txt");
}

LyricsRecord found(std::optional<std::string> synced, std::optional<std::string> plain) {
    LyricsRecord record;
    record.id = 1;
    record.syncedLyrics = std::move(synced);
    record.plainLyrics = std::move(plain);
    return record;
}

class FoundLyricsSaverTest : public ::testing::Test {
  protected:
    TempFolder temp;
    FaultyFileSystem files{platformFileSystem()};
    FoundLyricsSaver saver{files};
    std::string song = temp.write("music/song.mp3", "");
};

TEST_F(FoundLyricsSaverTest, SyncedBecomesLrcAndPlainBecomesTxtWithNewFileLineEnds) {
    const FoundSaveOutcome lrc =
        saver.save(found("[00:01.00]one\n[00:02.00]two\n", "one\ntwo"), song, "");
    EXPECT_EQ(lrc.status, FoundSaveStatus::Saved);
    EXPECT_EQ(lrc.path, temp / "music/song.LRC");
    EXPECT_EQ(contents(lrc.path), "[00:01.00]one\r\n[00:02.00]two");

    const std::string other = temp.write("music/other.mp3", "");
    const FoundSaveOutcome txt = saver.save(found(std::nullopt, "caf\xC3\xA9\r\nnoir"), other, "");
    EXPECT_EQ(txt.status, FoundSaveStatus::Saved);
    EXPECT_EQ(txt.path, temp / "music/other.TXT");
    EXPECT_EQ(contents(txt.path), "caf\xE9\r\nnoir");  // fits the ANSI code page

    const std::string third = temp.write("music/third.mp3", "");
    const FoundSaveOutcome utf8 =
        saver.save(found(std::nullopt, "\xD0\x91 \xE2\x99\xAA"), third, "");
    EXPECT_EQ(contents(utf8.path), "\xEF\xBB\xBF\xD0\x91 \xE2\x99\xAA");  // does not: UTF-8, marked

    EXPECT_EQ(saver.save(found("", ""), third, "").status, FoundSaveStatus::NoLyrics);
    EXPECT_EQ(saver.save(found("[00:01]x", std::nullopt), "http://radio/stream", "").status,
              FoundSaveStatus::NoName);
}

TEST_F(FoundLyricsSaverTest, TheAlternativeFolderComesFirstAndFallsBackBesideTheSong) {
    const std::string alternative = temp / "alt";
    std::filesystem::create_directories(alternative);
    const FoundSaveOutcome first = saver.save(found("[00:01]x", std::nullopt), song, alternative);
    EXPECT_EQ(first.path, temp / "alt/song.LRC");

    const std::string other = temp.write("music/other.mp3", "");
    files.refusedFolders.insert(alternative);
    const FoundSaveOutcome fallback =
        saver.save(found("[00:01]x", std::nullopt), other, alternative);
    EXPECT_EQ(fallback.status, FoundSaveStatus::Saved);
    EXPECT_EQ(fallback.path, temp / "music/other.LRC");

    files.refusedFolders.insert(temp / "music");
    const std::string third = temp.write("music/third.mp3", "");
    const FoundSaveOutcome refused =
        saver.save(found("[00:01]x", std::nullopt), third, alternative);
    EXPECT_EQ(refused.status, FoundSaveStatus::Failed);
    EXPECT_EQ(refused.error, files.faultError);
}

TEST_F(FoundLyricsSaverTest, AnExistingFileIsNeverReplacedUnlessAsked) {
    const std::string existing = temp.write("music/song.lrc", "mine");  // letter case differs
    const FoundSaveOutcome outcome = saver.save(found("[00:01]new", std::nullopt), song, "");
    EXPECT_EQ(outcome.status, FoundSaveStatus::Exists);
    EXPECT_EQ(outcome.path, existing);
    EXPECT_EQ(contents(existing), "mine");
    EXPECT_TRUE(files.createdPaths.empty());

    const FoundSaveOutcome replaced = saver.save(found("[00:01]new", std::nullopt), song, "", true);
    EXPECT_EQ(replaced.status, FoundSaveStatus::Saved);
    EXPECT_EQ(contents(existing), "[00:01]new");
}

TEST_F(FoundLyricsSaverTest, AWriteThatFailsHalfwayLeavesNothing) {
    files.failAtByte = 5;
    const FoundSaveOutcome outcome =
        saver.save(found("[00:01.00]a long enough line", std::nullopt), song, "");
    EXPECT_EQ(outcome.status, FoundSaveStatus::Failed);
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(temp / "music")) {
        left.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(left, std::vector<std::string>{"song.mp3"});
}

}  // namespace
}  // namespace zor
