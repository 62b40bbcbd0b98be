#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Fakes.h"
#include "lyrics/edit/TimeTagEdit.h"
#include "lyrics/model/LyricsCore.h"
#include "lyrics/model/MemoryLineList.h"
#include "lyrics/model/TextLimits.h"

namespace zor {
namespace {

using test::FakeHostLink;
using test::RecordingPrompt;

class CentringCore : public LyricsCore {
  public:
    using LyricsCore::LyricsCore;
    void centerHighlight() override { ++centred; }
    int centred = 0;
};

class TimeTagEditTest : public ::testing::Test {
  protected:
    void setLines(const std::vector<std::string>& lines, int selection) {
        for (const std::string& line : lines) {
            editList.append(line);
        }
        editList.setSelection(selection);
    }
    // Table entries in the order given (already sorted), ended as a load ends them.
    void setTags(const std::vector<TimeTag>& tags) {
        core.timeTags.clear();
        for (const TimeTag& tag : tags) {
            core.timeTags.add(tag);
        }
    }

    MemoryLineList lyricsList{false};
    MemoryLineList editList{true};
    FakeHostLink host;
    RecordingPrompt prompt;
    CentringCore core{lyricsList, editList, host, prompt, platformFileSystem()};
};

TEST(TimeTagEditFindLastTag, FindsTheLastGroupByBracketsAlone) {
    struct Case {
        const char* line;
        std::size_t open;
        std::size_t close;
    };
    constexpr auto none = BracketGroup::npos;
    const Case cases[] = {
        {"Hello", none, none}, {"", none, none},    {"[00:10]Hello", 0, 6},
        {"a[b]c[d]e", 5, 7},   {"[x] [y", 4, none},  // the last "[" has no "]": incomplete
        {"a[b[c]d", 1, 5},                           // a "[" inside a group belongs to it
        {"]x[", 2, none},      {"[a]]b", 0, 2},
    };
    for (const Case& c : cases) {
        const BracketGroup group = findLastTag(c.line);
        EXPECT_EQ(group.open, c.open) << c.line;
        EXPECT_EQ(group.close, c.close) << c.line;
    }
}

TEST_F(TimeTagEditTest, InsertStampsThePlaybackTimeAfterTheLastGroup) {
    struct Case {
        const char* line;
        int hostMs;
        const char* expected;
        int seconds;
    };
    const Case cases[] = {
        {"Hello", 75400, "[01:15]Hello", 75},
        {"[00:10]Hello", 75400, "[00:10][01:15]Hello", 75},
        {"Hello [x] world", 75400, "Hello [x][01:15] world", 75},
        {"[x] [y", 75400, "[01:15][x] [y", 75},  // incomplete group: in front
        {"Hello", 6000000, "[100:00]Hello", 6000},
        {"Hello", 59999, "[00:59]Hello", 59},
        {"Hello", -1, "[00:00]Hello", 0},  // nothing playing
        {"", 5000, "[00:05]", 5},
    };
    for (const Case& c : cases) {
        editList.clear();
        setLines({c.line}, 0);
        host.timeMs = c.hostMs;
        EXPECT_EQ(core.insertTimeTag(-1), c.seconds) << c.line;
        EXPECT_EQ(editList.items(), std::vector<std::string>{c.expected});
    }
}

TEST_F(TimeTagEditTest, InsertUsesAGivenTimeWithoutAskingTheHost) {
    setLines({"Hello"}, 0);
    host.timeMs = 75400;
    EXPECT_EQ(core.insertTimeTag(3999), 3);
    EXPECT_EQ(editList.text(0), "[00:03]Hello");
    EXPECT_EQ(core.modified, 1);
}

TEST_F(TimeTagEditTest, InsertWithoutSelectionOnlyMarksTheDocument) {
    setLines({"Hello"}, -1);
    host.timeMs = 75400;
    EXPECT_EQ(core.insertTimeTag(-1), -1);
    EXPECT_EQ(core.insertTimeTag(1234), 1234);
    EXPECT_EQ(editList.text(0), "Hello");
    EXPECT_EQ(core.modified, 1);
    EXPECT_EQ(core.centred, 0);
}

TEST_F(TimeTagEditTest, InsertMovesToTheNextNonEmptyLineOrStaysOnTheLast) {
    struct Case {
        std::vector<std::string> lines;
        int from;
        int to;
    };
    const Case cases[] = {
        {{"A", "", "", "B"}, 0, 3},
        {{"A", "B"}, 0, 1},
        {{"A", "", ""}, 0, 2},  // empty lines up to the end: the last one
        {{"A", "B"}, 1, 1},     // the last line stays selected
    };
    for (const Case& c : cases) {
        editList.clear();
        setLines(c.lines, c.from);
        core.centred = 0;
        core.insertTimeTag(1000);
        EXPECT_EQ(editList.selection(), c.to) << c.lines.size() << " lines from " << c.from;
        EXPECT_EQ(core.centred, 1);
    }
}

TEST_F(TimeTagEditTest, InsertThatWouldOverflowTheItemIsRefused) {
    const std::string fits(kMaxItemChars - 7, 'x');  // with "[00:01]" exactly 511
    const std::string tooLong(kMaxItemChars - 6, 'y');
    setLines({fits, tooLong, "next"}, 0);

    core.insertTimeTag(1000);
    EXPECT_EQ(editList.text(0), "[00:01]" + fits);
    EXPECT_EQ(editList.selection(), 1);

    core.modified = 0;
    EXPECT_EQ(core.insertTimeTag(2000), 2);
    EXPECT_EQ(editList.text(1), tooLong);  // whole, not cut
    EXPECT_EQ(editList.selection(), 1);    // stays: it was not stamped
    EXPECT_EQ(core.modified, 1);           // as a press with no selection
}

TEST_F(TimeTagEditTest, RemoveTakesOutTheLastCompleteGroup) {
    struct Case {
        const char* line;
        const char* expected;
    };
    const Case cases[] = {
        {"[00:10][01:15]Hello", "[00:10]Hello"},
        {"[Chorus] Hello", " Hello"},
        {"Hello [x] world", "Hello  world"},
        {"Hello", "Hello"},
        {"[00:10] [y", "[00:10] [y"},  // incomplete last group: unchanged
    };
    for (const Case& c : cases) {
        editList.clear();
        setLines({"above", c.line, "below"}, 1);
        core.modified = 0;
        core.removeTimeTag();
        EXPECT_EQ(editList.items(), (std::vector<std::string>{"above", c.expected, "below"}));
        EXPECT_EQ(editList.selection(), 1) << c.line;
        EXPECT_EQ(core.modified, 1) << c.line;
    }
}

TEST_F(TimeTagEditTest, RemoveWithoutSelectionOnlyMarksTheDocument) {
    setLines({"[00:10]Hello"}, -1);
    core.removeTimeTag();
    EXPECT_EQ(editList.text(0), "[00:10]Hello");
    EXPECT_EQ(core.modified, 1);
}

TEST_F(TimeTagEditTest, CompleteParagraphStampsTheRepeatedChorus) {
    setLines({"[00:30]Chorus A", "[00:34]Chorus B", "[00:38]Chorus C", "", "[00:45]Verse"}, 0);
    setTags({{30, 0}, {34, 1}, {38, 2}, {45, 4}});
    host.timeMs = 90000;

    core.completeParagraph();

    EXPECT_EQ(editList.items(),
              (std::vector<std::string>{"[00:30][01:30]Chorus A", "[00:34][01:34]Chorus B",
                                        "[00:38][01:38]Chorus C", "", "[00:45]Verse"}));
    EXPECT_EQ(editList.selection(), 4);
    EXPECT_EQ(host.jumps, std::vector<int>{98000});
    EXPECT_EQ(core.modified, 1);
}

TEST_F(TimeTagEditTest, CompleteParagraphStopsAtALineWithoutAnEarlierTag) {
    setLines({"[00:30]Chorus A", "Chorus B", "[00:38]Chorus C", "", "[00:45]Verse"}, 0);
    setTags({{30, 0}, {38, 2}, {45, 4}});
    host.timeMs = 90000;

    core.completeParagraph();

    EXPECT_EQ(editList.items(), (std::vector<std::string>{"[00:30][01:30]Chorus A", "Chorus B",
                                                          "[00:38]Chorus C", "", "[00:45]Verse"}));
    EXPECT_EQ(editList.selection(), 1);
    EXPECT_TRUE(host.jumps.empty());
}

TEST_F(TimeTagEditTest, CompleteParagraphFollowsTheOccurrenceJustHeard) {
    // Sung at 30 and 90 already; heard a third time at 150. Line 1 also has a tag later than
    // now, which is no model.
    setLines({"[00:30][01:30]A", "[00:34][01:34][03:20]B"}, 0);
    setTags({{30, 0}, {34, 1}, {90, 0}, {94, 1}, {200, 1}});
    host.timeMs = 150500;

    core.completeParagraph();

    EXPECT_EQ(editList.items(), (std::vector<std::string>{"[00:30][01:30][02:30]A",
                                                          "[00:34][01:34][03:20][02:34]B"}));
    EXPECT_EQ(editList.selection(), 1);
    EXPECT_EQ(host.jumps, std::vector<int>{154000});
}

TEST_F(TimeTagEditTest, CompleteParagraphTakesEachLinesTagOfTheSameOccurrence) {
    // The paragraph was heard twice (30 and 90); line 1 holds one more tag (60) than line 0.
    // Heard the second time for line 0, line 1 goes by its second earlier tag, not its latest.
    setLines({"[00:30][01:30]A", "[00:34][01:00][01:34]B"}, 0);
    setTags({{30, 0}, {34, 1}, {60, 1}, {90, 0}, {94, 1}});
    host.timeMs = 150000;

    core.completeParagraph();

    EXPECT_EQ(editList.items(), (std::vector<std::string>{"[00:30][01:30][02:30]A",
                                                          "[00:34][01:00][01:34][02:00]B"}));
    EXPECT_EQ(host.jumps, std::vector<int>{120000});
}

TEST_F(TimeTagEditTest, CompleteParagraphLoadedByTheReaderInEditMode) {
    int count = 0;
    core.readLines("[00:30]Chorus A\r\n[00:34]Chorus B\r\n\r\n[00:45]Verse", count);
    core.sortTimeTags();
    ASSERT_EQ(count, 4);
    editList.setSelection(0);
    host.timeMs = 90000;

    core.completeParagraph();

    EXPECT_EQ(editList.text(0), "[00:30][01:30]Chorus A");
    EXPECT_EQ(editList.text(1), "[00:34][01:34]Chorus B");
    EXPECT_EQ(editList.selection(), 3);
    EXPECT_EQ(host.jumps, std::vector<int>{94000});
}

TEST_F(TimeTagEditTest, CompleteParagraphDoesNothingWithoutASelectedLine) {
    setLines({"[00:30]A", "", "[00:40]B"}, -1);
    setTags({{30, 0}, {40, 2}});
    host.timeMs = 90000;
    core.completeParagraph();
    editList.setSelection(1);  // an empty line
    core.completeParagraph();
    EXPECT_EQ(editList.items(), (std::vector<std::string>{"[00:30]A", "", "[00:40]B"}));
    EXPECT_EQ(core.modified, 0);
    EXPECT_TRUE(host.jumps.empty());
}

}  // namespace
}  // namespace zor
