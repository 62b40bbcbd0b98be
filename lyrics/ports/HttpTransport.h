#pragma once

#include <atomic>
#include <cstddef>
#include <string>
#include <vector>

// The network as the core sees it: one request out, one answer back, within explicit limits.
// Windows: WinHTTP; elsewhere libcurl. Every way a transfer can fail has its own name, so the
// caller can say what went wrong and decide whether to try again later.
namespace zor {

enum class HttpMethod { Get, Post };

struct HttpHeader {
    std::string name;
    std::string value;
};

struct HttpLimits {
    int connectMs = 5000;                        // until the connection (and TLS) is up
    int totalMs = 15000;                         // the whole exchange, redirects included
    std::size_t maxBodyBytes = 4 * 1024 * 1024;  // a longer answer is refused, not cut
    int maxRedirects = 3;                        // more is a loop
};

struct HttpRequest {
    HttpMethod method = HttpMethod::Get;
    std::string url;
    std::vector<HttpHeader> headers;
    std::string body;  // sent with a POST only
    HttpLimits limits;
};

enum class HttpFailure {
    None,                 // an answer came: look at its status
    BadUrl,               // the address cannot be parsed
    RefusedScheme,        // not https, or plain http to a host that is not this machine
    NoAnswer,             // the name did not resolve, or nobody accepted the connection
    Timeout,              // a limit on time ran out
    TooLarge,             // the answer is longer than the size limit
    TlsFailure,           // the secure channel could not be set up
    CertificateRejected,  // the server's certificate is not trusted or names another host
    RedirectLoop,         // more redirects than the limit allows
    Cancelled,            // the caller's cancellation flag was set
    BrokenAnswer,         // the connection ended mid-answer, or the answer is not HTTP
    Internal,             // the transport itself failed (out of memory, a library error)
};

// A short fixed name for logs and messages: "timeout", "too large", ...
const char* failureName(HttpFailure failure);

struct HttpResponse {
    HttpFailure failure = HttpFailure::None;
    int status = 0;                   // the last answer's status, when failure is None
    std::vector<HttpHeader> headers;  // the last answer's, names as sent
    std::string body;
    std::string detail;  // the transport's own words on a failure, for a trace

    bool ok() const { return failure == HttpFailure::None; }
    // The first header of that name, compared without regard to case; empty when absent.
    std::string header(const std::string& name) const;
};

// Set from any thread; a transfer that sees it ends quickly with Cancelled.
using CancelFlag = std::atomic<bool>;

class HttpTransport {
  public:
    virtual ~HttpTransport() = default;
    // Blocks until the answer is complete, a limit is reached or cancel is set. Never throws.
    virtual HttpResponse send(const HttpRequest& request, const CancelFlag& cancel) = 0;
};

}  // namespace zor
