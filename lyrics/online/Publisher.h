#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>

#include "lyrics/online/ProofOfWork.h"
#include "lyrics/online/PublishRequest.h"
#include "lyrics/online/PublishText.h"
#include "lyrics/ports/HttpTransport.h"

// A whole publish: ask for a challenge, solve it, send the lyrics with the token. Blocks for the
// seconds the proof of work takes; the plug-in runs it on its worker, zorlyrics in the
// foreground. Nothing local is touched.
namespace zor {

enum class PublishResult {
    Published,    // 201: the service took the lyrics
    Refused,      // 400: the service said why (message)
    Expired,      // the challenge ran out while solving, twice
    Unreachable,  // the transport failed (failure)
    Busy,         // 429 or 5xx
    BadAnswer,    // an answer that is not what the service documents
    Cancelled,    // the caller gave up
    NoHasher,     // the system's SHA-256 could not be had
};

struct PublishOutcome {
    PublishResult result = PublishResult::Cancelled;
    HttpFailure failure = HttpFailure::None;
    int status = 0;
    std::string message;       // the service's words, or a short reason
    std::uint64_t hashes = 0;  // tried over all challenges
    int challenges = 0;        // asked for
};

// How long the service keeps a challenge's token valid.
inline constexpr std::chrono::seconds kChallengeLifetime{300};

class Publisher {
  public:
    Publisher(HttpTransport& transport, std::string server, unsigned threads,
              std::chrono::steady_clock::duration challengeLifetime = kChallengeLifetime);

    // hashes counts as the search goes, for a progress line read from another thread.
    PublishOutcome publish(const PublishTrack& track, const PublishText& text,
                           const CancelFlag& cancel, std::atomic<std::uint64_t>& hashes);

  private:
    HttpTransport& transport_;
    PublishRequest requests_;
    unsigned threads_;
    std::chrono::steady_clock::duration lifetime_;
};

// A few words for the title strip or standard error: "Published to lrclib.net", the service's
// message, "lrclib.net: no answer", ...
std::string publishOutcomeText(const PublishOutcome& outcome);

// The progress line while the proof of work runs: "Publishing to lrclib.net…", and from the
// first million hashes on "Publishing to lrclib.net… 12 M hashes".
std::string publishProgressText(std::uint64_t hashes);

}  // namespace zor
