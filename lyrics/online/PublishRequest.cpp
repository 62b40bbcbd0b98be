#include "lyrics/online/PublishRequest.h"

#include <nlohmann/json.hpp>

#include "lyrics/online/ProofOfWork.h"
#include "lyrics/online/ServiceRequest.h"
#include "lyrics/text/Utf8.h"

namespace zor {

namespace {

using Json = nlohmann::json;

// The service reads the challenge's texts back byte for byte, so nothing in them is changed:
// a prefix that is not a plain text is refused rather than mended.
std::optional<std::string> stringField(const Json& object, const char* name) {
    const auto found = object.find(name);
    if (found == object.end() || !found->is_string()) {
        return std::nullopt;
    }
    return found->get<std::string>();
}

}  // namespace

ChallengeAnswer parseChallengeAnswer(std::string_view body) {
    ChallengeAnswer answer;
    const Json json = Json::parse(body.begin(), body.end(), nullptr, false);
    if (json.is_discarded()) {
        answer.error = "the challenge is not JSON";
        return answer;
    }
    if (!json.is_object()) {
        answer.error = "the challenge is not an object";
        return answer;
    }
    const auto prefix = stringField(json, "prefix");
    const auto target = stringField(json, "target");
    if (!prefix || prefix->empty() || !isValidUtf8(*prefix)) {
        answer.error = "the challenge has no usable 'prefix'";
        return answer;
    }
    const auto digest = target ? parseTarget(*target) : std::nullopt;
    if (!digest) {
        answer.error = "the challenge's 'target' is not 64 hexadecimal digits";
        return answer;
    }
    answer.challenge = PublishChallenge{*prefix, *digest};
    return answer;
}

std::string publishBody(const PublishTrack& track, const PublishText& text) {
    Json body = {
        {"trackName", toValidUtf8(track.title)},  {"artistName", toValidUtf8(track.artist)},
        {"albumName", toValidUtf8(track.album)},  {"duration", track.durationSeconds},
        {"plainLyrics", toValidUtf8(text.plain)}, {"syncedLyrics", toValidUtf8(text.synced)},
    };
    return body.dump();
}

std::optional<std::string> serviceMessage(std::string_view body) {
    const Json json = Json::parse(body.begin(), body.end(), nullptr, false);
    if (json.is_discarded() || !json.is_object()) {
        return std::nullopt;
    }
    auto message = stringField(json, "message");
    if (!message || message->empty()) {
        return std::nullopt;
    }
    return toValidUtf8(*message);
}

PublishRequest::PublishRequest(std::string server) : server_(serviceRoot(std::move(server))) {}

HttpRequest PublishRequest::post(const std::string& target) const {
    return serviceRequest(HttpMethod::Post, server_, target);
}

HttpRequest PublishRequest::challenge() const {
    return post("/api/request-challenge");
}

HttpRequest PublishRequest::publish(const PublishTrack& track, const PublishText& text,
                                    const std::string& prefix, std::uint64_t nonce) const {
    HttpRequest request = post("/api/publish");
    request.headers.push_back({"Content-Type", "application/json"});
    request.headers.push_back({"X-Publish-Token", prefix + ":" + std::to_string(nonce)});
    request.body = publishBody(track, text);
    return request;
}

}  // namespace zor
