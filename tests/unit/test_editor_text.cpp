#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Fakes.h"
#include "lyrics/edit/EditorText.h"
#include "lyrics/model/LyricsCore.h"
#include "lyrics/model/MemoryLineList.h"
#include "lyrics/model/TextLimits.h"

namespace zor {
namespace {

using Lines = std::vector<std::string>;

TEST(EditorText, CutsAtEachLineBreakAndDropsOnlyAnEmptyLastPiece) {
    struct Case {
        const char* text;
        Lines lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"\r\na", {"", "a"}},
        {"a\r\n", {"a"}},
        {"a\r\n\r\n", {"a", ""}},
        {"\r\n", {""}},
        {"a\nb\rc", {"a\nb\rc"}},  // only the pair breaks a line
        {"a\r\r\nb", {"a\r", "b"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(splitEditorText(c.text), c.lines) << '"' << c.text << '"';
    }
}

TEST(EditorText, JoiningAndCuttingGiveTheLinesBack) {
    const std::vector<Lines> lists = {
        {}, {"[ti:Song]", "[00:10]one", "", "[00:20]two"}, {"", "x"}, {"only"}};
    for (const Lines& lines : lists) {
        EXPECT_EQ(splitEditorText(joinEditorLines(lines)), lines);
    }
    EXPECT_EQ(joinEditorLines({"a", "b"}), "a\r\nb");
    // An empty last line has no text after its break: it is the one line not given back.
    EXPECT_EQ(splitEditorText(joinEditorLines({"a", ""})), Lines{"a"});
}

TEST(EditorText, SplitsLongLinesWithoutLosingACharacter) {
    const std::size_t lengths[] = {kMaxLineChars - 1, kMaxLineChars,         kMaxLineChars + 1,
                                   2 * kMaxLineChars, 2 * kMaxLineChars + 7, 5000};
    for (const std::size_t length : lengths) {
        std::string line;
        for (std::size_t i = 0; i < length; ++i) {
            line += static_cast<char>('a' + i % 26);
        }
        const Lines pieces = splitEditorText("x\r\n" + line + "\r\ny");
        ASSERT_GE(pieces.size(), 3U) << length;
        EXPECT_EQ(pieces.front(), "x");
        EXPECT_EQ(pieces.back(), "y");
        std::string joined;
        for (std::size_t i = 1; i + 1 < pieces.size(); ++i) {
            EXPECT_LE(pieces[i].size(), kMaxLineChars) << length;
            EXPECT_FALSE(pieces[i].empty()) << length;
            joined += pieces[i];
        }
        EXPECT_EQ(joined, line);
        EXPECT_EQ(pieces.size() - 2, (length + kMaxLineChars - 1) / kMaxLineChars);
    }
}

// What the editor hands to the list is what a saved LRC file reads back as: the reader keeps
// every split piece as the one line it is.
TEST(EditorText, SplitLinesReadBackUnchanged) {
    const std::string longLine = "[00:05]" + std::string(1200, 'w');
    const Lines lines = splitEditorText("[ar:Someone]\r\n" + longLine + "\r\n\r\nend");
    ASSERT_EQ(lines.size(), 6U);

    MemoryLineList lyricsList{false};
    MemoryLineList editList{true};
    test::FakeHostLink host;
    test::RecordingPrompt prompt;
    LyricsCore core{lyricsList, editList, host, prompt, platformFileSystem()};
    int count = 0;
    core.readLines(joinEditorLines(lines), count);
    ASSERT_EQ(count, static_cast<int>(lines.size()));
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(editList.text(i), lines[static_cast<std::size_t>(i)]) << i;
    }
}

}  // namespace
}  // namespace zor
