#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "lyrics/online/PublishText.h"
#include "lyrics/ports/HttpTransport.h"
#include "lyrics/ports/Sha256.h"

// The service's write side: a challenge to solve, then the lyrics with the solved token.
namespace zor {

struct PublishChallenge {
    std::string prefix;
    Sha256Digest target{};
};

struct ChallengeAnswer {
    std::optional<PublishChallenge> challenge;
    std::string error;  // why there is none; empty with one
};

// The body of /api/request-challenge: {"prefix": "…", "target": "<64 hex digits>"}.
ChallengeAnswer parseChallengeAnswer(std::string_view body);

// What a publish sends besides the lyrics: the song as the user confirmed it.
struct PublishTrack {
    std::string artist;
    std::string title;
    std::string album;
    double durationSeconds = 0;
};

// The JSON body of /api/publish, every field present; empty lyrics mark an instrumental.
std::string publishBody(const PublishTrack& track, const PublishText& text);

// The service's own words on a refused publish ({"message": "…"}), or nothing.
std::optional<std::string> serviceMessage(std::string_view body);

class PublishRequest {
  public:
    explicit PublishRequest(std::string server);

    HttpRequest challenge() const;
    HttpRequest publish(const PublishTrack& track, const PublishText& text,
                        const std::string& prefix, std::uint64_t nonce) const;

  private:
    HttpRequest post(const std::string& target) const;

    std::string server_;
};

}  // namespace zor
