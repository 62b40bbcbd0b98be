// The online requests: addresses, percent-encoding, and the rule on which servers may be asked.
#include <gtest/gtest.h>

#include "lyrics/online/LrclibRequest.h"
#include "lyrics/ports/HttpUrl.h"

namespace zor {
namespace {

TEST(OnlineRequest, PercentEncodingKeepsOnlyUnreservedBytes) {
    const struct {
        std::string text;
        std::string encoded;
    } cases[] = {
        {"Abc-09._~", "Abc-09._~"},
        {"a b&c=d?e/f#g+h", "a%20b%26c%3Dd%3Fe%2Ff%23g%2Bh"},
        {"Zo\xC3\xAB", "Zo%C3%AB"},
        {"\xE2\x80\x99", "%E2%80%99"},
        {"caf\xE9", "caf%EF%BF%BD"},  // not UTF-8: the stray byte becomes U+FFFD
        {"%", "%25"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(percentEncode(c.text), c.encoded) << c.text;
    }
}

TEST(OnlineRequest, UrlsCarryOnlyWhatIsKnown) {
    const LrclibRequest requests("http://127.0.0.1:8080/");
    const TrackSignature full{"AC/DC", "T.N.T.", "High Voltage", 214.6};
    EXPECT_EQ(requests.get(full).url,
              "http://127.0.0.1:8080/api/get?artist_name=AC%2FDC&track_name=T.N.T.&album_name="
              "High%20Voltage&duration=215");
    EXPECT_EQ(requests.get(TrackSignature{"A", "T", "", std::nullopt}).url,
              "http://127.0.0.1:8080/api/get?artist_name=A&track_name=T");
    EXPECT_EQ(requests.search(TrackSignature{"", "T", "", 100.0}).url,
              "http://127.0.0.1:8080/api/search?track_name=T");
    EXPECT_EQ(requests.record(42).url, "http://127.0.0.1:8080/api/get/42");

    const HttpRequest request = requests.get(full);
    EXPECT_EQ(request.method, HttpMethod::Get);
    EXPECT_EQ(request.limits.connectMs, 5000);
    EXPECT_EQ(request.limits.totalMs, 15000);
    EXPECT_EQ(request.limits.maxBodyBytes, 4U * 1024 * 1024);
    HttpResponse headers;
    headers.headers = request.headers;
    EXPECT_EQ(headers.header("user-agent"), "ZorLyrics/2.0");
    EXPECT_EQ(headers.header("LRCLIB-CLIENT"), "ZorLyrics/2.0");
}

TEST(OnlineRequest, PlainHttpOnlyToThisMachine) {
    const struct {
        std::string url;
        UrlVerdict anywhere;
        UrlVerdict loopbackOnly;
    } cases[] = {
        {"https://lrclib.net", UrlVerdict::Allowed, UrlVerdict::RefusedScheme},
        {"HTTPS://LRCLIB.NET/api/get", UrlVerdict::Allowed, UrlVerdict::RefusedScheme},
        {"http://lrclib.net", UrlVerdict::RefusedScheme, UrlVerdict::RefusedScheme},
        {"http://127.0.0.1:9/", UrlVerdict::Allowed, UrlVerdict::Allowed},
        {"http://127.255.0.3", UrlVerdict::Allowed, UrlVerdict::Allowed},
        {"http://localhost:80", UrlVerdict::Allowed, UrlVerdict::Allowed},
        {"https://LocalHost:443", UrlVerdict::Allowed, UrlVerdict::Allowed},
        {"http://[::1]:8080/x", UrlVerdict::Allowed, UrlVerdict::Allowed},
        {"http://128.0.0.1", UrlVerdict::RefusedScheme, UrlVerdict::RefusedScheme},
        {"http://127.0.0.1.example.com", UrlVerdict::RefusedScheme, UrlVerdict::RefusedScheme},
        {"http://127.0.0.256", UrlVerdict::RefusedScheme, UrlVerdict::RefusedScheme},
        {"http://localhost.example.com", UrlVerdict::RefusedScheme, UrlVerdict::RefusedScheme},
        {"http://[::2]", UrlVerdict::RefusedScheme, UrlVerdict::RefusedScheme},
        {"http://127.0.0.1@lrclib.net/", UrlVerdict::Unparsable, UrlVerdict::Unparsable},
        {"ftp://127.0.0.1", UrlVerdict::Unparsable, UrlVerdict::Unparsable},
        {"lrclib.net", UrlVerdict::Unparsable, UrlVerdict::Unparsable},
        {"http://:80", UrlVerdict::Unparsable, UrlVerdict::Unparsable},
        {"http://localhost:99999", UrlVerdict::Unparsable, UrlVerdict::Unparsable},
        {"http://[::1", UrlVerdict::Unparsable, UrlVerdict::Unparsable},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(judgeUrl(c.url, false), c.anywhere) << c.url;
        EXPECT_EQ(judgeUrl(c.url, true), c.loopbackOnly) << c.url;
    }
}

}  // namespace
}  // namespace zor
