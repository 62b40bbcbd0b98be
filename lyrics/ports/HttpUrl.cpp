#include "lyrics/ports/HttpUrl.h"

#include <cctype>

namespace zor {

namespace {

std::string lowerCase(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

bool allDigits(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

// 127.a.b.c with every part a number up to 255.
bool isLoopbackIpv4(const std::string& host) {
    int parts = 0;
    std::size_t start = 0;
    while (start <= host.size()) {
        const std::size_t dot = host.find('.', start);
        const std::string part =
            host.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        if (!allDigits(part) || part.size() > 3 || std::stoi(part) > 255) {
            return false;
        }
        if (parts == 0 && part != "127") {
            return false;
        }
        ++parts;
        if (dot == std::string::npos) {
            break;
        }
        start = dot + 1;
    }
    return parts == 4;
}

}  // namespace

std::optional<HttpUrl> parseHttpUrl(const std::string& url) {
    const std::size_t schemeEnd = url.find("://");
    if (schemeEnd == std::string::npos) {
        return std::nullopt;
    }
    HttpUrl parts;
    parts.scheme = lowerCase(url.substr(0, schemeEnd));
    if (parts.scheme != "http" && parts.scheme != "https") {
        return std::nullopt;
    }
    const std::size_t authorityStart = schemeEnd + 3;
    const std::size_t authorityEnd = url.find_first_of("/?#", authorityStart);
    std::string authority = url.substr(authorityStart, authorityEnd == std::string::npos
                                                           ? std::string::npos
                                                           : authorityEnd - authorityStart);
    if (authority.find('@') != std::string::npos) {
        return std::nullopt;  // credentials in the address only hide where it really goes
    }
    std::string portText;
    if (!authority.empty() && authority[0] == '[') {
        const std::size_t close = authority.find(']');
        if (close == std::string::npos) {
            return std::nullopt;
        }
        parts.host = authority.substr(1, close - 1);
        const std::string rest = authority.substr(close + 1);
        if (!rest.empty()) {
            if (rest[0] != ':') {
                return std::nullopt;
            }
            portText = rest.substr(1);
        }
    } else {
        const std::size_t colon = authority.find(':');
        parts.host = authority.substr(0, colon);
        if (colon != std::string::npos) {
            portText = authority.substr(colon + 1);
        }
    }
    parts.host = lowerCase(parts.host);
    if (parts.host.empty()) {
        return std::nullopt;
    }
    if (!portText.empty()) {
        if (!allDigits(portText) || portText.size() > 5 || std::stoi(portText) > 65535 ||
            std::stoi(portText) == 0) {
            return std::nullopt;
        }
        parts.port = std::stoi(portText);
    }
    parts.target = authorityEnd == std::string::npos ? "/" : url.substr(authorityEnd);
    if (parts.target.empty() || parts.target[0] != '/') {
        parts.target.insert(0, "/");
    }
    return parts;
}

bool isLoopbackHost(const std::string& host) {
    const std::string name = lowerCase(host);
    return name == "localhost" || name == "::1" || isLoopbackIpv4(name);
}

UrlVerdict judgeUrl(const std::string& url, bool loopbackOnly) {
    const std::optional<HttpUrl> parts = parseHttpUrl(url);
    if (!parts) {
        return UrlVerdict::Unparsable;
    }
    const bool loopback = isLoopbackHost(parts->host);
    if (loopbackOnly && !loopback) {
        return UrlVerdict::RefusedScheme;
    }
    if (parts->scheme == "http" && !loopback) {
        return UrlVerdict::RefusedScheme;
    }
    return UrlVerdict::Allowed;
}

}  // namespace zor
