#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "Fakes.h"
#include "FaultyFileSystem.h"
#include "lyrics/model/LyricsCore.h"
#include "lyrics/model/MemoryLineList.h"
#include "lyrics/model/TextLimits.h"
#include "lyrics/ports/ErrorReport.h"

namespace zor {
namespace {

namespace fs = std::filesystem;
using test::FakeHostLink;
using test::FaultyFileSystem;
using test::RecordingPrompt;

class TempFolder {
  public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "zor_saving_XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::set<std::string> filesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

const char* const kRemoveQuestionEnd =
    "?\nIf you choose 'NO', the lyrics can be read from this file an not from the mp3 file.";

class SavingTest : public ::testing::Test {
  protected:
    SavingTest() {
        fs::create_directory(music);
        fs::create_directory(alt);
        core.songPath = music + "/Song.mp3";
        core.songFile = core.songPath;
        core.modified = 1;
        writeFile(core.songPath, "not really audio");
        for (const char* line : {"[ti:X]", "[00:10]A", "B", ""}) {
            editList.append(line);
        }
        core.storeIntoMp3 = [this](const std::string& path, const std::string& text) {
            stores.push_back({path, text});
            return storeOutcome;
        };
    }

    void expectOnlyBox(PromptOwner owner, const std::string& text, const std::string& caption,
                       PromptButtons buttons, std::size_t index = 0) {
        ASSERT_GT(prompt.boxes.size(), index);
        const RecordingPrompt::Box& box = prompt.boxes[index];
        EXPECT_EQ(box.owner, owner);
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.caption, caption);
        EXPECT_EQ(box.buttons, buttons);
    }

    TempFolder temp;
    const std::string music = temp.path() + "/music";
    const std::string alt = temp.path() + "/alt";
    MemoryLineList lyricsList{false};
    MemoryLineList editList{true};
    FakeHostLink host;
    RecordingPrompt prompt;
    FaultyFileSystem files{platformFileSystem()};
    LyricsCore core{lyricsList, editList, host, prompt, files};
    std::vector<std::pair<std::string, std::string>> stores;
    Id3StoreOutcome storeOutcome{Id3StoreResult::Stored, ""};
};

constexpr const char* kSavedBytes = "[ti:X]\r\n[00:10]A\r\nB\r\n";

TEST_F(SavingTest, WritesTheEditListAsLrcBesideTheSong) {
    EXPECT_EQ(core.saveLyrics(-2), 1);

    EXPECT_EQ(readFile(music + "/Song.LRC"), kSavedBytes);
    EXPECT_EQ(filesIn(music), (std::set<std::string>{"Song.mp3", "Song.LRC"}));
    EXPECT_EQ(core.lyricsPath, music + "/Song.LRC");
    EXPECT_EQ(core.currentExt, "LRC");
    EXPECT_EQ(core.modified, 0);
    EXPECT_TRUE(prompt.boxes.empty());
    EXPECT_TRUE(stores.empty());
}

TEST_F(SavingTest, ASourceReadInEditModeIsSavedByteForByte) {
    for (const char* source : {"A\r\nB\r\n", "[ti:X]\r\n\r\n[00:10]A [x]\r\n  B", "", "\r\n"}) {
        SCOPED_TRACE(source);
        editList.clear();
        int count = 0;
        core.readLines(source, count);
        ASSERT_EQ(core.saveLyrics(-2), 1);
        EXPECT_EQ(readFile(music + "/Song.LRC"), source);
    }
}

TEST_F(SavingTest, ModesChooseTheTargetOnlyForSongsThatHoldLyrics) {
    struct Case {
        const char* song;
        int mode;
        const char* question;  // nullptr: not asked
        bool intoSong;
    };
    const Case cases[] = {
        {"Song.mp3", 0, "Save INTO MP3 FILE???", false},  // answered No
        {"Song.MP3", -1, nullptr, true},
        {"Song.mp3", -2, nullptr, false},
        {"Song.mp3", 3, nullptr, false},
        {"Song.flac", 0, "Save INTO FLAC FILE???", false},
        {"Song.ogg", -1, nullptr, true},
        {"Song.Opus", 0, "Save INTO OPUS FILE???", false},
        {"Song.m4a", 0, "Save INTO M4A FILE???", false},
        {"Song.wav", -1, nullptr, false},  // nothing to store lyrics in
        {"Song.wma", 0, nullptr, false},   // read, never written
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.song) + " mode " + std::to_string(c.mode));
        fs::remove(music + "/Song.LRC");
        prompt.boxes.clear();
        prompt.answers = {PromptAnswer::No};
        stores.clear();
        core.songPath = music + "/" + c.song;
        core.lyricsPath.clear();

        EXPECT_EQ(core.saveLyrics(c.mode), 1);

        EXPECT_EQ(prompt.boxes.size(), c.question != nullptr ? 1u : 0u);
        if (c.question != nullptr) {
            expectOnlyBox(PromptOwner::PluginWindow, c.question, "Save",
                          PromptButtons::YesNoCancel);
        }
        EXPECT_EQ(stores.size(), c.intoSong ? 1u : 0u);
        EXPECT_EQ(fs::exists(music + "/Song.LRC"), !c.intoSong);
    }
}

TEST_F(SavingTest, AnItemOfAnyLengthIsWrittenWhole) {
    editList.clear();
    const std::string longest(kMaxItemChars, 'x');
    editList.append(longest);
    editList.append("end");
    EXPECT_EQ(core.saveLyrics(-2), 1);
    EXPECT_EQ(readFile(music + "/Song.LRC"), longest + "\r\nend");
}

TEST_F(SavingTest, TheLoadedFileIsReplacedUnderItsOwnName) {
    // Loaded from the alternative folder as a TXT file: saved back there, even as "LRC".
    const std::string loaded = alt + "/Song.TXT";
    writeFile(loaded, "old");
    core.lyricsPath = loaded;
    core.currentExt = "TXT";

    EXPECT_EQ(core.saveLyrics(-2), 1);

    EXPECT_EQ(readFile(loaded), kSavedBytes);
    EXPECT_EQ(filesIn(alt), std::set<std::string>{"Song.TXT"});
    EXPECT_EQ(filesIn(music), std::set<std::string>{"Song.mp3"});
    EXPECT_EQ(core.lyricsPath, loaded);
}

TEST_F(SavingTest, AnExistingFileInOtherLetterCaseIsTheOneReplaced) {
    writeFile(music + "/song.lrc", "old");
    EXPECT_EQ(core.saveLyrics(-2), 1);
    EXPECT_EQ(readFile(music + "/song.lrc"), kSavedBytes);
    EXPECT_EQ(filesIn(music), (std::set<std::string>{"Song.mp3", "song.lrc"}));
}

TEST_F(SavingTest, NoSongOrCancelWritesNothing) {
    core.songPath.clear();
    EXPECT_EQ(core.saveLyrics(0), 0);
    EXPECT_TRUE(prompt.boxes.empty());

    core.songPath = music + "/Song.mp3";
    prompt.answers = {PromptAnswer::Cancel};
    EXPECT_EQ(core.saveLyrics(0), 0);
    expectOnlyBox(PromptOwner::PluginWindow, "Save INTO MP3 FILE???", "Save",
                  PromptButtons::YesNoCancel);
    EXPECT_EQ(prompt.boxes.size(), 1u);
    EXPECT_TRUE(files.createdPaths.empty());
    EXPECT_TRUE(stores.empty());
    EXPECT_EQ(core.modified, 1);
    // The name beside the song is settled before the question.
    EXPECT_EQ(core.lyricsPath, music + "/Song.LRC");
}

TEST_F(SavingTest, ReadOnlySongFolderFallsBackToTheAlternativeFolder) {
    files.refusedFolders = {music};
    core.AlternativeLRCPath = alt;

    EXPECT_EQ(core.saveLyrics(-2), 1);

    EXPECT_EQ(files.createdPaths,
              (std::vector<std::string>{music + "/Song.LRC.zortmp", alt + "/Song.LRC.zortmp"}));
    EXPECT_EQ(readFile(alt + "/Song.LRC"), kSavedBytes);
    EXPECT_EQ(filesIn(alt), std::set<std::string>{"Song.LRC"});
    EXPECT_EQ(core.lyricsPath, alt + "/Song.LRC");
    EXPECT_TRUE(prompt.boxes.empty());
    EXPECT_EQ(core.modified, 0);
}

TEST_F(SavingTest, ReadOnlySongFolderWithoutAlternativeAsksForOne) {
    files.refusedFolders = {music};

    EXPECT_EQ(core.saveLyrics(-2), 0);

    ASSERT_EQ(prompt.boxes.size(), 1u);
    expectOnlyBox(PromptOwner::HostMain, "Error saving LRC. Please configure an user path.",
                  "Maresh's Zor Lyrics plugin!!!!", PromptButtons::Ok);
    EXPECT_EQ(filesIn(music), std::set<std::string>{"Song.mp3"});
    EXPECT_EQ(core.modified, 1);
}

TEST_F(SavingTest, BothFoldersReadOnlyReportsTheSystemError) {
    files.refusedFolders = {music, alt};
    files.faultError = 5;
    core.AlternativeLRCPath = alt;

    EXPECT_EQ(core.saveLyrics(-2), 0);

    ASSERT_EQ(prompt.boxes.size(), 1u);
    expectOnlyBox(PromptOwner::None, "SE_ERR_ACCESSDENIED", "Error", PromptButtons::Ok);
    EXPECT_EQ(core.lyricsPath, music + "/Song.LRC");  // only a save that worked moves it
    EXPECT_EQ(core.modified, 1);
    EXPECT_TRUE(filesIn(alt).empty());
}

// The old file must come through every failure byte for byte, with no temporary file left.
class SavingFailureTest : public SavingTest {
  protected:
    SavingFailureTest() {
        core.lyricsPath = music + "/Song.LRC";
        writeFile(core.lyricsPath, kOldBytes);
    }

    void expectNothingLost(const std::string& what) {
        SCOPED_TRACE(what);
        EXPECT_EQ(readFile(core.lyricsPath), kOldBytes);
        EXPECT_EQ(filesIn(music), (std::set<std::string>{"Song.mp3", "Song.LRC"}));
        ASSERT_EQ(prompt.boxes.size(), 1u);
        EXPECT_EQ(prompt.boxes[0].caption, "Error");
        EXPECT_EQ(prompt.boxes[0].owner, PromptOwner::None);
        // The system's own words for the code of the step that failed.
        EXPECT_EQ(prompt.boxes[0].text, systemErrorText(files.faultError));
        EXPECT_EQ(core.modified, 1);
        prompt.boxes.clear();
    }

    static constexpr const char* kOldBytes = "[00:01]old lyrics\r\n";
};

TEST_F(SavingFailureTest, AWriteThatFailsLeavesTheOldFile) {
    const int writesPerSave = 1;  // the whole file at once
    for (int n = 1; n <= writesPerSave; ++n) {
        files.failAtWriteCall = files.writeCalls + n;
        EXPECT_EQ(core.saveLyrics(-2), 0);
        expectNothingLost("write call " + std::to_string(n));
    }
    files.failAtWriteCall = 0;
    for (std::int64_t byte : {0, 5, 12, 19}) {
        files.failAtByte = files.bytesWritten + byte;
        EXPECT_EQ(core.saveLyrics(-2), 0);
        expectNothingLost("byte " + std::to_string(byte));
    }
    files.failAtByte = -1;
    const int before = files.writeCalls;
    EXPECT_EQ(core.saveLyrics(-2), 1);
    EXPECT_EQ(files.writeCalls - before, writesPerSave);
    EXPECT_EQ(readFile(core.lyricsPath), kSavedBytes);
}

TEST_F(SavingFailureTest, AFailingCloseLeavesTheOldFile) {
    files.failClose = true;
    EXPECT_EQ(core.saveLyrics(-2), 0);
    expectNothingLost("close");
}

// A read-only or locked LRC file: the new lines are complete, only the replace fails, and they
// take the same way as lines whose folder takes no file.
TEST_F(SavingFailureTest, AFileThatCannotBeReplacedFallsBackToTheAlternativeFolder) {
    files.lockedFolders = {music};
    core.AlternativeLRCPath = alt;

    EXPECT_EQ(core.saveLyrics(-2), 1);

    EXPECT_EQ(readFile(alt + "/Song.LRC"), kSavedBytes);
    EXPECT_EQ(core.lyricsPath, alt + "/Song.LRC");
    EXPECT_EQ(readFile(music + "/Song.LRC"), kOldBytes);
    EXPECT_EQ(filesIn(music), (std::set<std::string>{"Song.mp3", "Song.LRC"}));
    EXPECT_TRUE(prompt.boxes.empty());
    EXPECT_EQ(core.modified, 0);

    // The next save goes straight to the alternative folder.
    const std::size_t tried = files.createdPaths.size();
    EXPECT_EQ(core.saveLyrics(-2), 1);
    EXPECT_EQ(files.createdPaths.size(), tried + 1);
    EXPECT_EQ(files.createdPaths.back(), alt + "/Song.LRC.zortmp");
}

TEST_F(SavingFailureTest, AFileThatCannotBeReplacedWithoutAlternativeAsksForOne) {
    files.lockedFolders = {music};

    EXPECT_EQ(core.saveLyrics(-2), 0);

    expectOnlyBox(PromptOwner::HostMain, "Error saving LRC. Please configure an user path.",
                  "Maresh's Zor Lyrics plugin!!!!", PromptButtons::Ok);
    EXPECT_EQ(prompt.boxes.size(), 1u);
    EXPECT_EQ(readFile(core.lyricsPath), kOldBytes);
    EXPECT_EQ(filesIn(music), (std::set<std::string>{"Song.mp3", "Song.LRC"}));
    EXPECT_EQ(core.modified, 1);
}

TEST_F(SavingFailureTest, AReplaceFailingInBothFoldersReportsTheSystemError) {
    files.lockedFolders = {music, alt};
    core.AlternativeLRCPath = alt;

    EXPECT_EQ(core.saveLyrics(-2), 0);

    expectNothingLost("replace");
    EXPECT_TRUE(filesIn(alt).empty());
    EXPECT_EQ(core.lyricsPath, music + "/Song.LRC");
}

TEST_F(SavingFailureTest, ALeftoverTemporaryNameIsPassedOver) {
    const std::string leftover = core.lyricsPath + ".zortmp";
    writeFile(leftover, "someone's");

    EXPECT_EQ(core.saveLyrics(-2), 1);

    EXPECT_EQ(readFile(core.lyricsPath), kSavedBytes);
    EXPECT_EQ(readFile(leftover), "someone's");
    EXPECT_EQ(files.createdPaths.back(), core.lyricsPath + ".zortmp1");
}

TEST_F(SavingTest, IntoMp3OffersToRemoveTheFilesThatWouldStillWin) {
    core.AlternativeLRCPath = alt;
    writeFile(alt + "/Song.LRC", "alt lrc");
    writeFile(music + "/Song.TXT", "beside txt");
    editList.clear();
    editList.append("A");
    editList.append("B");
    prompt.answers = {PromptAnswer::Yes, PromptAnswer::Yes, PromptAnswer::No};

    EXPECT_EQ(core.saveLyrics(0), 1);

    EXPECT_EQ(stores,
              (std::vector<std::pair<std::string, std::string>>{{core.songPath, "A\r\nB"}}));
    ASSERT_EQ(prompt.boxes.size(), 3u);
    expectOnlyBox(PromptOwner::PluginWindow,
                  "Do you want remove the file " + alt + "/Song.LRC" + kRemoveQuestionEnd,
                  "REMOVE THE FILE?", PromptButtons::YesNo, 1);
    expectOnlyBox(PromptOwner::PluginWindow,
                  "Do you want remove the file " + music + "/Song.TXT" + kRemoveQuestionEnd,
                  "REMOVE THE FILE?", PromptButtons::YesNo, 2);
    EXPECT_FALSE(fs::exists(alt + "/Song.LRC"));   // Yes
    EXPECT_TRUE(fs::exists(music + "/Song.TXT"));  // No
    EXPECT_EQ(core.modified, 0);
    EXPECT_EQ(core.lyricsPath, music + "/Song.LRC");
    EXPECT_FALSE(fs::exists(music + "/Song.LRC"));
}

TEST_F(SavingTest, IntoAFlacOffersTheNewNamesTooInTheLookupOrder) {
    host.metadata = {{"Artist", "Band"}, {"Title", "Tune"}};
    core.AlternativeLRCPath = alt;
    core.songPath = music + "/Song.flac";
    const std::vector<std::string> files = {alt + "/Band - Tune.TXT", music + "/Song.LRC",
                                            music + "/Lyrics/Song.TXT",
                                            music + "/Lyrics/Band - Tune.LRC"};
    fs::create_directory(music + "/Lyrics");
    for (const std::string& file : files) {
        writeFile(file, "x");
    }
    prompt.answers = {PromptAnswer::Yes, PromptAnswer::Yes, PromptAnswer::Yes, PromptAnswer::No,
                      PromptAnswer::Yes};

    EXPECT_EQ(core.saveLyrics(0), 1);

    expectOnlyBox(PromptOwner::PluginWindow, "Save INTO FLAC FILE???", "Save",
                  PromptButtons::YesNoCancel);
    ASSERT_EQ(prompt.boxes.size(), 5u);
    for (std::size_t i = 0; i < files.size(); ++i) {
        expectOnlyBox(PromptOwner::PluginWindow,
                      "Do you want remove the file " + files[i] +
                          "?\nIf you choose 'NO', the lyrics can be read from this file an not "
                          "from the flac file.",
                      "REMOVE THE FILE?", PromptButtons::YesNo, i + 1);
    }
    EXPECT_FALSE(fs::exists(files[0]));
    EXPECT_FALSE(fs::exists(files[1]));
    EXPECT_TRUE(fs::exists(files[2]));  // No
    EXPECT_FALSE(fs::exists(files[3]));
}

TEST_F(SavingTest, IntoMp3ThatStoredNothingIsNotASave) {
    struct Case {
        Id3StoreResult result;
        std::string message;
        std::string shown;
    };
    const Case cases[] = {
        {Id3StoreResult::Failed, "The MP3 file could not be written.",
         "The MP3 file could not be written."},
        {Id3StoreResult::Refused, "This ID3v2.4 tag cannot be rewritten.",
         "This ID3v2.4 tag cannot be rewritten."},
        {Id3StoreResult::NothingToStore, "", "There are no lyrics to save into the MP3 file."},
    };
    writeFile(music + "/Song.LRC", "external");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        prompt.boxes.clear();
        storeOutcome = Id3StoreOutcome{c.result, c.message};

        EXPECT_EQ(core.saveLyrics(-1), 0);

        ASSERT_EQ(prompt.boxes.size(), 1u);  // no offer to remove the external file
        expectOnlyBox(PromptOwner::PluginWindow, c.shown, "Save", PromptButtons::Ok);
        EXPECT_EQ(readFile(music + "/Song.LRC"), "external");
        EXPECT_EQ(core.modified, 1);
    }
}

TEST_F(SavingTest, TheLiveAdjustmentIsSavedAsTheLyricsOffset) {
    // The file's own [offset:] takes the sum, in place; without one, a line of its own goes
    // first. A save with no adjustment leaves the offset line as written.
    const struct {
        std::vector<const char*> lines;
        int adjustment;
        const char* saved;
    } cases[] = {
        {{"[ti:X]", "[offset:+200]", "[00:10]A"}, 300, "[ti:X]\r\n[offset:500]\r\n[00:10]A"},
        {{"[ti:X]", "[OFFSET: -200 ]", "[00:10]A"}, -100, "[ti:X]\r\n[offset:-300]\r\n[00:10]A"},
        {{"[ti:X]", "[00:10]A"}, -400, "[offset:-400]\r\n[ti:X]\r\n[00:10]A"},
        {{"[offset:abc]", "[offset:100]", "[00:10]A"},
         100,
         "[offset:abc]\r\n[offset:200]\r\n[00:10]A"},
        {{"[ti:X]", "[offset:+200]", "[00:10]A"}, 0, "[ti:X]\r\n[offset:+200]\r\n[00:10]A"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.saved);
        editList.clear();
        for (const char* line : c.lines) {
            editList.append(line);
        }
        core.liveAdjustMs = c.adjustment;
        ASSERT_EQ(core.saveLyrics(-2), 1);
        EXPECT_EQ(readFile(music + "/Song.LRC"), c.saved);
        EXPECT_EQ(core.liveAdjustMs, 0);  // the reload applies it from the file now
    }
    // Into the MP3 the same way.
    editList.clear();
    editList.append("[00:10]A");
    core.liveAdjustMs = 100;
    ASSERT_EQ(core.saveLyrics(-1), 1);
    ASSERT_EQ(stores.size(), 1u);
    EXPECT_EQ(stores[0].second, "[offset:100]\r\n[00:10]A");
}

TEST_F(SavingTest, WordTagsAndFractionsAreSavedAsWritten) {
    const std::string source = "[00:01.00]<00:01.00>Hello <00:01.52>world\r\n[00:02.5]<x> y";
    editList.clear();
    int count = 0;
    core.PreciseTiming = 1;
    core.readLines(source, count);
    ASSERT_EQ(core.saveLyrics(-2), 1);
    EXPECT_EQ(readFile(music + "/Song.LRC"), source);
}

}  // namespace
}  // namespace zor
