#include "lyrics/online/LrclibRequest.h"

#include <cmath>

#include "lyrics/online/ServiceRequest.h"
#include "lyrics/text/Utf8.h"

namespace zor {

namespace {

bool isUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

// "&name=value", or nothing for an empty value.
std::string queryPart(const char* name, const std::string& value) {
    if (value.empty()) {
        return {};
    }
    return std::string("&") + name + "=" + percentEncode(value);
}

// The query without its first '&', after a '?'.
std::string query(std::string parts) {
    if (!parts.empty()) {
        parts[0] = '?';
    }
    return parts;
}

}  // namespace

std::string percentEncode(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    const std::string valid = toValidUtf8(text);
    std::string encoded;
    encoded.reserve(valid.size() * 3);
    for (const char c : valid) {
        const auto byte = static_cast<unsigned char>(c);
        if (isUnreserved(byte)) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0x0F];
        }
    }
    return encoded;
}

LrclibRequest::LrclibRequest(std::string server) : server_(serviceRoot(std::move(server))) {}

HttpRequest LrclibRequest::getRequest(const std::string& target) const {
    return serviceRequest(HttpMethod::Get, server_, target);
}

HttpRequest LrclibRequest::get(const TrackSignature& signature) const {
    std::string parts = queryPart("artist_name", signature.artist) +
                        queryPart("track_name", signature.title) +
                        queryPart("album_name", signature.album);
    if (signature.durationSeconds && std::isfinite(*signature.durationSeconds) &&
        *signature.durationSeconds >= 0) {
        parts += "&duration=" + std::to_string(std::llround(*signature.durationSeconds));
    }
    return getRequest("/api/get" + query(parts));
}

HttpRequest LrclibRequest::search(const TrackSignature& signature) const {
    return getRequest("/api/search" + query(queryPart("track_name", signature.title) +
                                            queryPart("artist_name", signature.artist) +
                                            queryPart("album_name", signature.album)));
}

HttpRequest LrclibRequest::record(std::int64_t id) const {
    return getRequest("/api/get/" + std::to_string(id));
}

}  // namespace zor
