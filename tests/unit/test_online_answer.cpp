// The service's answers read into records, and the choice among them.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "OnlineFakes.h"
#include "lyrics/online/LrclibAnswer.h"
#include "lyrics/online/LyricsMatcher.h"
#include "lyrics/online/NameMatch.h"

namespace zor {
namespace {

using test::recordJson;

TEST(OnlineAnswer, AGoodRecordIsReadWhole) {
    const RecordAnswer answer = parseRecordAnswer(
        R"({"id":7,"trackName":"T","artistName":"A","albumName":"B","duration":233.5,)"
        R"("instrumental":false,"plainLyrics":"one\ntwo","syncedLyrics":"[00:01.00]one","extra":1})");
    ASSERT_TRUE(answer.record) << answer.error;
    const LyricsRecord& record = *answer.record;
    EXPECT_EQ(record.id, 7);
    EXPECT_EQ(record.trackName, "T");
    EXPECT_EQ(record.artistName, "A");
    EXPECT_EQ(record.albumName, "B");
    EXPECT_DOUBLE_EQ(record.duration, 233.5);
    EXPECT_FALSE(record.instrumental);
    EXPECT_EQ(record.plainLyrics, "one\ntwo");
    EXPECT_EQ(record.syncedLyrics, "[00:01.00]one");
}

TEST(OnlineAnswer, EveryFieldIsCheckedForItsType) {
    const std::string good = recordJson(1, "A", "T", 200, "\"[00:01]x\"");
    auto with = [&](const std::string& field, const std::string& value) {
        nlohmann::json json = nlohmann::json::parse(good);
        json[field] = nlohmann::json::parse(value);
        return json.dump();
    };
    auto without = [&](const std::string& field) {
        nlohmann::json json = nlohmann::json::parse(good);
        json.erase(field);
        return json.dump();
    };
    const struct {
        std::string body;
        std::string reason;  // a part of the error; empty: the answer is good
    } cases[] = {
        {good, ""},
        {with("albumName", "\"Album\""), ""},
        {with("duration", "200"), ""},
        {with("id", "\"1\""), "id"},
        {with("id", "1.5"), "id"},
        {with("trackName", "null"), "trackName"},
        {with("artistName", "5"), "artistName"},
        {with("albumName", "[]"), "albumName"},
        {with("duration", "\"200\""), "duration"},
        {with("duration", "-1"), "duration"},
        {with("instrumental", "0"), "instrumental"},
        {with("plainLyrics", "{}"), "plainLyrics"},
        {with("syncedLyrics", "false"), "syncedLyrics"},
        {without("id"), "no field 'id'"},
        {without("albumName"), "no field 'albumName'"},
        {without("syncedLyrics"), "no field 'syncedLyrics'"},
        {"[]", "not an object"},
        {"\"text\"", "not an object"},
        {"null", "not an object"},
        {"{\"id\":1,", "not JSON"},
        {"", "not JSON"},
        {"<html>busy</html>", "not JSON"},
        {"{\"id\":1e999}", "not JSON"},
    };
    for (const auto& c : cases) {
        const RecordAnswer answer = parseRecordAnswer(c.body);
        if (c.reason.empty()) {
            EXPECT_TRUE(answer.record) << c.body << ": " << answer.error;
        } else {
            EXPECT_FALSE(answer.record) << c.body;
            EXPECT_NE(answer.error.find(c.reason), std::string::npos)
                << c.body << ": " << answer.error;
        }
    }
}

TEST(OnlineAnswer, TextThatIsNotUtf8OrHoldsNulIsMadeSafe) {
    const std::string body = recordJson(1, "A", "T", 200, "\"[00:01]x\"",
                                        "\"a\xFF"
                                        "b\\u0000c\"");
    const RecordAnswer answer = parseRecordAnswer(body);
    ASSERT_TRUE(answer.record) << answer.error;
    EXPECT_EQ(answer.record->plainLyrics,
              "a\xEF\xBF\xBD"
              "bc");
}

TEST(OnlineAnswer, SearchSkipsOddRecordsButNotAWrongShape) {
    const SearchAnswer mixed = parseSearchAnswer(
        "[" + recordJson(1, "A", "T", 200) + ",{\"id\":2}," + recordJson(3, "A", "T", 201) + ",7]");
    EXPECT_TRUE(mixed.error.empty()) << mixed.error;
    ASSERT_EQ(mixed.records.size(), 2U);
    EXPECT_EQ(mixed.records[1].id, 3);
    EXPECT_EQ(mixed.skipped, 2);

    EXPECT_TRUE(parseSearchAnswer("[]").error.empty());
    EXPECT_FALSE(parseSearchAnswer("{\"results\":[]}").error.empty());
    EXPECT_FALSE(parseSearchAnswer("[{\"id\":2}]").error.empty());
    EXPECT_FALSE(parseSearchAnswer("[1,").error.empty());

    std::string many = "[";
    for (int i = 0; i < 150; ++i) {
        many += (i > 0 ? "," : "") + recordJson(i, "A", "T", 200);
    }
    EXPECT_EQ(parseSearchAnswer(many + "]").records.size(), kMaxSearchRecords);
}

TEST(OnlineMatch, NamesAreComparedAsAListenerWould) {
    const struct {
        std::string a;
        std::string b;
        NameRelation relation;
    } cases[] = {
        {"Don't Stop Me Now", "dont stop me now", NameRelation::Equal},
        {"Don\xE2\x80\x99t Stop", "Don't stop", NameRelation::Equal},
        {"Beyonc\xC3\xA9", "BEYONCE", NameRelation::Equal},
        {"Sigur R\xC3\xB3s", "sigur ros", NameRelation::Equal},
        {"Motorhead", "Mot\xC3\xB6rhead", NameRelation::Equal},
        {"Stra\xC3\x9F"
         "e",
         "strasse", NameRelation::Equal},
        {"\xC5\x81\xC3\xB3"
         "d\xC5\xBA",
         "lodz", NameRelation::Equal},
        {"Cafe\xCC\x81", "cafe", NameRelation::Equal},  // a decomposed accent
        {"Song (feat. Someone)", "Song", NameRelation::Equal},
        {"Song [ft. A & B]", "song", NameRelation::Equal},
        {"Song (Remastered 2011)", "Song", NameRelation::Equal},
        {"Song (2009 Remaster) (feat. X)", "Song", NameRelation::Equal},
        {"Song (Live)", "Song", NameRelation::Contained},
        {"(Remastered)", "remastered", NameRelation::Equal},
        {"Simon & Garfunkel", "Simon and Garfunkel", NameRelation::Equal},
        {"  Hello,   World!  ", "hello world", NameRelation::Equal},
        {"Ada Park", "Ada Park & The Band", NameRelation::Contained},
        {"Ada", "Adam", NameRelation::Unrelated},
        {"\xD0\x91\xD0\xB5\xD0\xBB\xD1\x8B\xD0\xB5", "\xD0\x91\xD0\xB5\xD0\xBB\xD1\x8B\xD0\xB5",
         NameRelation::Equal},
        {"", "", NameRelation::Unrelated},
        {"!!!", "...", NameRelation::Unrelated},
        {"Song", "Other Song Entirely", NameRelation::Unrelated},
        {"Song", "Song Two", NameRelation::Contained},
        {"Yesterday", "Tomorrow", NameRelation::Unrelated},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(relateNames(c.a, c.b), c.relation) << c.a << " / " << c.b;
    }
}

LyricsRecord record(int id, std::string artist, std::string title, double duration, bool synced,
                    bool plain = true, bool instrumental = false) {
    LyricsRecord r;
    r.id = id;
    r.artistName = std::move(artist);
    r.trackName = std::move(title);
    r.duration = duration;
    r.instrumental = instrumental;
    if (synced) {
        r.syncedLyrics = "[00:01.00]x";
    }
    if (plain) {
        r.plainLyrics = "x";
    }
    return r;
}

TEST(OnlineMatch, TheBestAcceptableRecordOrNone) {
    const TrackSignature song{"Ada Park", "Northern Line", "", 200.0};
    const struct {
        const char* what;
        std::vector<LyricsRecord> records;
        TrackSignature signature;
        int chosen;  // 0: none
    } cases[] = {
        {"synced beats plain",
         {record(1, "Ada Park", "Northern Line", 200, false),
          record(2, "Ada Park", "Northern Line", 201.5, true)},
         song,
         2},
        {"equal names beat contained ones",
         {record(1, "Ada Park & Co", "Northern Line", 200, true),
          record(2, "Ada Park", "Northern Line (Remastered)", 201, true)},
         song,
         2},
        {"the nearest length among equals",
         {record(1, "Ada Park", "Northern Line", 201.9, true),
          record(2, "Ada Park", "Northern Line", 199.5, true)},
         song,
         2},
        {"2 s either way fits", {record(1, "Ada Park", "Northern Line", 202.0, true)}, song, 1},
        {"beyond 2 s is another recording",
         {record(1, "Ada Park", "Northern Line", 202.01, true),
          record(2, "Ada Park", "Northern Line", 197.9, true)},
         song,
         0},
        {"another artist is a near miss",
         {record(1, "A Cover Band", "Northern Line", 200, true)},
         song,
         0},
        {"another title is a near miss",
         {record(1, "Ada Park", "Southern Line", 200, true)},
         song,
         0},
        {"a record without lyrics is nothing",
         {record(1, "Ada Park", "Northern Line", 200, false, false)},
         song,
         0},
        {"an instrumental mark is an answer",
         {record(1, "Ada Park", "Northern Line", 200, false, false, true)},
         song,
         1},
        {"lyrics beat an instrumental mark",
         {record(1, "Ada Park", "Northern Line", 200, false, false, true),
          record(2, "Ada Park", "Northern Line", 201, false)},
         song,
         2},
        {"length unknown: only equal names",
         {record(1, "Ada Park & Co", "Northern Line", 300, true),
          record(2, "Ada Park", "Northern Line", 100, false)},
         TrackSignature{"Ada Park", "Northern Line", "", std::nullopt},
         2},
        {"artist unknown: an equal title within the length",
         {record(1, "Someone", "Northern Line (Live)", 200, true),
          record(2, "Someone", "Northern Line", 200, false)},
         TrackSignature{"", "Northern Line", "", 200.0},
         2},
        {"neither known: nothing",
         {record(1, "Someone", "Northern Line", 200, true)},
         TrackSignature{"", "Northern Line", "", std::nullopt},
         0},
        {"nothing at all", {}, song, 0},
    };
    for (const auto& c : cases) {
        const std::optional<LyricsRecord> chosen = chooseRecord(c.records, c.signature);
        EXPECT_EQ(chosen ? chosen->id : 0, c.chosen) << c.what;
    }
}

TEST(OnlineMatch, ARankingKeepsOnlyLengthsThatFit) {
    const std::vector<LyricsRecord> records = {
        record(1, "B", "T", 205, true), record(2, "A", "T", 200, false),
        record(3, "A", "T", 201, true), record(4, "Z", "Q", 199, true)};
    std::vector<std::int64_t> ids;
    for (const LyricsRecord& r : rankRecords(records, TrackSignature{"A", "T", "", 200.0})) {
        ids.push_back(r.id);
    }
    EXPECT_EQ(ids, (std::vector<std::int64_t>{3, 4, 2}));
}

}  // namespace
}  // namespace zor
