#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Fakes.h"
#include "lyrics/model/LyricsCore.h"
#include "lyrics/model/MemoryLineList.h"
#include "lyrics/model/TagTime.h"
#include "lyrics/model/WordTiming.h"

namespace zor {
namespace {

using Lines = std::vector<std::string>;

TEST(TagTime, FormsWithFractions) {
    // {text, seconds as the default highlight counts them, milliseconds}
    const struct {
        const char* tag;
        long long seconds;
        long long ms;
    } cases[] = {
        {"[00:07]", 7, 7000},
        {"[00:07.50]", 7, 7500},
        {"[00:07.5]", 7, 7500},
        {"[00:07.05]", 7, 7050},
        {"[00:07.123]", 7, 7123},
        {"[00:07.1239]", 7, 7123},  // beyond the millisecond: dropped
        {"[00:07.]", 7, 7000},
        {"[00:07:50]", 7, 7500},         // [mm:ss:xx]
        {"[01:02:03.45]", 62, 3723450},  // [hh:mm:ss.xx]; by default minutes 1, seconds 2
        {"[01:02:03]", 62, 62030},       // no point: [mm:ss:xx]
        {"[01:75.25]", 135, 135250},     // seconds above 59 as they are
        {"[123:00.99]", 7380, 7380990},
        {"[1x:05.5]", 65, 65500},  // anything between the minutes and the colon is ignored
        {"<00:01.52>", 1, 1520},   // a word tag
        {"[99:59.999]", 5999, 5999999},
        {"[00:07.5x]", 7, 7500},  // the fraction ends at its first non-digit
        {"[00:07x]", 7, 7000},
        {"[00:07.12", 7, 7120},  // no closing character: every digit counts
    };
    for (const auto& c : cases) {
        const std::optional<TagTime> time = readTagTime(c.tag);
        ASSERT_TRUE(time.has_value()) << c.tag;
        EXPECT_EQ(time->seconds, c.seconds) << c.tag;
        EXPECT_EQ(time->ms, c.ms) << c.tag;
    }
    for (const char* notATime : {"[ti:Song]", "[00]", "[00:]", "[00:x5]", "<a:01>", "[:05]"}) {
        EXPECT_FALSE(readTagTime(notATime).has_value()) << notATime;
    }
}

TEST(TagTime, OffsetValuesAndTexts) {
    const struct {
        const char* text;
        std::optional<int> ms;
    } cases[] = {
        {"500", 500}, {"+500", 500}, {"-250", -250},     {" 300 ", 300},
        {"0", 0},     {"", {}},      {"abc", {}},        {"5x", {}},
        {"+-5", {}},  {"1.5", {}},   {"9999999999", {}}, {"-86400001", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(readOffsetValue(c.text), c.ms) << "'" << c.text << "'";
    }
    EXPECT_EQ(preciseTimeTagText(75400), "[01:15.40]");
    EXPECT_EQ(preciseTimeTagText(75409), "[01:15.40]");
    EXPECT_EQ(preciseTimeTagText(6000000), "[100:00.00]");
    EXPECT_EQ(preciseTimeTagText(-5), "[00:00.00]");
    EXPECT_EQ(adjustmentNotice(300), "offset +0.3 s");
    EXPECT_EQ(adjustmentNotice(-1200), "offset -1.2 s");
    EXPECT_EQ(adjustmentNotice(0), "offset 0.0 s");
}

TEST(WordTiming, TheWipeMovesLinearlyThroughEachWord) {
    // "Hello world" with words at +0 and +520 ms, the next line 1,000 ms after the line's tag.
    const std::vector<WordMark> marks{{0, 0}, {6, 520}};
    const struct {
        long long elapsed;
        WipePoint point;
    } cases[] = {
        {-10, {0, 0, 0.0}},  {0, {0, 6, 0.0}},      {260, {0, 6, 0.5}},    {520, {6, 11, 0.0}},
        {760, {6, 11, 0.5}}, {1000, {11, 11, 0.0}}, {5000, {11, 11, 0.0}},
    };
    for (const auto& c : cases) {
        const WipePoint point = wipeAt(marks, 11, c.elapsed, 1000);
        EXPECT_EQ(point.from, c.point.from) << c.elapsed;
        EXPECT_EQ(point.to, c.point.to) << c.elapsed;
        EXPECT_DOUBLE_EQ(point.fraction, c.point.fraction) << c.elapsed;
    }
    // Text ahead of the first word tag is sung from the line's tag to that word; a last word
    // with no next line lasts a second; times out of order never wipe backwards.
    EXPECT_DOUBLE_EQ(wipeAt({{4, 400}}, 8, 200, -1).fraction, 0.5);
    EXPECT_EQ(wipeAt({{4, 400}}, 8, 200, -1).to, 4);
    EXPECT_DOUBLE_EQ(wipeAt({{0, 0}}, 8, 500, -1).fraction, 0.5);
    EXPECT_EQ(wipeAt({{0, 0}, {3, 500}, {6, 100}}, 8, 500, -1).from, 6);
    EXPECT_EQ(wipeAt({}, 8, 500, -1), WipePoint{});
}

class PreciseTiming : public ::testing::Test {
  protected:
    void read(const std::string& text, bool precise = true) {
        core.PreciseTiming = precise ? 1 : 0;
        (lyricsList.isVisible() ? lyricsList : editList).clear();
        count = 0;
        core.readLines(text, count);
        core.sortTimeTags();
    }
    void editMode() {
        lyricsList.setVisible(false);
        editList.setVisible(true);
    }
    // The line highlighted at a playback position, or -1.
    int lineAt(int positionMs) const {
        const int entry = core.PreciseTiming != 0 ? core.lineAtMs(core.lyricsTimeAt(positionMs))
                                                  : core.lineAtSecond(positionMs / 1000);
        return entry == kNoEntry ? -1 : core.timeTags[entry].line;
    }

    MemoryLineList lyricsList{true};
    MemoryLineList editList{false};
    test::FakeHostLink host;
    test::RecordingPrompt prompt;
    LyricsCore core{lyricsList, editList, host, prompt, platformFileSystem()};
    int count = 0;
};

TEST_F(PreciseTiming, TheHighlightMovesAtTheTagsMillisecond) {
    const std::string lrc = "[00:01.00]One\n[00:07.50]Two\n[00:07.75]Three\n";
    read(lrc);
    EXPECT_EQ(lineAt(7490), 0);
    EXPECT_EQ(lineAt(7500), 1);
    EXPECT_EQ(lineAt(7749), 1);
    EXPECT_EQ(lineAt(7750), 2);
    // By default only whole seconds count: both lines are reached at 7 s, the later one wins.
    read(lrc, false);
    EXPECT_EQ(lineAt(6999), 0);
    EXPECT_EQ(lineAt(7000), 2);
}

TEST_F(PreciseTiming, TiesAtTheSameMillisecondKeepTheDefaultOrder) {
    // Read as 5.25 (A), 5.25 (B), 3.00 (C): sorted C, B, A, so A is the tag reached at 5.25,
    // exactly as whole seconds 5, 5, 3 are sorted by default.
    read("[00:05.25]A\n[00:05.25]B\n[00:03.00]C\n");
    std::vector<std::pair<long long, int>> order;
    for (const TimeTag& tag : core.timeTags) {
        order.emplace_back(tag.ms, tag.line);
    }
    EXPECT_EQ(order, (std::vector<std::pair<long long, int>>{{3000, 2}, {5250, 1}, {5250, 0}}));
    EXPECT_EQ(lineAt(5250), 0);
    EXPECT_EQ(lineAt(5249), 2);
    // Tags apart by a fraction are no tie with precise timing, but are by default.
    read("[00:05.30]A\n[00:05.20]B\n");
    EXPECT_EQ(lineAt(5250), 1);
    EXPECT_EQ(lineAt(5300), 0);
    read("[00:05.30]A\n[00:05.20]B\n", false);
    EXPECT_EQ(lineAt(5250), 1);
}

TEST_F(PreciseTiming, OffsetLatencyAndLiveAdjustmentShiftTheLyrics) {
    const struct {
        const char* offsetLine;
        int latency;
        int adjustment;
        int firstPosition;  // the first playback millisecond at which line 1 is highlighted
    } cases[] = {
        {"", 0, 0, 10000},
        {"[offset:+500]", 0, 0, 9500},  // positive: the lyrics show earlier
        {"[offset:500]", 0, 0, 9500},
        {"[offset:-250]", 0, 0, 10250},
        {"[offset:abc]", 0, 0, 10000},  // malformed: ignored
        {"[offset:]", 0, 0, 10000},
        {"[offset:+500]", 200, 0, 9700},  // output latency shows them later
        {"[offset:+500]", 200, 100, 9600},
        {"[offset:-250]", -300, -200, 10150},
        {"[offset:100]\n[offset:900]", 0, 0, 9900},  // the first one counts
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.offsetLine) + " latency " + std::to_string(c.latency) +
                     " adjustment " + std::to_string(c.adjustment));
        core.LatencyMs = c.latency;
        read(std::string(c.offsetLine) + "\n[00:01.00]Zero\n[00:10.00]One\n");
        core.liveAdjustMs = c.adjustment;
        EXPECT_EQ(lineAt(c.firstPosition - 1), 0);
        EXPECT_EQ(lineAt(c.firstPosition), 1);
        EXPECT_EQ(core.positionAt(10000), c.firstPosition);
        EXPECT_EQ(lyricsList.items(), (Lines{"Zero", "One"}));  // the offset line is hidden
    }
    // By default nothing shifts the whole seconds.
    core.LatencyMs = 200;
    read("[offset:+5000]\n[00:10.00]One\n", false);
    core.liveAdjustMs = 3000;
    EXPECT_EQ(core.timingShiftMs(), 0);
    EXPECT_EQ(lineAt(9999), -1);
    EXPECT_EQ(lineAt(10000), 0);
}

TEST_F(PreciseTiming, TheAdjustmentHoldsUntilTheSongChanges) {
    core.PreciseTiming = 1;
    core.loadLyrics("/nowhere/a.ogg");
    core.adjustTiming(100);
    core.adjustTiming(100);
    core.adjustTiming(100);
    EXPECT_EQ(core.liveAdjustMs, 300);
    core.loadLyrics("/nowhere/a.ogg");  // a reload of the same song
    EXPECT_EQ(core.liveAdjustMs, 300);
    core.loadLyrics("/nowhere/b.ogg");
    EXPECT_EQ(core.liveAdjustMs, 0);
}

TEST_F(PreciseTiming, WordTagsAreHiddenInDisplayModeAndKeptInEditMode) {
    const std::string lrc =
        "[00:01.00]<00:01.00>Hello <00:01.52>world\n"
        "[00:03.00]a <b> c <00:3.5 d\n"
        "<00:04.00>Untimed <00:04.50>words\n"
        "[00:05.00]Sung <00:05.40>late <00:06.00>\n";
    for (const bool precise : {true, false}) {
        SCOPED_TRACE(precise ? "precise" : "default");
        lyricsList.setVisible(true);
        editList.setVisible(false);
        read(lrc, precise);
        EXPECT_EQ(lyricsList.items(),
                  (Lines{"Hello world", "a <b> c <00:3.5 d", "Untimed words", "Sung late"}));
        EXPECT_EQ(core.timeTags.size(), 3);  // word tags time no line
        ASSERT_NE(core.wordTimes.find(0), nullptr);
        const std::vector<WordMark>& hello = *core.wordTimes.find(0);
        ASSERT_EQ(hello.size(), 2u);
        EXPECT_EQ(hello[1].position, 6);
        EXPECT_EQ(hello[1].ms, 520);  // after the line's own tag
        EXPECT_EQ(core.wordTimes.find(1), nullptr);
        EXPECT_EQ(core.wordTimes.find(2), nullptr);  // a line without a tag of its own
        ASSERT_NE(core.wordTimes.find(3), nullptr);
        EXPECT_EQ(core.wordTimes.find(3)->back().position, 9);  // the end mark, at the end

        editMode();
        read(lrc, precise);
        EXPECT_EQ(editList.items(),
                  (Lines{"[00:01.00]<00:01.00>Hello <00:01.52>world", "[00:03.00]a <b> c <00:3.5 d",
                         "<00:04.00>Untimed <00:04.50>words",
                         "[00:05.00]Sung <00:05.40>late <00:06.00>", ""}));
        EXPECT_TRUE(core.wordTimes.empty());
    }
}

TEST_F(PreciseTiming, WordTagsBackToBackAreAllTakenOut) {
    read("[00:01.00]<00:01.00><00:01.20>Hel<00:01.50>lo\n");
    EXPECT_EQ(lyricsList.items(), (Lines{"Hello"}));
    ASSERT_NE(core.wordTimes.find(0), nullptr);
    const std::vector<WordMark>& marks = *core.wordTimes.find(0);
    ASSERT_EQ(marks.size(), 3u);
    const std::pair<int, std::int64_t> expected[] = {{0, 0}, {0, 200}, {3, 500}};
    for (std::size_t i = 0; i < marks.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(marks[i].position, expected[i].first);
        EXPECT_EQ(marks[i].ms, expected[i].second);
    }
}

TEST_F(PreciseTiming, WordMarksFollowTheirLineWhenCreditsAreDropped) {
    // Credits ahead of the first timed line and hidden ID tags move the line indexes.
    read(
        "[ti:Song]\nCredits\n\n[00:01.00]<00:01.00>Hi <00:01.40>there\n[ar:Band]\n"
        "[00:02.00]<00:02.00>Two <00:02.30>words\n");
    EXPECT_EQ(lyricsList.items(), (Lines{"Hi there", "Two words"}));
    ASSERT_NE(core.wordTimes.find(0), nullptr);
    ASSERT_NE(core.wordTimes.find(1), nullptr);
    EXPECT_EQ(core.wordTimes.find(0)->back().ms, 400);
    EXPECT_EQ(core.wordTimes.find(1)->back().ms, 300);
    EXPECT_EQ(core.wordTimes.find(2), nullptr);
}

class PreciseStamps : public PreciseTiming {
  protected:
    PreciseStamps() {
        editMode();
        core.PreciseTiming = 1;
    }
    void setLines(const Lines& lines, int selection) {
        for (const std::string& line : lines) {
            editList.append(line);
        }
        editList.setSelection(selection);
    }
};

TEST_F(PreciseStamps, InsertStampsHundredthsAtTheLyricsTime) {
    setLines({"Hello", "[00:10.00]Hello", "Hello [x] world", "Last"}, 0);
    const int stamp = core.insertTimeTag(75400);
    EXPECT_EQ(stamp, 75400);
    core.insertTimeTag(75400);
    core.insertTimeTag(75409);
    EXPECT_EQ(editList.items(), (Lines{"[01:15.40]Hello", "[00:10.00][01:15.40]Hello",
                                       "Hello [x][01:15.40] world", "Last"}));
    // From the playback position, the stamp is the lyrics' time there: what is heard at 75.4 s
    // with 200 ms of output latency is the song at 75.2 s.
    core.LatencyMs = 200;
    host.timeMs = 75400;
    core.insertTimeTag(core.stampTimeAt(host.timeMs));
    EXPECT_EQ(editList.text(3), "[01:15.20]Last");
    host.timeMs = -1;
    editList.setSelection(3);
    core.insertTimeTag(-1);
    EXPECT_EQ(editList.text(3), "[01:15.20][00:00.00]Last");
}

TEST_F(PreciseStamps, CompleteParagraphKeepsHundredths) {
    const std::string source =
        "[00:30.25]Chorus A\r\n[00:34.50]Chorus B\r\n[00:38.75]Chorus C\r\n\r\n[00:45.00]Verse\r\n";
    count = 0;
    core.readLines(source, count);
    core.sortTimeTags();
    editList.setSelection(0);
    host.timeMs = 90100;
    core.completeParagraph();
    EXPECT_EQ(editList.items(),
              (Lines{"[00:30.25][01:30.10]Chorus A", "[00:34.50][01:34.35]Chorus B",
                     "[00:38.75][01:38.60]Chorus C", "", "[00:45.00]Verse", ""}));
    EXPECT_EQ(editList.selection(), 4);
    EXPECT_EQ(host.jumps, (std::vector<int>{98600}));
}

}  // namespace
}  // namespace zor
