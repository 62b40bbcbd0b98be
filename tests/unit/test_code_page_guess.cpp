// The code page of unmarked legacy files: what the detector may decide, what it must never decide
// (a Western text stays in the system's code page), and that a guessed file saves as it was read.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Fakes.h"
#include "Mp3Fixtures.h"
#include "lyrics/model/LyricsCore.h"
#include "lyrics/model/MemoryLineList.h"
#include "lyrics/platform/CodePage.h"
#include "lyrics/text/CodePageGuess.h"

namespace zor {
namespace {

using Lines = std::vector<std::string>;

std::string fixture(const std::string& name) {
    std::ifstream file(std::string(ZOR_UNIT_FIXTURES) + "/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// "[00:01.00]我们一起唱歌", "[00:03.00]月光照在小河上", "[00:05.00]再见" in GBK.
const std::string kGbkLyrics =
    "[00:01.00]\xCE\xD2\xC3\xC7\xD2\xBB\xC6\xF0\xB3\xAA\xB8\xE8\r\n"
    "[00:03.00]\xD4\xC2\xB9\xE2\xD5\xD5\xD4\xDA\xD0\xA1\xBA\xD3\xC9\xCF\r\n"
    "[00:05.00]\xD4\xD9\xBC\xFB";

class CodePageGuessing : public ::testing::Test {
  protected:
    CodePageGuessing() {
        lyricsList.setVisible(false);
        editList.setVisible(true);
    }
    Lines read(const std::string& bytes) {
        editList.clear();
        int count = 0;
        EXPECT_EQ(core.readLyricsFile(dir.write("read.lrc", bytes), count), 1);
        return editList.items();
    }
    std::string encoding() const {
        return core.lyricsEncoding.name() + (core.lyricsEncoding.guessed ? " (guessed)" : "");
    }

    test::TempFolder dir;
    MemoryLineList lyricsList{true};
    MemoryLineList editList{false};
    test::FakeHostLink host;
    test::RecordingPrompt prompt;
    LyricsCore core{lyricsList, editList, host, prompt, platformFileSystem()};
};

TEST_F(CodePageGuessing, ShortWesternTextsKeepTheSystemCodePage) {
    // Short texts in French, German, Spanish, Portuguese and Swedish, one a line, in Windows-1252:
    // each alone, as a lyrics file, and all of them together.
    const std::string texts = fixture("western-cp1252.lrc.txt");
    std::istringstream lines(texts);
    std::string text;
    int count = 0;
    while (std::getline(lines, text)) {
        SCOPED_TRACE(decodeCodePage(1252, text));
        ++count;
        for (const std::string& bytes : {text, "[00:01.00]" + text + "\r\n[00:04.00]" + text}) {
            const Lines shown = read(bytes);
            EXPECT_EQ(encoding(), "cp1252");
            ASSERT_FALSE(shown.empty());
            EXPECT_EQ(shown.front(), decodeCodePage(1252, bytes.substr(0, bytes.find('\r'))));
        }
    }
    EXPECT_GE(count, 50);
    read(texts);
    EXPECT_EQ(encoding(), "cp1252");
}

TEST_F(CodePageGuessing, LegacyFilesAreReadInTheCodePageTheirBytesSuggest) {
    struct Case {
        const char* file;
        const char* encoding;
        const char* firstLine;
    };
    const Case cases[] = {
        {"legacy/shift_jis-1.lrc", "cp932 (guessed)", "[00:05.00]今日は雨が降っています"},
        {"legacy/shift_jis-2.lrc", "cp932 (guessed)", "[00:05.00]夏の夜に花火が上がる"},
        {"legacy/shift_jis-3.lrc", "cp932 (guessed)", "[00:05.00]朝の光が部屋に差し込む"},
        {"legacy/euc-kr-1.lrc", "cp949 (guessed)", "[00:05.00]오늘 밤 별이 빛나요"},
        {"legacy/euc-kr-2.lrc", "cp949 (guessed)", "[00:05.00]바람이 불어오는 언덕에서"},
        {"legacy/euc-kr-3.lrc", "cp949 (guessed)", "[00:05.00]비가 내리는 거리에서"},
        {"legacy/big5-1.lrc", "cp950 (guessed)", "[00:05.00]今夜的月亮特別明亮"},
        {"legacy/big5-2.lrc", "cp950 (guessed)", "[00:05.00]雨後的街道很安靜"},
        {"legacy/big5-3.lrc", "cp950 (guessed)", "[00:05.00]春天來了花開滿山"},
        // A single-byte guess gives way to the system's code page wherever that reads the file.
        {"legacy/windows-1251-1.lrc", "cp1252", "[00:05.00]Я помню этот вечер у реки"},
        {"legacy/windows-1251-2.lrc", "cp1252", "[00:05.00]Зима пришла и замела дороги"},
        {"legacy/windows-1251-3.lrc", "cp1252", "[00:05.00]Город спит под тихим снегом"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string bytes = fixture(c.file);
        ASSERT_FALSE(bytes.empty());
        const Lines shown = read(bytes);
        EXPECT_EQ(encoding(), c.encoding);
        ASSERT_FALSE(shown.empty());
        if (core.lyricsEncoding.guessed) {
            EXPECT_EQ(shown.front(), c.firstLine);
        }
    }
    EXPECT_EQ(read(kGbkLyrics).front(), "[00:01.00]我们一起唱歌");
    EXPECT_EQ(encoding(), "cp936 (guessed)");
}

TEST_F(CodePageGuessing, ASettingByHandOrTheSwitchOffKeepsTheFallback) {
    core.CodePage = 1252;
    read(kGbkLyrics);
    EXPECT_EQ(encoding(), "cp1252");
    core.CodePage = 936;
    EXPECT_EQ(read(kGbkLyrics).front(), "[00:01.00]我们一起唱歌");
    EXPECT_EQ(encoding(), "cp936");
    core.CodePage = 0;
    core.DetectCodePage = 0;
    read(kGbkLyrics);
    EXPECT_EQ(encoding(), "cp1252");
}

// The rules a detector's opinion must pass, with opinions given here.
std::string saysShiftJis(std::string_view) {
    return "SHIFT_JIS";
}
std::string saysWindows1251(std::string_view) {
    return "WINDOWS-1251";
}
std::string saysVietnamese(std::string_view) {
    return "VISCII";
}
std::string saysNothing(std::string_view) {
    return {};
}

TEST(CodePageGuess, AGuessIsTakenOnlyWhereItHoldsUpOnTheWholeFile) {
    const std::string sjis = "\x89\xCC\x8E\x8C";              // 歌詞
    const std::string cyrillic = "\xCF\xF0\xE8\xE2\xE5\xF2";  // Привет
    const auto guessed = [](const std::string& bytes, int system, CharsetDetection detect) {
        const auto guess = guessCodePage(bytes, system, detect);
        return guess ? guess->codePage : 0;
    };
    EXPECT_EQ(guessed(sjis, 1252, saysShiftJis), 932);
    EXPECT_EQ(guessCodePage(sjis, 1252, saysShiftJis)->text, "歌詞");
    // A lead byte with no trail: not every byte decodes.
    EXPECT_EQ(guessed(sjis + "\x89", 1252, saysShiftJis), 0);
    // A charset Windows has no code page for.
    EXPECT_EQ(guessed(cyrillic, 1252, saysVietnamese), 0);
    EXPECT_EQ(guessed(cyrillic, 1252, saysNothing), 0);
    // Single-byte: only where the system's own code page cannot read the file.
    EXPECT_EQ(guessed(cyrillic, 1252, saysWindows1251), 0);
    EXPECT_EQ(guessed(cyrillic + "\x82\x82", 932, saysWindows1251), 1251);  // a lone lead byte
    EXPECT_EQ(guessed(cyrillic, 932, saysShiftJis), 0);

    EXPECT_EQ(windowsCodePageOf("gb18030")->codePage, 936);
    EXPECT_FALSE(windowsCodePageOf("GB18030")->singleByte);
    EXPECT_TRUE(windowsCodePageOf("WINDOWS-1251")->singleByte);
    EXPECT_FALSE(windowsCodePageOf("EUC-TW").has_value());
}

// What the detector was last handed.
std::string sampleSeen;
std::string recordsSample(std::string_view bytes) {
    sampleSeen = std::string(bytes);
    return "SHIFT_JIS";
}

// A large file: the detector sees its first lines only, whole; the guess still has to hold up on
// every byte.
TEST(CodePageGuess, TheDetectorSeesTheFirstLinesOfALargeFileAndTheCheckAllOfIt) {
    std::string large;
    std::size_t lines = 0;
    for (; large.size() < 200 * 1024; ++lines) {
        large += "[00:01.00]\x89\xCC\x8E\x8C and some words\r\n";
    }
    const auto guess = guessCodePage(large, 1252, recordsSample);
    ASSERT_TRUE(guess);
    EXPECT_EQ(guess->codePage, 932);
    EXPECT_LE(sampleSeen.size(), 16U * 1024);
    EXPECT_GT(sampleSeen.size(), 15U * 1024);
    EXPECT_EQ(sampleSeen.back(), '\n');
    EXPECT_EQ(guess->text.size(), large.size() + lines * 2);  // two bytes more a line in UTF-8

    // A lead byte left alone past the sample still refuses the guess.
    EXPECT_FALSE(guessCodePage(large + "\x89", 1252, recordsSample));
    // A small file is handed over whole.
    guessCodePage("[00:01]\x89\xCC", 1252, recordsSample);
    EXPECT_EQ(sampleSeen, "[00:01]\x89\xCC");
}

TEST(CodePageGuess, TextShapedLikeChineseIsGbkWhereTheDetectorIsSilent) {
    EXPECT_EQ(guessCodePage(kGbkLyrics, 1252, saysNothing)->codePage, 936);
    // Accented letters beside ASCII letters do not pair up as Chinese does.
    EXPECT_FALSE(guessCodePage("[00:01]\xE9t\xE9 \xE0 l'\xE9glise, \xE7\xE0 et l\xE0 \xEA\xE8",
                               1252, saysNothing));
    // Too few characters to tell.
    EXPECT_FALSE(guessCodePage("[00:01]\xC3\xA9\xC3\xA8 \xD4\xD9", 1252, saysNothing));
    // A system whose code page is GBK reads the file so already.
    EXPECT_FALSE(guessCodePage(kGbkLyrics, 936, saysNothing));
}

TEST_F(CodePageGuessing, AGuessedFileSavesInItsCodePageByteForByte) {
    lyricsList.setVisible(true);
    editList.setVisible(false);
    dir.write("Song.lrc", kGbkLyrics);
    lyricsList.setVisible(false);
    editList.setVisible(true);
    core.loadLyrics(dir / "Song.ogg");
    EXPECT_EQ(encoding(), "cp936 (guessed)");
    ASSERT_EQ(editList.count(), 3);

    // "[00:03.00]新的一句" in GBK replaces the middle line; the others keep their bytes.
    editList.remove(1);
    editList.insert(1, "[00:03.00]新的一句");
    ASSERT_EQ(core.saveLyrics(-2), 1);
    const std::string expected = kGbkLyrics.substr(0, kGbkLyrics.find("\r\n") + 2) +
                                 "[00:03.00]\xD0\xC2\xB5\xC4\xD2\xBB\xBE\xE4" +
                                 kGbkLyrics.substr(kGbkLyrics.rfind("\r\n"));
    EXPECT_EQ(mp3fixtures::readFile(dir / "Song.lrc"), expected);

    // Unchanged, it saves as it was read.
    dir.write("Song.lrc", kGbkLyrics);
    core.loadLyrics(dir / "Song.ogg");
    ASSERT_EQ(core.saveLyrics(-2), 1);
    EXPECT_EQ(mp3fixtures::readFile(dir / "Song.lrc"), kGbkLyrics);
}

}  // namespace
}  // namespace zor
