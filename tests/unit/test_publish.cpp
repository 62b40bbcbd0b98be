// Publishing timed lyrics: the proof of work, what is sent, and the exchange with the service.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>
#include <vector>

#include "Fakes.h"
#include "OnlineFakes.h"
#include "lyrics/online/ProofOfWork.h"
#include "lyrics/online/PublishRequest.h"
#include "lyrics/online/PublishSummary.h"
#include "lyrics/online/PublishText.h"
#include "lyrics/online/Publisher.h"

namespace zor {
namespace {

using test::FakeTransport;

// Worked out apart from this code, with Python's hashlib: the first nonce whose
// sha256(prefix + decimal nonce) is at most the target.
constexpr const char* kPrefix = "VXMwW2qPfW2gkCNSl1i708NJkDghtAyU";
constexpr const char* kTarget = "000fffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff";
constexpr std::uint64_t kFirstNonce = 4145;
constexpr const char* kFirstDigest =
    "000bd62f5d9382ef2f3a466975ddc305a029beb6f2c21bd2ac1f3db865c9733b";

std::string hex(const Sha256Digest& digest) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (const auto byte : digest) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}

Sha256Digest target(const char* text) {
    const auto parsed = parseTarget(text);
    EXPECT_TRUE(parsed.has_value()) << text;
    return parsed.value_or(Sha256Digest{});
}

TEST(ProofOfWorkTest, TheServicesCheckAgreesWithAnIndependentHash) {
    EXPECT_EQ(hex(sha256(std::string(kPrefix) + std::to_string(kFirstNonce))), kFirstDigest);
    EXPECT_TRUE(nonceSolves(kPrefix, kFirstNonce, target(kTarget)));
    EXPECT_FALSE(nonceSolves(kPrefix, kFirstNonce - 1, target(kTarget)));
    // The prefix belongs to the hashed text: another prefix with the same nonce fails.
    EXPECT_FALSE(nonceSolves("another prefix", kFirstNonce, target(kTarget)));
}

TEST(ProofOfWorkTest, TargetsAreSixtyFourHexDigitsComparedAsNumbers) {
    EXPECT_FALSE(parseTarget("").has_value());
    EXPECT_FALSE(parseTarget(std::string(63, 'f')).has_value());
    EXPECT_FALSE(parseTarget(std::string(65, 'f')).has_value());
    EXPECT_FALSE(parseTarget(std::string(63, 'f') + "g").has_value());
    EXPECT_TRUE(parseTarget(std::string(64, 'F')).has_value());

    const Sha256Digest limit =
        target("00ff000000000000000000000000000000000000000000000000000000000000");
    Sha256Digest digest = limit;
    EXPECT_TRUE(meetsTarget(digest, limit)) << "equal to the target is enough";
    digest[31] = 1;
    EXPECT_FALSE(meetsTarget(digest, limit)) << "a low byte above counts";
    digest = limit;
    digest[1] = 0xFE;
    digest[31] = 0xFF;
    EXPECT_TRUE(meetsTarget(digest, limit)) << "a high byte below decides";
}

TEST(ProofOfWorkTest, FindsTheFirstNonceAloneAndASolvingOneOnSeveralThreads) {
    const CancelFlag cancel{false};
    std::atomic<std::uint64_t> hashes{0};
    const auto alone = solveProofOfWork({kPrefix, target(kTarget), 1}, cancel, hashes);
    ASSERT_EQ(alone.result, ProofOfWorkResult::Solved);
    EXPECT_EQ(alone.nonce, kFirstNonce);
    EXPECT_EQ(alone.hashes, kFirstNonce + 1);

    std::atomic<std::uint64_t> shared{0};
    const auto spread = solveProofOfWork({kPrefix, target(kTarget), 3}, cancel, shared);
    ASSERT_EQ(spread.result, ProofOfWorkResult::Solved);
    EXPECT_TRUE(nonceSolves(kPrefix, spread.nonce, target(kTarget)));
}

TEST(ProofOfWorkTest, EndsSoonAfterItIsCancelled) {
    const Sha256Digest impossible{};  // only a digest of zeros would do
    CancelFlag cancel{false};
    std::atomic<std::uint64_t> hashes{0};
    std::thread canceller([&] {
        while (hashes.load() == 0) {
            std::this_thread::yield();
        }
        cancel = true;
    });
    const auto outcome = solveProofOfWork({kPrefix, impossible, 2}, cancel, hashes);
    canceller.join();
    EXPECT_EQ(outcome.result, ProofOfWorkResult::Cancelled);
    EXPECT_GT(outcome.hashes, 0U);

    std::atomic<std::uint64_t> none{0};
    EXPECT_EQ(solveProofOfWork({kPrefix, impossible, 1}, cancel, none).result,
              ProofOfWorkResult::Cancelled);
}

struct TextCase {
    const char* what;
    std::vector<std::string> lines;
    PublishTiming timing;
    const char* synced;
    const char* plain;
};

class PublishTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(PublishTextTest, SendsWhatTheUserSeesTimed) {
    const TextCase& c = GetParam();
    const PublishText text = makePublishText(c.lines, c.timing);
    EXPECT_EQ(text.synced, c.synced) << c.what;
    EXPECT_EQ(text.plain, c.plain) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PublishTextTest,
    ::testing::Values(TextCase{"header tags and untimed credits are left out",
                               {"[ti:Song]", "[ar:Band]", "[by:someone]", "credits",
                                "[00:01.00]one", "[00:02.50]two"},
                               {},
                               "[00:01.00]one\n[00:02.50]two\n",
                               "one\ntwo\n"},
                      TextCase{"word tags are left out: the service stores line timing",
                               {"[00:01.00]<00:01.00>Hel<00:01.50>lo <00:02.00>you"},
                               {},
                               "[00:01.00]Hello you\n",
                               "Hello you\n"},
                      TextCase{"a line with several tags is sent once per tag, in time order",
                               {"[00:10.00][00:30.00]chorus", "[00:20.00]verse"},
                               {},
                               "[00:10.00]chorus\n[00:20.00]verse\n[00:30.00]chorus\n",
                               "chorus\nverse\nchorus\n"},
                      TextCase{"the file's offset is baked in and its tag not sent",
                               {"[offset:500]", "[00:01.00]one", "[00:02.00]two"},
                               {},
                               "[00:00.50]one\n[00:01.50]two\n",
                               "one\ntwo\n"},
                      TextCase{"latency shows later, the live adjustment earlier",
                               {"[00:10.00]one"},
                               {250, 100},
                               "[00:10.15]one\n",
                               "one\n"},
                      TextCase{"times never go below zero, and round to the nearest hundredth",
                               {"[offset:2000]", "[00:01.00]early", "[00:03.004]late"},
                               {5, 0},
                               "[00:00.00]early\n[00:01.01]late\n",
                               "early\nlate\n"},
                      TextCase{"an empty timed line stays, as the pause it marks",
                               {"[00:01.00]one", "[00:02.00]", "[00:03.00]three"},
                               {},
                               "[00:01.00]one\n[00:02.00]\n[00:03.00]three\n",
                               "one\n\nthree\n"},
                      TextCase{"minutes past an hour keep counting",
                               {"[75:01.20]late"},
                               {},
                               "[75:01.20]late\n",
                               "late\n"}));

TEST(PublishTextTest, CountsTheTimedLinesAndSendsNothingForUntimedText) {
    EXPECT_EQ(makePublishText({"[00:01]a", "[00:02]b", "[00:03]c"}, {}).timedLines, 3);
    const PublishText untimed = makePublishText({"just", "words"}, {});
    EXPECT_EQ(untimed.timedLines, 0);
    EXPECT_EQ(untimed.synced, "");
}

// Display mode publishes the song's lyrics as written, found by the ordinary lookup: the
// alternative folder first, tags and all, and nothing for a song without lyrics.
TEST(PublishTextTest, ReadsTheSongsLyricsAsWrittenThroughTheLookup) {
    test::TempFolder dir;
    test::FakeHostLink host;
    AppSettings settings;
    settings.AlternativeLRCPath = dir / "alt";
    const std::string song = dir.write("music/Song.mp3", "");
    dir.write("music/Song.lrc", "[00:09.00]beside the song\r\n");
    dir.write("alt/Song.lrc", "[ti:Song]\r\n[offset:100]\r\n[00:01.00]<00:01.00>one\r\n");
    const std::vector<std::string> lines = songRawLines(settings, host, platformFileSystem(), song);
    // Edit mode's lines, its empty last one too.
    EXPECT_EQ(lines, (std::vector<std::string>{"[ti:Song]", "[offset:100]",
                                               "[00:01.00]<00:01.00>one", ""}));
    EXPECT_EQ(makePublishText(lines, {}).synced, "[00:00.90]one\n");

    const std::string bare = dir.write("music/Bare.wav", "");
    EXPECT_EQ(
        makePublishText(songRawLines(settings, host, platformFileSystem(), bare), {}).timedLines,
        0);
}

TEST(PublishSummaryTest, ShowsTheFirstLinesAndCountsThem) {
    const PublishText text = makePublishText(
        {"[00:01]a", "[00:02]b", "[00:03]c", "[00:04]d", "[00:05]e", "[00:06]f"}, {});
    EXPECT_EQ(publishPreview(text),
              "[00:01.00]a\n[00:02.00]b\n[00:03.00]c\n[00:04.00]d\n"
              "[00:05.00]e\n");
    EXPECT_EQ(publishPreview(text, 2), "[00:01.00]a\n[00:02.00]b\n");
    EXPECT_EQ(timedLinesText(text.timedLines), "6 timed lines");
    EXPECT_EQ(timedLinesText(1), "1 timed line");
}

TEST(PublishSummaryTest, TakesDurationsAsSecondsAndRefusesTheRest) {
    struct Case {
        const char* text;
        std::optional<double> seconds;
    };
    const Case cases[] = {
        {"214", 214.0},
        {"214.5", 214.5},
        {"0.25", 0.25},
        {"86400", 86400.0},
        {"0", std::nullopt},
        {"", std::nullopt},
        {"-3", std::nullopt},
        {"3.", std::nullopt},
        {".5", std::nullopt},
        {"3:20", std::nullopt},
        {"1e3", std::nullopt},
        {"86401", std::nullopt},
        {"12345678901", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseSeconds(c.text), c.seconds) << c.text;
    }
    EXPECT_EQ(secondsText(214.0), "214");
    EXPECT_EQ(secondsText(214.5), "214.5");
    EXPECT_EQ(secondsText(0), "");
    EXPECT_EQ(parseSeconds(secondsText(200.125)), 200.125);
}

TEST(PublishSummaryTest, RefusesASongWithoutArtistTitleOrDuration) {
    EXPECT_EQ(publishTrackProblem({"Band", "Song", "", 200}), "");
    EXPECT_EQ(publishTrackProblem({"", "Song", "Album", 200}), "An artist is needed");
    EXPECT_EQ(publishTrackProblem({"Band", "", "Album", 200}), "A title is needed");
    EXPECT_EQ(publishTrackProblem({"Band", "Song", "Album", 0}),
              "The duration is a number of seconds");
}

TEST(PublishSummaryTest, ProgressCountsWholeMillions) {
    EXPECT_EQ(publishProgressText(999999), "Publishing to lrclib.net\xE2\x80\xA6");
    EXPECT_EQ(publishProgressText(12500000), "Publishing to lrclib.net\xE2\x80\xA6 12 M hashes");
}

TEST(PublishRequestTest, ReadsChallengesAndRefusesWrongShapes) {
    const auto good =
        parseChallengeAnswer(std::string(R"({"prefix":"abc","target":")") + kTarget + "\"}");
    ASSERT_TRUE(good.challenge.has_value()) << good.error;
    EXPECT_EQ(good.challenge->prefix, "abc");
    EXPECT_EQ(hex(good.challenge->target), kTarget);
    for (const char* bad :
         {"", "[]", "not json", R"({"prefix":"abc"})", R"({"prefix":5,"target":"00"})",
          R"({"prefix":"","target":"00"})", R"({"prefix":"abc","target":"00ff"})"}) {
        const auto answer = parseChallengeAnswer(bad);
        EXPECT_FALSE(answer.challenge.has_value()) << bad;
        EXPECT_FALSE(answer.error.empty()) << bad;
    }
}

TEST(PublishRequestTest, SendsEveryFieldWithTheTokenOfThePrefixAndNonce) {
    const PublishText text{"[00:01.00]one\n", "one\n", 1};
    const HttpRequest request =
        PublishRequest("http://127.0.0.1:1/").publish({"Band", "Song", "", 187.5}, text, "pre", 42);
    EXPECT_EQ(request.method, HttpMethod::Post);
    EXPECT_EQ(request.url, "http://127.0.0.1:1/api/publish");
    bool token = false;
    for (const auto& header : request.headers) {
        token = token || (header.name == "X-Publish-Token" && header.value == "pre:42");
    }
    EXPECT_TRUE(token);
    const auto body = nlohmann::json::parse(request.body);
    EXPECT_EQ(body.at("trackName"), "Song");
    EXPECT_EQ(body.at("artistName"), "Band");
    EXPECT_EQ(body.at("albumName"), "") << "an unknown album is sent empty, not left out";
    EXPECT_EQ(body.at("duration"), 187.5);
    EXPECT_EQ(body.at("plainLyrics"), "one\n");
    EXPECT_EQ(body.at("syncedLyrics"), "[00:01.00]one\n");
}

std::string challengeJson() {
    return std::string(R"({"prefix":")") + kPrefix + R"(","target":")" + kTarget + "\"}";
}

std::string header(const HttpRequest& request, const std::string& name) {
    for (const auto& h : request.headers) {
        if (h.name == name) {
            return h.value;
        }
    }
    return {};
}

class PublisherTest : public ::testing::Test {
  protected:
    PublishOutcome publish(std::chrono::steady_clock::duration lifetime = kChallengeLifetime) {
        Publisher publisher(transport, "http://127.0.0.1:9", 1, lifetime);
        return publisher.publish({"Band", "Song", "Album", 100}, {"[00:01.00]a\n", "a\n", 1},
                                 cancel, hashes);
    }

    FakeTransport transport;
    CancelFlag cancel{false};
    std::atomic<std::uint64_t> hashes{0};
};

TEST_F(PublisherTest, SolvesTheChallengeAndSendsASolvingToken) {
    transport.answer(200, challengeJson());
    transport.answer(201, "");
    const PublishOutcome outcome = publish();
    EXPECT_EQ(outcome.result, PublishResult::Published);
    EXPECT_EQ(publishOutcomeText(outcome), "Published to lrclib.net");
    ASSERT_EQ(transport.requests.size(), 2U);
    EXPECT_EQ(transport.requests[0].url, "http://127.0.0.1:9/api/request-challenge");
    const std::string token = header(transport.requests[1], "X-Publish-Token");
    const auto colon = token.rfind(':');
    ASSERT_NE(colon, std::string::npos);
    EXPECT_EQ(token.substr(0, colon), kPrefix);
    EXPECT_TRUE(nonceSolves(kPrefix, std::stoull(token.substr(colon + 1)), target(kTarget)));
    EXPECT_EQ(outcome.hashes, kFirstNonce + 1);
}

TEST_F(PublisherTest, NamesEachWayItCanFail) {
    struct Case {
        const char* what;
        std::function<void(FakeTransport&)> answers;
        PublishResult result;
        const char* text;
    };
    const std::vector<Case> cases = {
        {"the service's words for a refused token",
         [](FakeTransport& t) {
             t.answer(200, challengeJson());
             t.answer(400, R"({"code":400,"name":"IncorrectPublishToken","message":"bad token"})");
         },
         PublishResult::Refused, "lrclib.net: bad token"},
        {"no server", [](FakeTransport& t) { t.fail(HttpFailure::NoAnswer); },
         PublishResult::Unreachable, "lrclib.net: no answer"},
        {"a busy service", [](FakeTransport& t) { t.answer(429, ""); }, PublishResult::Busy,
         "lrclib.net: busy (429)"},
        {"a challenge of the wrong shape", [](FakeTransport& t) { t.answer(200, "[]"); },
         PublishResult::BadAnswer, "lrclib.net: the challenge is not an object"},
        {"a publish answered oddly",
         [](FakeTransport& t) {
             t.answer(200, challengeJson());
             t.answer(302, "");
         },
         PublishResult::BadAnswer, "lrclib.net: publish answered 302"},
    };
    for (const Case& c : cases) {
        transport = FakeTransport();
        c.answers(transport);
        const PublishOutcome outcome = publish();
        EXPECT_EQ(outcome.result, c.result) << c.what;
        EXPECT_EQ(publishOutcomeText(outcome), c.text) << c.what;
    }
}

TEST_F(PublisherTest, AsksOnceMoreWhenTheChallengeExpiresWhileSolving) {
    transport.answer(200, challengeJson());
    transport.answer(200, challengeJson());
    const PublishOutcome outcome = publish(std::chrono::steady_clock::duration::zero());
    EXPECT_EQ(outcome.result, PublishResult::Expired);
    EXPECT_EQ(outcome.challenges, 2);
    for (const auto& request : transport.requests) {
        EXPECT_EQ(request.url.find("/api/publish"), std::string::npos)
            << "an expired token is not sent";
    }
}

TEST_F(PublisherTest, SendsNothingOnceCancelled) {
    cancel = true;
    transport.answer(200, challengeJson());
    EXPECT_EQ(publish().result, PublishResult::Cancelled);
}

}  // namespace
}  // namespace zor
