// The online step driven through a fake transport: which requests go out, what is saved and
// remembered, and that a failure writes nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "Fakes.h"
#include "OnlineFakes.h"
#include "lyrics/online/OnlineLookup.h"

namespace zor {
namespace {

using test::FakeTransport;
using test::recordJson;
using test::TempFolder;

constexpr std::int64_t kNow = 1'800'000'000;

class OnlineLookupTest : public ::testing::Test {
  protected:
    OnlineOutcome run(const TrackSignature& signature) {
        reloads = 0;
        return lookup.run(OnlineSong{song, signature, ""}, cancel, kNow, [this] { ++reloads; });
    }
    std::vector<std::string> folder() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(temp.path())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    TempFolder temp;
    std::string song = temp.write("song.mp3", "");
    FakeTransport transport;
    MissMemory misses{platformFileSystem(), temp / "misses.txt"};
    OnlineLookup lookup{transport, platformFileSystem(), "http://127.0.0.1:9", &misses};
    CancelFlag cancel{false};
    int reloads = 0;
    const TrackSignature signature{"Ada Park", "Northern Line", "Commute", 200.0};
};

TEST_F(OnlineLookupTest, TheSignatureAnswersFirstAndTheLyricsAreSavedAndReloaded) {
    transport.answer(200, recordJson(1, "Ada Park", "Northern Line", 200.4, "\"[00:01.00]x\""));
    const OnlineOutcome outcome = run(signature);
    EXPECT_EQ(outcome.result, OnlineResult::Found);
    EXPECT_EQ(transport.paths(), std::vector<std::string>{"/api/get"});
    EXPECT_NE(transport.requests[0].url.find("album_name=Commute&duration=200"), std::string::npos);
    EXPECT_EQ(outcome.save.status, FoundSaveStatus::Saved);
    EXPECT_EQ(outcome.save.path, temp / "song.LRC");
    EXPECT_EQ(reloads, 1);
}

TEST_F(OnlineLookupTest, ASignatureMissOrAWrongRecordGoesOnToTheSearch) {
    for (const int status : {404, 400, 200}) {
        transport.requests.clear();
        std::filesystem::remove(temp / "song.TXT");
        transport.answer(
            status, status == 200 ? recordJson(9, "Ada Park", "Northern Line", 260, "\"[00:01]x\"")
                                  : "{\"code\":404}");
        transport.answer(
            200, "[" + recordJson(2, "A Cover Band", "Northern Line", 200, "\"[00:01]c\"") + "," +
                     recordJson(3, "Ada Park", "Northern Line", 201, "null", "\"p\"") + "]");
        const OnlineOutcome outcome = run(signature);
        EXPECT_EQ(outcome.result, OnlineResult::Found) << status;
        EXPECT_EQ(transport.paths(), (std::vector<std::string>{"/api/get", "/api/search"}));
        EXPECT_EQ(transport.requests[1].url.find("album_name"), std::string::npos);
        ASSERT_TRUE(outcome.record);
        EXPECT_EQ(outcome.record->id, 3);
        EXPECT_EQ(outcome.save.path, temp / "song.TXT");
    }
}

TEST_F(OnlineLookupTest, AMissIsRememberedAndNotAskedAgain) {
    transport.answer(404, "{}");
    transport.answer(200,
                     "[" + recordJson(2, "Ada Park", "Northern Line", 230, "\"[00:01]x\"") + "]");
    EXPECT_EQ(run(signature).result, OnlineResult::NotFound);
    EXPECT_EQ(reloads, 0);
    EXPECT_EQ(folder(), (std::vector<std::string>{"misses.txt", "song.mp3"}));

    transport.requests.clear();
    EXPECT_EQ(run(signature).result, OnlineResult::Remembered);
    EXPECT_TRUE(transport.requests.empty());
    // The search by hand ignores the memory.
    transport.answer(200, "[]");
    EXPECT_EQ(lookup.search(signature, cancel).result, OnlineResult::Found);
    EXPECT_EQ(transport.requests.size(), 1U);
}

TEST_F(OnlineLookupTest, AnInstrumentalTrackIsRememberedAndNothingSaved) {
    transport.answer(200, recordJson(4, "Ada Park", "Northern Line", 200, "null", "null", true));
    EXPECT_EQ(run(signature).result, OnlineResult::Instrumental);
    EXPECT_EQ(reloads, 0);
    EXPECT_TRUE(misses.remembers(song, 200, kNow));
    EXPECT_EQ(folder(), (std::vector<std::string>{"misses.txt", "song.mp3"}));
}

TEST_F(OnlineLookupTest, FailuresWriteNothingAndAreNotMisses) {
    const struct {
        const char* what;
        std::function<void(FakeTransport&)> serve;
        OnlineResult result;
    } cases[] = {
        {"no answer", [](FakeTransport& t) { t.fail(HttpFailure::NoAnswer); },
         OnlineResult::Unreachable},
        {"timeout on the search",
         [](FakeTransport& t) {
             t.answer(404, "{}");
             t.fail(HttpFailure::Timeout);
         },
         OnlineResult::Unreachable},
        {"429",
         [](FakeTransport& t) {
             t.answer(429, "{}", {{"Retry-After", "120"}});
         },
         OnlineResult::Busy},
        {"503", [](FakeTransport& t) { t.answer(503, "<html>"); }, OnlineResult::Busy},
        {"a redirect that came back", [](FakeTransport& t) { t.answer(302, ""); },
         OnlineResult::BadAnswer},
        {"malformed", [](FakeTransport& t) { t.answer(200, "{\"id\":"); }, OnlineResult::BadAnswer},
        {"wrong shape on the search",
         [](FakeTransport& t) {
             t.answer(404, "{}");
             t.answer(200, "{\"results\":[]}");
         },
         OnlineResult::BadAnswer},
        {"cancelled", [](FakeTransport& t) { t.fail(HttpFailure::Cancelled); },
         OnlineResult::Cancelled},
    };
    for (const auto& c : cases) {
        transport.answers.clear();
        c.serve(transport);
        const OnlineOutcome outcome = run(signature);
        EXPECT_EQ(outcome.result, c.result) << c.what;
        EXPECT_FALSE(outcome.detail.empty()) << c.what;
        EXPECT_EQ(reloads, 0) << c.what;
        EXPECT_EQ(folder(), std::vector<std::string>{"song.mp3"}) << c.what;
        if (c.result == OnlineResult::Busy && outcome.status == 429) {
            EXPECT_EQ(outcome.retryAfterSeconds, 120);
        }
    }
}

TEST_F(OnlineLookupTest, NothingIsAskedWithoutATitleOrOnceCancelled) {
    EXPECT_EQ(run(TrackSignature{"Ada Park", "", "", 200.0}).result, OnlineResult::NoSignature);
    EXPECT_TRUE(transport.requests.empty());

    cancel = true;
    transport.answer(200, recordJson(1, "Ada Park", "Northern Line", 200, "\"[00:01]x\""));
    EXPECT_EQ(run(signature).result, OnlineResult::Cancelled);
    EXPECT_EQ(reloads, 0);
}

TEST_F(OnlineLookupTest, WithoutAnArtistOnlyTheSearchIsAsked) {
    transport.answer(200,
                     "[" + recordJson(5, "Someone", "Northern Line", 200, "\"[00:01]x\"") + "]");
    EXPECT_EQ(run(TrackSignature{"", "Northern Line", "", 200.0}).result, OnlineResult::Found);
    EXPECT_EQ(transport.paths(), std::vector<std::string>{"/api/search"});
}

TEST_F(OnlineLookupTest, ALyricsFileAlreadyThereIsLoadedNotReplaced) {
    temp.write("song.LRC", "mine");
    transport.answer(200, recordJson(1, "Ada Park", "Northern Line", 200, "\"[00:01]x\""));
    const OnlineOutcome outcome = run(signature);
    EXPECT_EQ(outcome.result, OnlineResult::Found);
    EXPECT_EQ(outcome.save.status, FoundSaveStatus::Exists);
    EXPECT_EQ(reloads, 1);
    std::ifstream file(temp / "song.LRC");
    std::string text;
    std::getline(file, text);
    EXPECT_EQ(text, "mine");
}

}  // namespace
}  // namespace zor
