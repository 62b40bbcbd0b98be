// Text from every encoding a lyrics file, a tag frame or plugin.ini may hold, through the reader,
// the writer and the settings file, and back.
#include <gtest/gtest.h>

#include <id3/tag.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Fakes.h"
#include "Mp3Fixtures.h"
#include "TextBytes.h"
#include "config/IniFile.h"
#include "config/SettingsStore.h"
#include "lyrics/model/LyricsCore.h"
#include "lyrics/model/MemoryLineList.h"
#include "lyrics/platform/CodePage.h"
#include "lyrics/tags/Id3Lyrics.h"
#include "lyrics/text/TextEncoding.h"
#include "lyrics/text/Utf16.h"
#include "lyrics/text/Utf8.h"

namespace zor {
namespace {

using Lines = std::vector<std::string>;
using namespace mp3fixtures;

using test::utf16;

const std::string kUtf8Mark = "\xEF\xBB\xBF";
const std::string kLeMark = "\xFF\xFE";
const std::string kBeMark = "\xFE\xFF";

TEST(Utf8, ValidatesStrictlyAndRepairsByteByByte) {
    struct Case {
        const char* name;
        std::string bytes;
        bool valid;
        std::string repaired;
    };
    const Case cases[] = {
        {"ASCII", "plain", true, "plain"},
        {"two to four bytes", "é歌𝄞", true, "é歌𝄞"},
        {"overlong slash", "a\xC0\xAF", false, "a\uFFFD\uFFFD"},
        {"surrogate", "\xED\xA0\x80", false, "\uFFFD\uFFFD\uFFFD"},
        {"above U+10FFFF", "\xF4\x90\x80\x80", false, "\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"cut short", "ok\xE6\xAD", false, "ok\uFFFD\uFFFD"},
        {"Windows-1252 é", "caf\xE9", false, "caf\uFFFD"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(isValidUtf8(c.bytes), c.valid);
        EXPECT_EQ(toValidUtf8(c.bytes), c.repaired);
    }
    EXPECT_EQ(cutToChars("歌詞歌詞", 3), "歌詞歌");
    EXPECT_EQ(utf8CharCount("a歌𝄞"), 3u);
}

// UTF-8 as its definition reads: each sequence's pattern of bits, then the shortest form of a
// scalar value no higher than U+10FFFF.
bool validByDefinition(const std::string& bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x06 ? 2
                                   : (lead >> 4) == 0x0E ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 0;
        if (length == 0 || i + length > bytes.size()) {
            return false;
        }
        std::uint32_t value = length == 1 ? lead : lead & (0x7FU >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0U) != 0x80U) {
                return false;
            }
            value = (value << 6) | (next & 0x3FU);
        }
        const std::uint32_t shortest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (value < shortest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

TEST(Utf8, ValidationAgreesWithTheDefinitionForEveryLeadingPair) {
    // Every pair of first bytes, completed or cut short, at each place in a group of eight.
    for (unsigned lead = 0; lead < 256; ++lead) {
        for (unsigned second = 0; second < 256; ++second) {
            for (const char* rest : {"", "\x80", "\x80\xBF", "\xBF\x80z"}) {
                for (const std::size_t before : {0, 5, 7}) {
                    const std::string bytes = std::string(before, 'a') + static_cast<char>(lead) +
                                              static_cast<char>(second) + rest + "12345678";
                    ASSERT_EQ(isValidUtf8(bytes), validByDefinition(bytes))
                        << std::hex << lead << " " << second << " +" << rest << " after " << before;
                }
            }
        }
    }
}

TEST(Utf8, ALargeTextIsJudgedTheSameWhereverAFaultLies) {
    // A large text is checked in parts side by side; a fault at or near where a part starts or
    // ends must count as anywhere else.
    std::string valid;
    while (valid.size() < 6000) {
        valid += "a\xC3\xA9\xE6\xAD\x8C\xF0\x9D\x84\x9E ";  // a, é, 歌, 𝄞, blank
    }
    ASSERT_TRUE(isValidUtf8(valid));
    for (std::size_t at = 0; at < valid.size(); at += 7) {
        for (const char* inserted : {"\x80", "\xC3", "\xED\xA0\x80", "\xF0\x9D", "\xC3\xA9"}) {
            std::string text = valid;
            text.insert(at, inserted);
            ASSERT_EQ(isValidUtf8(text), validByDefinition(text)) << "at " << at;
        }
    }
    std::string continuations = valid;
    continuations.replace(continuations.size() / 2, 4, "\x80\x80\x80\x80");
    EXPECT_FALSE(isValidUtf8(continuations));
}

TEST(Utf16, ConvertsBothOrdersWithSurrogatePairs) {
    const std::string text = "a é 歌 𝄞";
    for (const bool big : {false, true}) {
        const ByteOrder order = big ? ByteOrder::Big : ByteOrder::Little;
        const std::string bytes = utf16(u"a \u00E9 \u6B4C \U0001D11E", big);
        EXPECT_EQ(utf8ToUtf16Bytes(text, order), bytes);
        EXPECT_EQ(utf16BytesToUtf8(bytes, order), text);
    }
    // A lone surrogate cannot be UTF-8; an odd last byte is no character.
    EXPECT_EQ(
        utf16BytesToUtf8(utf16(u"a", false) + std::string("\x00\xD8", 2) + "b", ByteOrder::Little),
        "a\uFFFD");
}

TEST(Utf16, ALoneLowSurrogateBecomesTheReplacementInBothOrders) {
    for (const bool big : {false, true}) {
        SCOPED_TRACE(big ? "big" : "little");
        const ByteOrder order = big ? ByteOrder::Big : ByteOrder::Little;
        for (const char16_t low : {char16_t{0xDC00}, char16_t{0xDFFF}}) {
            SCOPED_TRACE(static_cast<int>(low));
            std::u16string units = u"a";
            units += low;
            units += u"b";
            EXPECT_EQ(utf16BytesToUtf8(utf16(units, big), order), "a\uFFFDb");
        }
    }
}

TEST(Utf16, TheEdgesOfTheBasicPlaneAndTheFirstPairRoundTrip) {
    struct Case {
        std::string utf8;
        std::u16string units;
    };
    const Case cases[] = {
        {"\uFFFF", u"\uFFFF"},
        {"\U00010000", {char16_t{0xD800}, char16_t{0xDC00}}},
        {"x\U00010000\uFFFFy", {u'x', char16_t{0xD800}, char16_t{0xDC00}, char16_t{0xFFFF}, u'y'}},
    };
    for (const Case& c : cases) {
        for (const bool big : {false, true}) {
            SCOPED_TRACE(c.utf8 + (big ? " big" : " little"));
            const ByteOrder order = big ? ByteOrder::Big : ByteOrder::Little;
            const std::string bytes = utf16(c.units, big);
            EXPECT_EQ(utf8ToUtf16Bytes(c.utf8, order), bytes);
            EXPECT_EQ(utf16BytesToUtf8(bytes, order), c.utf8);
        }
    }
}

TEST(CodePages, Windows1252MapsEveryByteBothWays) {
    std::string everyByte;
    for (int byte = 0; byte < 256; ++byte) {
        everyByte += static_cast<char>(byte);
    }
    const std::string text = decodeCodePage(1252, everyByte);
    EXPECT_TRUE(isValidUtf8(text));
    EXPECT_EQ(encodeCodePage(1252, text), everyByte);
    EXPECT_EQ(decodeCodePage(1252, "\x80\x81\x92\x9D\xE9"), "€\u0081’\u009Dé");
    // What the code page cannot hold is refused, never replaced.
    EXPECT_EQ(encodeCodePage(1252, "Ω"), std::nullopt);
    EXPECT_EQ(encodeCodePage(1252, "\u0080"), std::nullopt);  // 0x80 is the euro sign
    EXPECT_EQ(encodeCodePage(1251, "Привет"), "\xCF\xF0\xE8\xE2\xE5\xF2");
    EXPECT_EQ(encodeCodePage(932, "歌詞"), "\x89\xCC\x8E\x8C");
    EXPECT_EQ(encodeCodePage(932, "Привет Ω é"), std::nullopt);
}

class TextEncodings : public ::testing::Test {
  protected:
    TextEncodings() {
        lyricsList.setVisible(false);
        editList.setVisible(true);
    }

    // The file read into the edit list, where lines come out as written.
    Lines read(const std::string& bytes, int codePage = 0) {
        core.CodePage = codePage;
        editList.clear();
        int count = 0;
        const std::string path = dir.write("read.lrc", bytes);
        EXPECT_EQ(core.readLyricsFile(path, count), 1);
        return editList.items();
    }

    test::TempFolder dir;
    MemoryLineList lyricsList{true};
    MemoryLineList editList{false};
    test::FakeHostLink host;
    test::RecordingPrompt prompt;
    LyricsCore core{lyricsList, editList, host, prompt, platformFileSystem()};
};

TEST_F(TextEncodings, TheReaderDecidesEachFileByItsMarkItsBytesOrTheFallback) {
    struct Case {
        const char* name;
        std::string bytes;
        int codePage;
        Lines lines;
        const char* encoding;
    };
    const Case cases[] = {
        {"UTF-8 with a mark",
         kUtf8Mark + "[00:01]naïve café\r\n[00:02]歌詞",
         0,
         {"[00:01]naïve café", "[00:02]歌詞"},
         "utf-8-bom"},
        {"UTF-8 without a mark",
         "[00:01]naïve\n[00:02]歌詞",
         0,
         {"[00:01]naïve", "[00:02]歌詞"},
         "utf-8"},
        {"UTF-16LE",
         kLeMark + utf16(u"[00:01]\u6B4C\r\nZ\U0001D11E", false),
         0,
         {"[00:01]歌", "Z𝄞"},
         "utf-16le"},
        {"UTF-16BE",
         kBeMark + utf16(u"[00:01]\u6B4C\r\nZ", true),
         0,
         {"[00:01]歌", "Z"},
         "utf-16be"},
        {"ASCII is the fallback's", "[00:01]plain", 0, {"[00:01]plain"}, "cp1252"},
        {"Windows-1252", "caf\xE9 \x93quoted\x94 \x81", 0, {"café “quoted” \u0081"}, "cp1252"},
        {"Windows-1251", "\xCF\xF0\xE8\xE2\xE5\xF2", 1251, {"Привет"}, "cp1251"},
        {"Shift JIS", "\x89\xCC\x8E\x8C", 932, {"歌詞"}, "cp932"},
        {"invalid UTF-8 goes to the fallback", "\xC3\xA9 then \xE9", 0, {"Ã© then é"}, "cp1252"},
        {"a bad byte after a UTF-8 mark", kUtf8Mark + "a\xFFz", 0, {"a\uFFFDz"}, "utf-8-bom"},
        {"only a mark", kUtf8Mark, 0, {""}, "utf-8-bom"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(read(c.bytes, c.codePage), c.lines);
        EXPECT_EQ(core.lyricsEncoding.name(), c.encoding);
    }
}

TEST_F(TextEncodings, TheMarkIsNeverShownAndTheFirstTimedLineKeepsItsTag) {
    lyricsList.setVisible(true);
    editList.setVisible(false);
    int count = 0;
    core.readLyricsFile(
        dir.write("bom.lrc", kUtf8Mark + "[00:01]first line\r\n" + kUtf8Mark + "[00:03]next"),
        count);
    EXPECT_EQ(lyricsList.items(), (Lines{"first line", "next"}));
    EXPECT_EQ(core.timeTags[0].seconds, 1);
    EXPECT_EQ(core.timeTags[0].line, 0);
}

TEST_F(TextEncodings, ACharacterAcrossABlockBoundarySurvives) {
    // 64 KiB blocks: a three-byte character on every possible split of the first boundary.
    for (std::size_t before = 65533; before <= 65536; ++before) {
        SCOPED_TRACE(before);
        const std::string lead(before % 100, 'a');
        std::string bytes;
        while (bytes.size() + 101 < before - lead.size()) {
            bytes += std::string(99, 'x') + "\n";
        }
        bytes += std::string(before - bytes.size() - lead.size(), 'y') + lead;
        bytes += "歌詞\nend";
        const Lines lines = read(bytes);
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(core.lyricsEncoding.name(), "utf-8");
        EXPECT_EQ(lines.back(), "end");
        const std::string& withCharacter = lines[lines.size() - 2];
        EXPECT_TRUE(isValidUtf8(withCharacter));
        EXPECT_EQ(withCharacter.substr(withCharacter.size() - 6), "歌詞");
    }
}

TEST_F(TextEncodings, ALargeFileInADoubleByteCodePageReadsWhole) {
    // Far more than one block of Shift JIS: every line, on either side of every block, whole.
    std::string line;
    std::string expected;
    for (int i = 0; i < 20; ++i) {
        line += "\x89\xCC\x8E\x8C";  // 歌詞
        expected += "歌詞";
    }
    std::string bytes;
    while (bytes.size() < std::size_t{200} * 1024) {
        bytes += line + (bytes.size() % 3 == 0 ? "\r\n" : "\n");
    }
    const Lines lines = read(bytes, 932);
    EXPECT_EQ(core.lyricsEncoding.name(), "cp932");
    ASSERT_GT(lines.size(), 2000u);
    EXPECT_EQ(lines.back(), "");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), expected),
              static_cast<std::ptrdiff_t>(lines.size() - 1));
}

TEST_F(TextEncodings, ALineHolds510CharactersOfAnyWidth) {
    std::string line;
    for (int i = 0; i < 510; ++i) {
        line += i % 2 == 0 ? "歌" : "𝄞";
    }
    EXPECT_EQ(read(line + "\n" + line + "詞\n"), (Lines{line, line, "詞", ""}));
    for (const std::string& item : editList.items()) {
        EXPECT_TRUE(isValidUtf8(item));
    }
    // The display list cuts at the same count of characters.
    MemoryLineList list(true);
    list.append(line + "詞");
    EXPECT_EQ(list.text(0), line + "詞");
    list.append(line + "詞詞");
    EXPECT_EQ(utf8CharCount(list.text(1)), 511u);
}

// Saving what was read gives the very same bytes; an edited line keeps its characters, and a code
// page that cannot hold them gives way to UTF-8 with a mark.
class SaveRoundTrip : public TextEncodings {
  protected:
    std::string song() const { return dir / "Song.ogg"; }
    std::string lrc() const { return dir / "Song.lrc"; }

    void load(const std::string& bytes, int codePage) {
        core.CodePage = codePage;
        dir.write("Song.lrc", bytes);
        core.loadLyrics(song());
    }
};

TEST_F(SaveRoundTrip, EveryEncodingAndLineEndIsKept) {
    struct Case {
        const char* name;
        std::string bytes;
        int codePage;
        const char* savedEncoding;  // after an edit that adds Ω and 歌
    };
    const std::string cjk = "[00:01]歌詞\r\n\r\n[00:02]line";
    const Case cases[] = {
        {"UTF-8 with a mark, CR LF", kUtf8Mark + cjk + "\r\n", 0, "utf-8-bom"},
        {"UTF-8, LF", "[00:01]naïve\n\n[00:02]x\n", 0, "utf-8"},
        {"UTF-8, CR", "[00:01]naïve\r\r[00:02]x", 0, "utf-8"},
        {"UTF-8, CR CR LF", "[00:01]naïve\r\r\n[00:02]x\r\r\n", 0, "utf-8"},
        {"UTF-16LE", kLeMark + utf16(u"[00:01]\u6B4C\r\n\r\nend\r\n", false), 0, "utf-16le"},
        {"UTF-16BE, LF", kBeMark + utf16(u"[00:01]\u6B4C\n\nend", true), 0, "utf-16be"},
        {"Windows-1252, LF", "[00:01]caf\xE9\n\n[00:02]\x81\n", 0, "utf-8-bom"},
        {"Windows-1251", "[00:01]\xCF\xF0\xE8\xE2\xE5\xF2\r\n", 1251, "utf-8-bom"},
        {"Shift JIS", "[00:01]\x89\xCC\x8E\x8C\r\n", 932, "utf-8-bom"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        load(c.bytes, c.codePage);
        const std::string encoding = core.lyricsEncoding.name();
        ASSERT_EQ(core.saveLyrics(-2), 1);
        EXPECT_EQ(readFile(lrc()), c.bytes);

        const Lines before = editList.items();
        editList.remove(0);
        editList.insert(0, "[00:01]Ω 歌 é");
        ASSERT_EQ(core.saveLyrics(-2), 1);
        Lines expected = before;
        expected[0] = "[00:01]Ω 歌 é";
        core.loadLyrics(song());
        EXPECT_EQ(editList.items(), expected);
        EXPECT_EQ(core.lyricsEncoding.name(), c.savedEncoding) << "read as " << encoding;
    }
}

TEST_F(SaveRoundTrip, ANewFileIsInTheAnsiCodePageWhileItsTextFits) {
    core.songPath = song();
    for (const char* line : {"[00:01]café", "[00:02]plain"}) {
        editList.append(line);
    }
    ASSERT_EQ(core.saveLyrics(-2), 1);
    EXPECT_EQ(readFile(dir / "Song.LRC"), "[00:01]caf\xE9\r\n[00:02]plain");

    std::remove((dir / "Song.LRC").c_str());
    core.lyricsPath.clear();
    editList.append("[00:03]歌");
    ASSERT_EQ(core.saveLyrics(-2), 1);
    EXPECT_EQ(readFile(dir / "Song.LRC"), kUtf8Mark + "[00:01]café\r\n[00:02]plain\r\n[00:03]歌");
}

// The lyrics frame in each of its text encodings, as taggers write it.
class FrameEncodings : public TextEncodings {
  protected:
    Lines readSong(const std::string& tag) {
        const std::string song = dir.write("frame.mp3", tag + audio(800));
        editList.clear();
        int count = 0;
        EXPECT_EQ(core.readInternalLyrics(song, count), 1);
        return editList.items();
    }
};

TEST_F(FrameEncodings, WrittenByHandInAllFourEncodings) {
    const std::u16string text = u"[00:01]\u03A9 \u6B4C\r\nend \U0001D11E";
    const Lines lines{"[00:01]Ω 歌", "end 𝄞"};
    struct Case {
        const char* name;
        std::string body;
        Lines lines;
        const char* encoding;
    };
    const Case cases[] = {
        {"ISO-8859-1", std::string("\0XXXdesc\0", 9) + "caf\xE9\r\n\xB5", {"café", "µ"}, "cp28591"},
        {"UTF-16 little-endian",
         "\x01XXX" + kLeMark + utf16(u"d", false) + std::string(2, '\0') + kLeMark +
             utf16(text, false),
         lines, "utf-16le"},
        {"UTF-16 big-endian",
         "\x01XXX" + kBeMark + std::string(2, '\0') + kBeMark + utf16(text, true), lines,
         "utf-16be"},
        {"UTF-16BE", "\x02XXX" + utf16(u"d", true) + std::string(2, '\0') + utf16(text, true),
         lines, "utf-16be"},
        {"UTF-8", std::string("\x03XXXdesc\0", 9) + "[00:01]Ω 歌\r\nend 𝄞", lines, "utf-8"},
        {"UTF-8, terminated", std::string("\x03XXX\0", 5) + "[00:01]Ω 歌\r\nend 𝄞" + '\0', lines,
         "utf-8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(readSong(id3v2Tag(3, id3Frame("USLT", c.body))), c.lines);
        EXPECT_EQ(core.lyricsEncoding.name(), c.encoding);
        // An ID3v2.4 tag, sizes sync-safe, with another frame ahead.
        EXPECT_EQ(readSong(id3v2Tag(
                      4, id3Frame("TIT2", textFrameBody("T"), 4) + id3Frame("USLT", c.body, 4))),
                  c.lines);
    }
}

TEST_F(FrameEncodings, AnUnsynchronisedTagIsReadBackWhole) {
    // 0xFF followed by 0x00 inserted after every 0xFF of the tag's data.
    const std::string body =
        "\x01XXX" + kLeMark + std::string(2, '\0') + kLeMark + utf16(u"\u00FF\u00FF \u6B4C", false);
    std::string unsynced;
    for (const char c : id3Frame("USLT", body)) {
        unsynced += c;
        if (c == '\xFF') {
            unsynced += '\0';
        }
    }
    std::string tag = id3v2Tag(3, unsynced);
    tag[5] = '\x80';
    EXPECT_EQ(readSong(tag), (Lines{"ÿÿ 歌"}));
}

TEST_F(FrameEncodings, StoredByTheRealId3libAndReadBackExactly) {
    struct Case {
        std::string text;
        char encodingByte;
        const char* encoding;
    };
    const Case cases[] = {
        {"[00:01]café\r\n\r\nend", '\0', "cp28591"},
        {"[00:01]Привет 歌詞\r\n\r\nend 𝄞", '\x01', "utf-16le"},
        // Fits Windows-1252 but not Latin-1: no single-byte form is the frame's.
        {"[00:01]5 €\r\n“quoted” ‘twice’", '\x01', "utf-16le"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.encoding);
        const std::string song = dir.write("stored.mp3", audio(3000));
        const Id3StoreOutcome outcome = storeLyricsInMp3(song, c.text);
        ASSERT_EQ(outcome.result, Id3StoreResult::Stored) << outcome.message;
        const std::string bytes = readFile(song);
        const std::size_t frame = bytes.find("USLT");
        ASSERT_NE(frame, std::string::npos);
        EXPECT_EQ(bytes[frame + 10], c.encodingByte);

        editList.clear();
        int count = 0;
        ASSERT_EQ(core.readInternalLyrics(song, count), 1);
        EXPECT_EQ(core.editListText(), c.text);
        EXPECT_EQ(core.lyricsEncoding.name(), c.encoding);

        const auto tag = std::make_unique<ID3_Tag>(song.c_str());
        std::string text;
        ASSERT_TRUE(getID3Lyrics(tag.get(), text));
        EXPECT_EQ(text, c.text);
    }
}

TEST_F(FrameEncodings, Lyrics3TextIsUtf8WhenValidElseTheFallback) {
    struct Case {
        std::string bytes;
        int codePage;
        Lines lines;
        const char* encoding;
    };
    const Case cases[] = {
        {"[00:01]歌詞\r\ncafé", 0, {"[00:01]歌詞", "café"}, "utf-8"},
        {"[00:01]caf\xE9", 0, {"[00:01]café"}, "cp1252"},
        {"[00:01]\xCF\xF0\xE8\xE2\xE5\xF2", 1251, {"[00:01]Привет"}, "cp1251"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.encoding);
        core.CodePage = c.codePage;
        const std::string song =
            dir.write("l3.mp3", audio(800) + lyrics3v2(lyrics3Field("LYR", c.bytes)) + id3v1Tag());
        editList.clear();
        int count = 0;
        ASSERT_EQ(core.readInternalLyrics(song, count), 1);
        EXPECT_EQ(editList.items(), c.lines);
        EXPECT_EQ(core.lyricsEncoding.name(), c.encoding);
    }
}

// plugin.ini stays in the ANSI code page while its values fit it, and becomes UTF-16LE with a
// mark when one does not; both forms read back every value.
class PluginIniForms : public ::testing::Test {
  protected:
    std::string path() const { return dir / "plugin.ini"; }
    IniFile ini() { return IniFile(platformFileSystem(), path(), 1252); }

    test::TempFolder dir;
};

TEST_F(PluginIniForms, AnsiWhileValuesFitThenUtf16) {
    const std::string ansi = "; note \xE9\r\n[Maresh Zor Lyrics plugin]\r\nFontFamily=Caf\xE9\r\n";
    dir.write("plugin.ini", ansi);
    IniFile file = ini();
    EXPECT_EQ(file.read("Maresh Zor Lyrics plugin", "FontFamily"), "Café");
    ASSERT_TRUE(file.write("Maresh Zor Lyrics plugin", "FontFamily", "Café"));
    EXPECT_EQ(readFile(path()), ansi);  // byte for byte

    ASSERT_TRUE(file.write("Maresh Zor Lyrics plugin", "AlternativeLRCPath", "C:\\Тексты\\歌\\"));
    const std::string text =
        "; note é\r\n[Maresh Zor Lyrics plugin]\r\nFontFamily=Café\r\n"
        "AlternativeLRCPath=C:\\Тексты\\歌\\\r\n";
    EXPECT_EQ(readFile(path()), kLeMark + utf8ToUtf16Bytes(text, ByteOrder::Little));
    EXPECT_EQ(file.read("Maresh Zor Lyrics plugin", "AlternativeLRCPath"), "C:\\Тексты\\歌\\");
    EXPECT_EQ(file.read("Maresh Zor Lyrics plugin", "FontFamily"), "Café");

    // Once UTF-16, always UTF-16.
    ASSERT_TRUE(file.write("Maresh Zor Lyrics plugin", "AlternativeLRCPath", ""));
    EXPECT_EQ(readFile(path()).substr(0, 2), kLeMark);
    EXPECT_EQ(file.read("Maresh Zor Lyrics plugin", "FontFamily"), "Café");
}

TEST_F(PluginIniForms, ReadsAFileTheSystemWroteInUtf16) {
    dir.write("plugin.ini",
              kLeMark + utf16(u"[Maresh Zor Lyrics plugin]\r\nFontFamily=\u5B8B\u4F53\r\n"
                              u"CodePage=936\r\n",
                              false));
    AppSettings app;
    WindowColours colours;
    ListSettings list;
    SettingsStore store({app, colours, list}, [](const std::string& file) {
        return std::make_unique<IniFile>(platformFileSystem(), file, 1252);
    });
    store.loadSettings({dir / "vis.dll", "Maresh Zor Lyrics plugin"});
    EXPECT_EQ(list.FontFamily, "宋体");
    EXPECT_EQ(app.CodePage, 936);

    // A font name is cut by characters, never inside one.
    dir.write("plugin.ini", "[Maresh Zor Lyrics plugin]\r\n");
    IniFile(platformFileSystem(), path(), 1252)
        .write("Maresh Zor Lyrics plugin", "FontFamily", std::string(60, 'a') + "歌");
    list.FontFamily.clear();
    store.loadSettings({dir / "vis.dll", "Maresh Zor Lyrics plugin"});
    EXPECT_EQ(list.FontFamily, std::string(49, 'a'));
    IniFile(platformFileSystem(), path(), 1252)
        .write("Maresh Zor Lyrics plugin", "FontFamily", std::string(48, 'a') + "歌詞");
    store.loadSettings({dir / "vis.dll", "Maresh Zor Lyrics plugin"});
    EXPECT_EQ(list.FontFamily, std::string(48, 'a') + "歌");
}

}  // namespace
}  // namespace zor
