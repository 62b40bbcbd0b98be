#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "Fakes.h"
#include "lyrics/model/LyricsCore.h"
#include "lyrics/model/MemoryLineList.h"

namespace zor {
namespace {

// {seconds, line}, comparable and printable.
using Tag = std::pair<int, int>;
using Tags = std::vector<Tag>;

class TimeTagTable : public ::testing::Test {
  protected:
    // Fills the table in reading order, as the reader would, and ends it.
    void setTags(std::initializer_list<TimeTag> tags) {
        core.timeTags.clear();
        for (const TimeTag& tag : tags) {
            core.timeTags.add(tag);
        }
    }
    Tags tagsInUse() const {
        Tags tags;
        for (const TimeTag& tag : core.timeTags) {
            tags.emplace_back(tag.seconds, tag.line);
        }
        return tags;
    }
    int lineAt(int second) const {
        const int entry = core.lineAtSecond(second);
        return entry == kNoEntry ? kNoEntry : core.timeTags[static_cast<std::size_t>(entry)].line;
    }

    MemoryLineList lyricsList{true};
    MemoryLineList editList{false};
    test::FakeHostLink host;
    test::RecordingPrompt prompt;
    LyricsCore core{lyricsList, editList, host, prompt, platformFileSystem()};
};

TEST_F(TimeTagTable, ReadsAsEmptyFromConstruction) {
    for (const int second : {-1, 0, 5, INT_MAX}) {
        EXPECT_EQ(core.lineAtSecond(second), kNoEntry) << second;
        EXPECT_EQ(core.tagTimeForLine(0, second), -1) << second;
    }
    core.sortTimeTags();
    EXPECT_TRUE(tagsInUse().empty());
}

TEST_F(TimeTagTable, SortExchangesSoTheLaterReadOfEqualSecondsComesFirst) {
    setTags({{5, 1}, {5, 2}, {3, 0}});
    core.sortTimeTags();
    EXPECT_EQ(tagsInUse(), (Tags{{3, 0}, {5, 2}, {5, 1}}));
    EXPECT_EQ(core.timeTags[3].line, kEndOfTable);
    EXPECT_EQ(lineAt(5), 1);
    EXPECT_EQ(lineAt(4), 0);
}

TEST_F(TimeTagTable, SortOfEqualSecondsBehindALaterOneKeepsTheExchangeOrder) {
    // Only a strict comparison leaves line 2 as the last tag reached at second 0.
    setTags({{1, 0}, {0, 1}, {0, 2}});
    core.sortTimeTags();
    EXPECT_EQ(tagsInUse(), (Tags{{0, 1}, {0, 2}, {1, 0}}));
    EXPECT_EQ(lineAt(0), 2);
    EXPECT_EQ(lineAt(1), 0);
}

// Tables of many sizes with many equal seconds against the exchange sort written plainly: every
// entry must end where those exchanges put it.
TEST_F(TimeTagTable, SortMatchesThePlainExchangeSortOnTablesWithTies) {
    std::uint32_t state = 12345;
    auto next = [&state](std::uint32_t below) {
        state = state * 1664525u + 1013904223u;
        return static_cast<int>((state >> 8) % below);
    };
    for (int round = 0; round < 300; ++round) {
        const int count = next(200);
        const auto spread = static_cast<std::uint32_t>(1 + next(2 * count + 2));
        Tags expected;
        core.timeTags.clear();
        // Some tables as lyrics with two tags a line are read: two ordered runs interleaved.
        const bool twoTagsALine = round % 3 == 1;
        for (int i = 0; i < count; ++i) {
            const int seconds = twoTagsALine ? i / 2 * 2 + (i % 2 == 1 ? 40 : 0) + next(3)
                                             : next(spread) - (round % 7 == 0 ? 3 : 0);
            core.timeTags.add(TimeTag{seconds, i});
            expected.emplace_back(seconds, i);
        }
        for (std::size_t h = 0; h < expected.size(); ++h) {
            for (std::size_t l = h + 1; l < expected.size(); ++l) {
                if (expected[l].first < expected[h].first) {
                    std::swap(expected[l], expected[h]);
                }
            }
        }
        core.sortTimeTags();
        ASSERT_EQ(tagsInUse(), expected) << "round " << round << ", " << count << " tags";
    }
}

TEST_F(TimeTagTable, ReadPastItsLastTagTheTableAnswersTheEndEntry) {
    setTags({{9, 0}, {2, 1}});
    core.sortTimeTags();
    EXPECT_EQ(tagsInUse(), (Tags{{2, 1}, {9, 0}}));
    EXPECT_EQ(core.timeTags[2].line, kEndOfTable);
    EXPECT_EQ(core.timeTags[500].line, kEndOfTable);
    EXPECT_EQ(core.timeTags[-1].line, kEndOfTable);
}

TEST_F(TimeTagTable, LineAtSecondIsTheLastTagReached) {
    setTags({{10, 3}, {20, 4}, {20, 5}});
    const struct {
        int second;
        int line;
    } cases[] = {{-1, kNoEntry}, {9, kNoEntry}, {10, 3}, {19, 3}, {20, 5}, {500, 5}, {INT_MAX, 5}};
    for (const auto& c : cases) {
        EXPECT_EQ(lineAt(c.second), c.line) << "second " << c.second;
    }
}

TEST_F(TimeTagTable, ALargeTableIsSearchedToItsLastTag) {
    constexpr int kTags = 1500;
    for (int i = 0; i < kTags; ++i) {
        core.timeTags.add(TimeTag{i + 1, i});
    }
    core.sortTimeTags();
    EXPECT_EQ(core.lineAtSecond(INT_MAX), kTags - 1);
    EXPECT_EQ(core.lineAtSecond(kTags - 1), kTags - 2);
    EXPECT_EQ(core.timeTags[kTags].line, kEndOfTable);
    EXPECT_EQ(core.tagTimeForLine(kTags - 1, 0), kTags);
}

TEST_F(TimeTagTable, TagTimeForLineTakesTheNearestAndTheFirstOfEquals) {
    setTags({{30, 2}, {45, 1}, {90, 2}});
    EXPECT_EQ(core.tagTimeForLine(2, 59), 30);
    EXPECT_EQ(core.tagTimeForLine(2, 60), 30);  // equally near: first in table order
    EXPECT_EQ(core.tagTimeForLine(2, 61), 90);
    EXPECT_EQ(core.tagTimeForLine(2, -20), 30);
    EXPECT_EQ(core.tagTimeForLine(1, 1000), 45);
    EXPECT_EQ(core.tagTimeForLine(3, 60), -1);

    setTags({{90, 2}, {30, 2}});
    EXPECT_EQ(core.tagTimeForLine(2, 60), 90);
}

TEST_F(TimeTagTable, TagTimeForLineFindsTheLargestSeconds) {
    setTags({{INT_MAX, 0}});
    EXPECT_EQ(core.tagTimeForLine(0, 0), INT_MAX);
    EXPECT_EQ(core.tagTimeForLine(0, -1), INT_MAX);
}

}  // namespace
}  // namespace zor
