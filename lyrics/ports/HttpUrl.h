#pragma once

#include <optional>
#include <string>

// The parts of an http(s) address that decide whether it may be asked at all. Shared by every
// transport, so the rule is the same on every platform.
namespace zor {

struct HttpUrl {
    std::string scheme;  // lower case: "http" or "https"
    std::string host;    // lower case, without the brackets of an IPv6 address
    int port = 0;        // 0 when the address names none
    std::string target;  // path and query, "/" when empty
};

// None when the text is not an http or https address with a host.
std::optional<HttpUrl> parseHttpUrl(const std::string& url);

// localhost, 127.0.0.0/8 or ::1: a name that can only mean this machine.
bool isLoopbackHost(const std::string& host);

enum class UrlVerdict { Allowed, Unparsable, RefusedScheme };

// https anywhere; plain http only to this machine. With loopbackOnly (tests), nothing but this
// machine, whatever the scheme.
UrlVerdict judgeUrl(const std::string& url, bool loopbackOnly);

}  // namespace zor
