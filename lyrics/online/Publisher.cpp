#include "lyrics/online/Publisher.h"

namespace zor {

namespace {

constexpr int kCreated = 201;
constexpr int kBadRequest = 400;
constexpr int kTooManyRequests = 429;

// An answer that decides nothing by itself: a failed transfer, a busy service.
bool failedExchange(const HttpResponse& response, PublishOutcome& outcome) {
    if (!response.ok()) {
        outcome.result = response.failure == HttpFailure::Cancelled ? PublishResult::Cancelled
                                                                    : PublishResult::Unreachable;
        outcome.failure = response.failure;
        outcome.message = failureName(response.failure);
        return true;
    }
    outcome.status = response.status;
    if (response.status == kTooManyRequests || response.status >= 500) {
        outcome.result = PublishResult::Busy;
        outcome.message = "busy (" + std::to_string(response.status) + ")";
        return true;
    }
    return false;
}

}  // namespace

Publisher::Publisher(HttpTransport& transport, std::string server, unsigned threads,
                     std::chrono::steady_clock::duration challengeLifetime)
    : transport_(transport),
      requests_(std::move(server)),
      threads_(threads),
      lifetime_(challengeLifetime) {}

PublishOutcome Publisher::publish(const PublishTrack& track, const PublishText& text,
                                  const CancelFlag& cancel, std::atomic<std::uint64_t>& hashes) {
    PublishOutcome outcome;
    // A challenge that runs out while it is being solved is asked for once more.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const HttpResponse asked = transport_.send(requests_.challenge(), cancel);
        ++outcome.challenges;
        if (failedExchange(asked, outcome)) {
            outcome.hashes = hashes.load();
            return outcome;
        }
        const ChallengeAnswer answer = parseChallengeAnswer(asked.body);
        if (asked.status != 200 || !answer.challenge) {
            outcome.result = PublishResult::BadAnswer;
            outcome.message = asked.status != 200
                                  ? "challenge answered " + std::to_string(asked.status)
                                  : answer.error;
            outcome.hashes = hashes.load();
            return outcome;
        }
        const auto askedAt = std::chrono::steady_clock::now();
        const ProofOfWorkOutcome solved = solveProofOfWork(
            {answer.challenge->prefix, answer.challenge->target, threads_}, cancel, hashes);
        outcome.hashes = hashes.load();
        if (solved.result == ProofOfWorkResult::Cancelled) {
            outcome.result = PublishResult::Cancelled;
            outcome.message = "cancelled";
            return outcome;
        }
        if (solved.result == ProofOfWorkResult::NoHasher) {
            outcome.result = PublishResult::NoHasher;
            outcome.message = "no SHA-256 on this system";
            return outcome;
        }
        if (std::chrono::steady_clock::now() - askedAt >= lifetime_) {
            outcome.result = PublishResult::Expired;
            outcome.message = "the challenge expired";
            continue;
        }
        const HttpResponse sent = transport_.send(
            requests_.publish(track, text, answer.challenge->prefix, solved.nonce), cancel);
        if (failedExchange(sent, outcome)) {
            return outcome;
        }
        if (sent.status == kCreated) {
            outcome.result = PublishResult::Published;
            outcome.message = "published";
        } else if (sent.status == kBadRequest) {
            outcome.result = PublishResult::Refused;
            outcome.message = serviceMessage(sent.body).value_or("the service refused it (400)");
        } else {
            outcome.result = PublishResult::BadAnswer;
            outcome.message = "publish answered " + std::to_string(sent.status);
        }
        return outcome;
    }
    return outcome;
}

std::string publishOutcomeText(const PublishOutcome& outcome) {
    if (outcome.result == PublishResult::Published) {
        return "Published to lrclib.net";
    }
    if (outcome.result == PublishResult::Cancelled) {
        return "Publishing cancelled";
    }
    return "lrclib.net: " + outcome.message;
}

std::string publishProgressText(std::uint64_t hashes) {
    std::string text = "Publishing to lrclib.net\xE2\x80\xA6";
    const std::uint64_t millions = hashes / 1000000;
    if (millions > 0) {
        text += " " + std::to_string(millions) + " M hashes";
    }
    return text;
}

}  // namespace zor
