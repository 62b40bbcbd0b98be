#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "Fakes.h"
#include "lyrics/model/LyricsCore.h"
#include "lyrics/model/MemoryLineList.h"

namespace zor {
namespace {

using Lines = std::vector<std::string>;

struct Tag {
    int seconds;
    int line;
    bool operator==(const Tag& other) const {
        return seconds == other.seconds && line == other.line;
    }
};
using Tags = std::vector<Tag>;

void PrintTo(const Tag& tag, std::ostream* os) {
    *os << "{" << tag.seconds << ", " << tag.line << "}";
}

// A file that hands out at most chunk bytes a read, as a pipe or a slow disk may, and counts how
// often it is asked.
class ChunkedFile : public InputFile {
  public:
    ChunkedFile(std::string bytes, std::size_t chunk) : bytes_(std::move(bytes)), chunk_(chunk) {}

    std::int64_t read(char* buffer, std::size_t size) override {
        ++reads;
        smallestRequest = std::min(smallestRequest, size);
        const std::size_t n = std::min({size, chunk_, bytes_.size() - position_});
        std::memcpy(buffer, bytes_.data() + position_, n);
        position_ += n;
        return static_cast<std::int64_t>(n);
    }
    std::int64_t size() const override { return static_cast<std::int64_t>(bytes_.size()); }
    bool seek(std::int64_t offset) override {
        position_ = static_cast<std::size_t>(offset);
        return true;
    }

    int reads = 0;
    std::size_t smallestRequest = SIZE_MAX;

  private:
    std::string bytes_;
    std::size_t chunk_;
    std::size_t position_ = 0;
};

class LrcReader : public ::testing::Test {
  protected:
    void editMode() {
        lyricsList.setVisible(false);
        editList.setVisible(true);
    }
    // Display mode starts from a header of n items, as the load step builds it.
    void header(int n) {
        for (int i = 0; i < n; ++i) {
            lyricsList.append("header " + std::to_string(i));
        }
        count = n;
    }
    void readText(const std::string& text) { core.readLines(text, count); }
    void readFile(const std::string& bytes, std::size_t chunk = SIZE_MAX) {
        ChunkedFile file(bytes, chunk);
        core.readLines(file, count);
    }
    // The items this read added.
    Lines added() const {
        const auto& items = (lyricsList.isVisible() ? lyricsList : editList).items();
        return Lines(items.begin() + firstItem, items.end());
    }
    Tags tags() const {
        Tags tags;
        for (const TimeTag& tag : core.timeTags) {
            if (tag.line < 0) {
                break;
            }
            tags.push_back({tag.seconds, tag.line});
        }
        return tags;
    }

    MemoryLineList lyricsList{true};
    MemoryLineList editList{false};
    test::FakeHostLink host;
    test::RecordingPrompt prompt;
    LyricsCore core{lyricsList, editList, host, prompt, platformFileSystem()};
    int count = 0;
    int firstItem = 0;
};

const char* const kTaggedSource =
    "[ti:Song]\r\n[ar:Band]\r\nCredits\r\n\r\n[00:12.90]First\r\n[00:15]Second";

TEST_F(LrcReader, DisplayModeHidesIdTagsAndTheTextAheadOfTheFirstTimedLine) {
    header(5);
    firstItem = 5;
    readText(kTaggedSource);
    EXPECT_EQ(added(), (Lines{"First", "Second"}));
    EXPECT_EQ(tags(), (Tags{{12, 5}, {15, 6}}));
    EXPECT_EQ(core.droppedLines, 4);
    EXPECT_EQ(count, 7);
    EXPECT_EQ(lyricsList.text(4), "header 4");
}

TEST_F(LrcReader, EditModeKeepsEveryLineAsWrittenAndStillRecordsTheTags) {
    editMode();
    core.droppedLines = 3;  // from the last display load; the edit read leaves it alone
    readText(kTaggedSource);
    EXPECT_EQ(added(),
              (Lines{"[ti:Song]", "[ar:Band]", "Credits", "", "[00:12.90]First", "[00:15]Second"}));
    EXPECT_EQ(tags(), (Tags{{12, 4}, {15, 5}}));
    EXPECT_EQ(core.droppedLines, 3);
    EXPECT_EQ(count, 6);
    EXPECT_TRUE(lyricsList.items().empty());
}

TEST_F(LrcReader, EditModeKeepsEmptyLinesAtBothEnds) {
    editMode();
    readText("\r\n  \r\n[00:01]A   \r\n\r\n");
    EXPECT_EQ(added(), (Lines{"", "", "[00:01]A", "", ""}));
    EXPECT_EQ(tags(), (Tags{{1, 2}}));
}

struct LineCase {
    const char* source;
    Lines shown;
    Tags tags;
    int dropped;
};

// One source line at a time, in display mode with no header.
TEST_F(LrcReader, TakesTimeTagsOutOfALine) {
    const LineCase cases[] = {
        {"[00:10][01:40]Chorus line", {"Chorus line"}, {{10, 0}, {100, 0}}, 0},
        {"Hello [00:12]world", {"Hello world"}, {{12, 0}}, 0},
        {"Tail[00:12]", {"Tail"}, {{12, 0}}, 0},
        {"[01:75]Line", {"Line"}, {{135, 0}}, 0},
        {"[00:12:90]Colon fraction", {"Colon fraction"}, {{12, 0}}, 0},
        {"[2x:05]Junk after minutes", {"Junk after minutes"}, {{125, 0}}, 0},
        {"[00:12]  Spaced   ", {"  Spaced"}, {{12, 0}}, 0},
        {"[00:07]A [00:09]B", {"A B"}, {{7, 0}, {9, 0}}, 0},
        // More separate runs of tags than the reader keeps in place.
        {"[00:03]a [00:04]b [00:05]c [00:06]d [00:07]e [00:08]f",
         {"a b c d e f"},
         {{3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 0}, {8, 0}},
         0},
        {"[Chorus]", {"[Chorus]"}, {}, 0},
        {"[by:someone]", {"[by:someone]"}, {}, 0},
        // A bracket that is no time tag shows as written; the time tags around it are taken.
        {"[00:10]Sing [Chorus]", {"Sing [Chorus]"}, {{10, 0}}, 0},
        {"[00:07.78][Ab] Text", {"[Ab] Text"}, {{7, 0}}, 0},
        {"[Chorus][00:10]Text", {"[Chorus]Text"}, {{10, 0}}, 0},
        {"[00:10]A [x][ti:Song]", {"A [x][ti:Song]"}, {{10, 0}}, 0},
        {"[00:10]Open [00:20", {"Open [00:20"}, {{10, 0}}, 0},
        // Tags in double brackets, as some tools write them.
        {"[[00:12.00]] Text", {" Text"}, {{12, 0}}, 0},
        {"[[00:12.00]][[00:14]]Two", {"Two"}, {{12, 0}, {14, 0}}, 0},
        {"[[00:12.00] Half", {"[ Half"}, {{12, 0}}, 0},
        {"[[Chorus]]", {"[[Chorus]]"}, {}, 0},
        // An ID tag ahead of a timed line hides the tag, not the lyrics.
        {"[offset:102][00:00.17]First", {"First"}, {{0, 0}}, 0},
        {"[ar:Band] [00:03]Sung", {" Sung"}, {{3, 0}}, 0},
        {"[00:.5]No seconds", {"[00:.5]No seconds"}, {}, 0},
        {"[00:]Empty seconds", {"[00:]Empty seconds"}, {}, 0},
        {"Bracket ] first [00:03]x", {"Bracket ] first x"}, {{3, 0}}, 0},
        {"[ti:Song]", {}, {}, 1},
        {"[TITLE:Song]", {}, {}, 1},
        {"[Offset:+300]", {}, {}, 1},
        {"[La:en]", {}, {}, 1},
        {"[al:x][00:04]", {}, {}, 1},
        {"[00:05][ar:Band]", {}, {{5, 0}}, 1},  // the tag goes to the next line shown
        {"[au:Someone]", {"[au:Someone]"}, {}, 0},
        {"[ti]", {"[ti]"}, {}, 0},
        {"Plain text", {"Plain text"}, {}, 0},
        {"   ", {}, {}, 1},
        {"[00:00]", {}, {}, 1},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.source);
        lyricsList.clear();
        core.droppedLines = 0;
        count = 0;
        readText(c.source);
        EXPECT_EQ(added(), c.shown);
        EXPECT_EQ(tags(), c.tags);
        EXPECT_EQ(core.droppedLines, c.dropped);
        EXPECT_EQ(count, static_cast<int>(c.shown.size()));
    }
}

TEST_F(LrcReader, IdTagsAreShownInEditMode) {
    editMode();
    readText("[ti:Song]\n[00:05][ar:Band]\n[offset:1]");
    EXPECT_EQ(added(), (Lines{"[ti:Song]", "[00:05][ar:Band]", "[offset:1]"}));
    EXPECT_EQ(tags(), (Tags{{5, 1}}));
}

TEST_F(LrcReader, RecordsExactValuesAndRefusesThoseBeyondTheLargestInt) {
    const std::string manyDigits(100, '9');
    const LineCase cases[] = {
        {"[35791394:07]Largest", {"Largest"}, {{2147483647, 0}}, 0},
        {"[35791394:08]One more", {"One more"}, {}, 0},
        {"[71582788:16]Wraps to 0 in 32 bits", {"Wraps to 0 in 32 bits"}, {}, 0},
        {"[71582789:00]Wraps to 44", {"Wraps to 44"}, {}, 0},
        {"[00:2147483647]Seconds alone", {"Seconds alone"}, {{2147483647, 0}}, 0},
        {"[00:2147483648]x", {"x"}, {}, 0},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.source);
        lyricsList.clear();
        count = 0;
        readText(c.source);
        EXPECT_EQ(added(), c.shown);
        EXPECT_EQ(tags(), c.tags);
    }

    lyricsList.clear();
    count = 0;
    readText("[" + manyDigits + ":00][00:" + manyDigits + "][" + manyDigits + ":" + manyDigits +
             "][00:03]Long");
    EXPECT_EQ(added(), (Lines{"Long"}));
    EXPECT_EQ(tags(), (Tags{{3, 0}}));
}

TEST_F(LrcReader, AnEmptyLineAtTheTopIsShownOnlyWithATimeOfItsOwn) {
    // Passed on, the times of the empty lines would light the first sung line before it is sung.
    readText("[ti:X]\n\n[00:00.00]\n[00:01.00]\n[00:03.00]\n[00:04.00] Sung\n[00:08]Next");
    EXPECT_EQ(added(), (Lines{"", "", " Sung", "Next"}));
    EXPECT_EQ(tags(), (Tags{{1, 0}, {3, 1}, {4, 2}, {8, 3}}));
    EXPECT_EQ(core.droppedLines, 3);  // the title, the untimed empty line, the zero-tag line

    lyricsList.clear();
    core.droppedLines = 0;
    count = 0;
    readText("\n\n[00:05]\nHello\n[00:07]World");
    EXPECT_EQ(added(), (Lines{"", "Hello", "World"}));
    EXPECT_EQ(tags(), (Tags{{5, 0}, {7, 2}}));
    EXPECT_EQ(core.droppedLines, 2);
}

TEST_F(LrcReader, AnEmptyLineFurtherDownLosesOnlyZeroTags) {
    readText("[00:01]A\r\n[00:00][00:00]\r\nB\r\n[00:00][00:02]\r\n[00:03]C");
    EXPECT_EQ(added(), (Lines{"A", "", "B", "", "C"}));
    EXPECT_EQ(tags(), (Tags{{1, 0}, {0, 3}, {2, 3}, {3, 4}}));
}

TEST_F(LrcReader, UntimedLinesAheadOfTheFirstTimedLineAreDroppedWithTheirIndexes) {
    header(2);
    firstItem = 2;
    readText("By someone\r\nWords by another\r\n[00:09][00:19]Start\r\nNext\r\n[00:29]End");
    EXPECT_EQ(added(), (Lines{"Start", "Next", "End"}));
    EXPECT_EQ(tags(), (Tags{{9, 2}, {19, 2}, {29, 4}}));
    EXPECT_EQ(core.droppedLines, 2);
    EXPECT_EQ(count, 5);
}

TEST_F(LrcReader, PlainTextKeepsAllItsLinesAndNoTags) {
    header(1);
    firstItem = 1;
    readText("One\r\n\r\nTwo\r\n");
    EXPECT_EQ(added(), (Lines{"One", "", "Two"}));
    EXPECT_TRUE(tags().empty());
    EXPECT_EQ(count, 4);
}

TEST_F(LrcReader, TrailingEmptyLinesGoButTheirTagsStay) {
    header(1);
    firstItem = 1;
    readText("[00:01]A\r\n[03:20]\r\n[00:00]\r\n   \r\n");
    EXPECT_EQ(added(), (Lines{"A"}));
    EXPECT_EQ(tags(), (Tags{{1, 1}, {200, 2}}));  // points past the last item
    EXPECT_EQ(count, 2);
    EXPECT_EQ(lyricsList.count(), 2);
}

TEST_F(LrcReader, ASourceOfIdTagsOnlyAddsNothing) {
    header(3);
    firstItem = 3;
    readText("[ti:Song]\r\n[ar:Band]\r\n\r\n");
    EXPECT_TRUE(added().empty());
    EXPECT_EQ(count, 3);
    EXPECT_EQ(core.droppedLines, 4);
}

TEST_F(LrcReader, EachReadStartsFromAnEmptyTable) {
    readText("[00:01]A\n[00:02]B");
    lyricsList.clear();
    count = 0;
    readText("Untimed");
    EXPECT_TRUE(tags().empty());
    EXPECT_EQ(core.lineAtSecond(100), kNoEntry);
}

TEST_F(LrcReader, TimesEveryLineWhateverTheNumberOfTags) {
    // 1,500 lines, each with its own tag: every line is timed, none shows its tag as text.
    std::string source;
    for (int i = 0; i < 1500; ++i) {
        source += "[" + std::to_string(i / 60) + ":" + std::to_string(i % 60) + ".50]L" +
                  std::to_string(i) + "\r\n";
    }
    readText(source);
    ASSERT_EQ(count, 1500);
    const Tags read = tags();
    ASSERT_EQ(read.size(), 1500u);
    for (int i = 0; i < 1500; ++i) {
        ASSERT_EQ(lyricsList.text(i), "L" + std::to_string(i));
        ASSERT_EQ(read[static_cast<std::size_t>(i)], (Tag{i, i}));
    }
    core.sortTimeTags();
    EXPECT_EQ(core.timeTags[core.lineAtSecond(1499)].line, 1499);
    EXPECT_EQ(core.timeTags[core.lineAtSecond(1000)].line, 1000);

    // Many tags on few lines: all of them count, for their own lines.
    lyricsList.clear();
    count = 0;
    std::string manyTags;
    for (int i = 0; i < 49; ++i) {
        manyTags += "[00:02]";
    }
    const std::string fiveTags = "[00:03][00:03][00:03][00:03][00:03]";
    readText(manyTags + "a\n" + manyTags + "b\n" + manyTags + "c\n" + manyTags + "d\n" + fiveTags +
             "e");
    EXPECT_EQ(added(), (Lines{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(tags().size(), 201u);
    EXPECT_EQ(tags().back(), (Tag{3, 4}));
}

TEST_F(LrcReader, AnOverlongLineContinuesOnTheNextLineWithoutLosingAByte) {
    editMode();
    std::string longLine;
    for (int i = 0; i < 1100; ++i) {
        longLine += static_cast<char>('a' + i % 26);
    }
    readText(longLine + "\r\nAfter");
    const Lines lines = added();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].size(), 510u);
    EXPECT_EQ(lines[1].size(), 510u);
    EXPECT_EQ(lines[0] + lines[1] + lines[2], longLine);
    EXPECT_EQ(lines[3], "After");

    // A break right after a full line ends that line only.
    editList.clear();
    count = 0;
    readFile(std::string(510, 'x') + "\r\n" + std::string(510, 'y') + "\r");
    EXPECT_EQ(added(), (Lines{std::string(510, 'x'), std::string(510, 'y'), ""}));
}

struct BreakCase {
    const char* name;
    std::string source;
    Lines fromText;
    Lines fromFile;
};

// Every break ends one line, so empty lines survive whatever the line ends, and a source that
// ends with a break ends with an empty line, which a save turns back into that break.
const BreakCase kBreakCases[] = {
    {"empty", "", {""}, {""}},
    {"one line", "A", {"A"}, {"A"}},
    {"CR LF", "A\r\nB", {"A", "B"}, {"A", "B"}},
    {"LF", "A\nB", {"A", "B"}, {"A", "B"}},
    {"lone CR", "A\rB", {"A", "B"}, {"A", "B"}},
    {"CR CR LF is one break", "A\r\r\nB", {"A", "B"}, {"A", "B"}},
    {"CR then CR CR LF", "A\r\r\r\nB", {"A", "", "B"}, {"A", "", "B"}},
    {"LF CR", "A\n\rB", {"A", "", "B"}, {"A", "", "B"}},
    {"CR CR", "A\r\rB", {"A", "", "B"}, {"A", "", "B"}},
    {"LF LF", "A\n\nB", {"A", "", "B"}, {"A", "", "B"}},
    {"three LF", "A\n\n\nB", {"A", "", "", "B"}, {"A", "", "", "B"}},
    {"LF CR LF", "A\n\r\nB", {"A", "", "B"}, {"A", "", "B"}},
    {"CR LF twice", "A\r\n\r\nB", {"A", "", "B"}, {"A", "", "B"}},
    {"ends in CR LF", "A\r\nB\r\n", {"A", "B", ""}, {"A", "B", ""}},
    {"ends in CR", "A\r", {"A", ""}, {"A", ""}},
    {"ends in CR CR", "A\r\r", {"A", "", ""}, {"A", "", ""}},
    {"ends in LF", "A\n", {"A", ""}, {"A", ""}},
    {"ends in LF LF", "A\n\n", {"A", "", ""}, {"A", "", ""}},
    {"ends in CR LF CR", "A\r\n\r", {"A", "", ""}, {"A", "", ""}},
    {"only CR LF", "\r\n", {"", ""}, {"", ""}},
    {"only LF", "\n", {"", ""}, {"", ""}},
    {"NUL", std::string("A\nB\0C\nD", 7), {"A", "B"}, {"A", "B", "D"}},
};

TEST_F(LrcReader, SplitsTextAndFilesAtTheSameBreaks) {
    editMode();
    for (const BreakCase& c : kBreakCases) {
        SCOPED_TRACE(c.name);
        editList.clear();
        count = 0;
        readText(c.source);
        EXPECT_EQ(added(), c.fromText);
        for (const std::size_t chunk : {std::size_t{1}, std::size_t{2}, std::size_t{3}, SIZE_MAX}) {
            SCOPED_TRACE(chunk);
            editList.clear();
            count = 0;
            readFile(c.source, chunk);
            EXPECT_EQ(added(), c.fromFile);
        }
    }
}

TEST_F(LrcReader, FindsABreakWhereverItFallsInALongLine) {
    // Lines are searched several bytes at a time; bytes one bit away from CR and LF stand
    // around each break, which lands in every position of such a group.
    const std::string nearMisses = "\x0b\x0c\x0e\x09kM";
    const auto filler = [&](std::size_t size) {
        std::string text;
        for (std::size_t i = 0; i < size; ++i) {
            text += nearMisses[i % nearMisses.size()];
        }
        return text;
    };
    editMode();
    for (const char* lineEnd : {"\n", "\r", "\r\n"}) {
        for (std::size_t position = 0; position < 26; ++position) {
            SCOPED_TRACE(testing::Message()
                         << position << " " << (lineEnd[0] == '\n' ? "LF" : "CR"));
            editList.clear();
            count = 0;
            readText(filler(position) + lineEnd + filler(19) + lineEnd + "z");
            EXPECT_EQ(added(), (Lines{filler(position), filler(19), "z"}));
        }
    }
}

TEST_F(LrcReader, FileBlocksOfAnySizeGiveTheSameLinesAndTags) {
    std::string source = "[ti:Song]\r\nCredits\n\n";
    for (int i = 0; i < 300; ++i) {
        source += "[0" + std::to_string(i % 10) + ":" + std::to_string(10 + i % 50) + ".25]Line " +
                  std::to_string(i) + (i % 7 == 0 ? "\n\r" : "\r\n");
        if (i % 31 == 0) {
            source += std::string(600, 'z') + "\r\r";
        }
    }
    for (const bool edit : {false, true}) {
        SCOPED_TRACE(edit ? "edit mode" : "display mode");
        if (edit) {
            editMode();
        }
        count = 0;
        readText(source);
        const Lines expectedLines = added();
        const Tags expectedTags = tags();
        ASSERT_GT(expectedLines.size(), 300u);
        ASSERT_EQ(expectedTags.size(), 300u);
        for (const std::size_t chunk : {std::size_t{1}, std::size_t{3}, std::size_t{509},
                                        std::size_t{511}, std::size_t{4096}}) {
            SCOPED_TRACE(chunk);
            lyricsList.clear();
            editList.clear();
            count = 0;
            readFile(source, chunk);
            EXPECT_EQ(added(), expectedLines);
            EXPECT_EQ(tags(), expectedTags);
        }
        lyricsList.clear();
        editList.clear();
    }
}

TEST_F(LrcReader, ReadsAFileInLargeBlocks) {
    const std::string source(std::size_t{200} * 1024, 'a');
    ChunkedFile file(source, SIZE_MAX);
    core.readLines(file, count);
    EXPECT_GE(file.smallestRequest, 4096u);
    EXPECT_LE(file.reads, 5);
    EXPECT_EQ(count, static_cast<int>((source.size() + 509) / 510));
}

}  // namespace
}  // namespace zor
