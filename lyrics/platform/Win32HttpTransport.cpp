#include "lyrics/platform/Win32HttpTransport.h"

#include <windows.h>
#include <winhttp.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <optional>

#include "lyrics/platform/WideText.h"
#include "lyrics/ports/HttpUrl.h"

#ifndef WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY
#define WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY 4
#endif

namespace zor {

namespace {

using Clock = std::chrono::steady_clock;

constexpr DWORD kReadChunk = 16 * 1024;

struct InternetCloser {
    void operator()(HINTERNET handle) const { ::WinHttpCloseHandle(handle); }
};
// Every handle but the request's, which abort() may close from another thread (see Active).
using Internet = std::unique_ptr<void, InternetCloser>;

HttpResponse failed(HttpFailure failure, std::string detail) {
    HttpResponse response;
    response.failure = failure;
    response.detail = std::move(detail);
    return response;
}

std::string codeText(const char* step, DWORD code) {
    return std::string(step) + " failed with " + std::to_string(code);
}

bool isRedirect(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// Where a failure of a step leaves the transfer. Before an answer began, a broken connection
// means nobody answered; after it, the answer was cut.
enum class Phase { Sending, Reading };

HttpFailure failureOf(DWORD code, Phase phase) {
    switch (code) {
        case ERROR_WINHTTP_TIMEOUT:
            return HttpFailure::Timeout;
        case ERROR_WINHTTP_INVALID_URL:
        case ERROR_WINHTTP_UNRECOGNIZED_SCHEME:
            return HttpFailure::BadUrl;
        case ERROR_WINHTTP_NAME_NOT_RESOLVED:
        case ERROR_WINHTTP_CANNOT_CONNECT:
            return HttpFailure::NoAnswer;
        case ERROR_WINHTTP_CONNECTION_ERROR:
            return phase == Phase::Sending ? HttpFailure::NoAnswer : HttpFailure::BrokenAnswer;
        case ERROR_WINHTTP_SECURE_FAILURE:
        case ERROR_WINHTTP_SECURE_INVALID_CA:
        case ERROR_WINHTTP_SECURE_CERT_CN_INVALID:
        case ERROR_WINHTTP_SECURE_CERT_DATE_INVALID:
        case ERROR_WINHTTP_SECURE_CERT_REVOKED:
        case ERROR_WINHTTP_SECURE_INVALID_CERT:
        case ERROR_WINHTTP_SECURE_CERT_WRONG_USAGE:
            return HttpFailure::CertificateRejected;
        case ERROR_WINHTTP_SECURE_CHANNEL_ERROR:
        case ERROR_WINHTTP_CLIENT_AUTH_CERT_NEEDED:
            return HttpFailure::TlsFailure;
        case ERROR_WINHTTP_REDIRECT_FAILED:
            return HttpFailure::RedirectLoop;
        case ERROR_WINHTTP_OPERATION_CANCELLED:
        case ERROR_INVALID_HANDLE:
            return HttpFailure::Cancelled;
        case ERROR_WINHTTP_INVALID_SERVER_RESPONSE:
        case ERROR_WINHTTP_HEADER_NOT_FOUND:
            return HttpFailure::BrokenAnswer;
        default:
            return HttpFailure::Internal;
    }
}

// A host address as WinHTTP wants it: an IPv6 address inside brackets.
std::wstring hostName(const HttpUrl& url) {
    const std::wstring host = win::toWide(url.host);
    return url.host.find(':') != std::string::npos ? L"[" + host + L"]" : host;
}

// The Location of a redirect made absolute against the address it came from.
std::string resolveLocation(const HttpUrl& from, const std::string& location) {
    if (location.find("://") != std::string::npos) {
        return location;
    }
    std::string origin = from.scheme + "://";
    origin += from.host.find(':') != std::string::npos ? "[" + from.host + "]" : from.host;
    if (from.port != 0) {
        origin += ":" + std::to_string(from.port);
    }
    if (location.rfind("//", 0) == 0) {
        return from.scheme + ":" + location;
    }
    if (!location.empty() && location[0] == '/') {
        return origin + location;
    }
    const std::string path = from.target.substr(0, from.target.find('?'));
    return origin + path.substr(0, path.find_last_of('/') + 1) + location;
}

std::vector<HttpHeader> parseHeaders(const std::wstring& raw) {
    std::vector<HttpHeader> headers;
    std::size_t start = 0;
    while (start < raw.size()) {
        std::size_t end = raw.find(L"\r\n", start);
        if (end == std::wstring::npos) {
            end = raw.size();
        }
        const std::string line = win::toUtf8(raw.substr(start, end - start));
        start = end + 2;
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos || line.rfind("HTTP/", 0) == 0) {
            continue;
        }
        std::string value = line.substr(colon + 1);
        value.erase(0, value.find_first_not_of(" \t"));
        value.erase(value.find_last_not_of(" \t") + 1);
        headers.push_back(HttpHeader{line.substr(0, colon), value});
    }
    return headers;
}

std::optional<std::wstring> queryText(HINTERNET request, DWORD what) {
    DWORD bytes = 0;
    ::WinHttpQueryHeaders(request, what, WINHTTP_HEADER_NAME_BY_INDEX, WINHTTP_NO_OUTPUT_BUFFER,
                          &bytes, WINHTTP_NO_HEADER_INDEX);
    if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || bytes == 0) {
        return std::nullopt;
    }
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    if (::WinHttpQueryHeaders(request, what, WINHTTP_HEADER_NAME_BY_INDEX, text.data(), &bytes,
                              WINHTTP_NO_HEADER_INDEX) == FALSE) {
        return std::nullopt;
    }
    text.resize(bytes / sizeof(wchar_t));
    return text;
}

std::optional<DWORD> queryNumber(HINTERNET request, DWORD what) {
    DWORD value = 0;
    DWORD bytes = sizeof value;
    if (::WinHttpQueryHeaders(request, what | WINHTTP_QUERY_FLAG_NUMBER,
                              WINHTTP_HEADER_NAME_BY_INDEX, &value, &bytes,
                              WINHTTP_NO_HEADER_INDEX) == FALSE) {
        return std::nullopt;
    }
    return value;
}

// The session: no proxy for this machine; for anything else the system's settings (the
// automatic kind where the system has it, the configured default elsewhere).
Internet openSession(const std::wstring& agent, bool loopback) {
    if (loopback) {
        return Internet(::WinHttpOpen(agent.c_str(), WINHTTP_ACCESS_TYPE_NO_PROXY,
                                      WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    }
    Internet session(::WinHttpOpen(agent.c_str(), WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY,
                                   WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session) {
        session.reset(::WinHttpOpen(agent.c_str(), WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                                    WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    }
    return session;
}

struct HopResult {
    HttpResponse response;
    std::string redirectTo;
};

}  // namespace

// The one request handle abort() may close. Whoever takes it out of the slot closes it.
struct WinHttpTransport::Active {
    std::mutex lock;
    HINTERNET request = nullptr;

    void put(HINTERNET handle) {
        const std::lock_guard<std::mutex> guard(lock);
        request = handle;
    }
    void closeIfHeld() {
        HINTERNET handle = nullptr;
        {
            const std::lock_guard<std::mutex> guard(lock);
            handle = request;
            request = nullptr;
        }
        if (handle != nullptr) {
            ::WinHttpCloseHandle(handle);
        }
    }
};

namespace {

// Closes the request when the hop ends, unless abort() closed it first.
class HeldRequest {
  public:
    HeldRequest(WinHttpTransport::Active& active, HINTERNET handle)
        : active_(active), handle_(handle) {
        active_.put(handle);
    }
    ~HeldRequest() { active_.closeIfHeld(); }
    HeldRequest(const HeldRequest&) = delete;
    HeldRequest& operator=(const HeldRequest&) = delete;
    HINTERNET get() const { return handle_; }

  private:
    WinHttpTransport::Active& active_;
    HINTERNET handle_;
};

class Hop {
  public:
    Hop(WinHttpTransport::Active& active, const CancelFlag& cancel, Clock::time_point deadline)
        : active_(active), cancel_(cancel), deadline_(deadline) {}

    HopResult run(const HttpRequest& request, const HttpUrl& url, HttpMethod method) {
        HopResult result;
        const int remaining = remainingMs();
        if (remaining <= 0) {
            result.response = failed(HttpFailure::Timeout, "the whole answer took too long");
            return result;
        }
        std::wstring agent = L"ZorLyrics";
        std::wstring extraHeaders;
        for (const HttpHeader& header : request.headers) {
            if (_stricmp(header.name.c_str(), "User-Agent") == 0) {
                agent = win::toWide(header.value);
            } else {
                extraHeaders += win::toWide(header.name + ": " + header.value + "\r\n");
            }
        }
        const Internet session = openSession(agent, isLoopbackHost(url.host));
        if (!session) {
            result.response =
                failed(HttpFailure::Internal, codeText("WinHttpOpen", ::GetLastError()));
            return result;
        }
        const int connectMs = std::min(request.limits.connectMs, remaining);
        ::WinHttpSetTimeouts(session.get(), connectMs, connectMs, remaining, remaining);
        const auto port =
            static_cast<INTERNET_PORT>(url.port != 0           ? url.port
                                       : url.scheme == "https" ? INTERNET_DEFAULT_HTTPS_PORT
                                                               : INTERNET_DEFAULT_HTTP_PORT);
        const Internet connection(::WinHttpConnect(session.get(), hostName(url).c_str(), port, 0));
        if (!connection) {
            result.response = failedStep("WinHttpConnect", Phase::Sending);
            return result;
        }
        const HeldRequest held(
            active_,
            ::WinHttpOpenRequest(connection.get(), method == HttpMethod::Post ? L"POST" : L"GET",
                                 win::toWide(url.target).c_str(), nullptr, WINHTTP_NO_REFERER,
                                 WINHTTP_DEFAULT_ACCEPT_TYPES,
                                 url.scheme == "https" ? WINHTTP_FLAG_SECURE : 0));
        HINTERNET handle = held.get();
        if (handle == nullptr) {
            result.response = failedStep("WinHttpOpenRequest", Phase::Sending);
            return result;
        }
        DWORD noRedirects = WINHTTP_DISABLE_REDIRECTS;
        ::WinHttpSetOption(handle, WINHTTP_OPTION_DISABLE_FEATURE, &noRedirects,
                           sizeof noRedirects);
        if (!extraHeaders.empty()) {
            ::WinHttpAddRequestHeaders(handle, extraHeaders.c_str(), static_cast<DWORD>(-1L),
                                       WINHTTP_ADDREQ_FLAG_ADD | WINHTTP_ADDREQ_FLAG_REPLACE);
        }
        if (cancel_.load()) {
            result.response = failed(HttpFailure::Cancelled, "cancelled");
            return result;
        }
        const bool post = method == HttpMethod::Post;
        const auto bodyBytes = static_cast<DWORD>(post ? request.body.size() : 0);
        void* body =
            post && !request.body.empty() ? const_cast<char*>(request.body.data()) : nullptr;
        if (::WinHttpSendRequest(handle, WINHTTP_NO_ADDITIONAL_HEADERS, 0, body, bodyBytes,
                                 bodyBytes, 0) == FALSE) {
            result.response = failedStep("WinHttpSendRequest", Phase::Sending);
            return result;
        }
        if (::WinHttpReceiveResponse(handle, nullptr) == FALSE) {
            result.response = failedStep("WinHttpReceiveResponse", Phase::Sending);
            return result;
        }
        const std::optional<DWORD> status = queryNumber(handle, WINHTTP_QUERY_STATUS_CODE);
        if (!status) {
            result.response = failed(HttpFailure::BrokenAnswer, "no status in the answer");
            return result;
        }
        if (const auto raw = queryText(handle, WINHTTP_QUERY_RAW_HEADERS_CRLF)) {
            result.response.headers = parseHeaders(*raw);
        }
        result.response.status = static_cast<int>(*status);
        if (isRedirect(result.response.status)) {
            if (const auto location = queryText(handle, WINHTTP_QUERY_LOCATION)) {
                result.redirectTo = resolveLocation(url, win::toUtf8(*location));
                return result;  // the body of a redirect is not wanted
            }
        }
        const std::optional<DWORD> announced = queryNumber(handle, WINHTTP_QUERY_CONTENT_LENGTH);
        if (announced && *announced > request.limits.maxBodyBytes) {
            result.response =
                failed(HttpFailure::TooLarge, "the answer announces more than allowed");
            return result;
        }
        readBody(handle, request.limits.maxBodyBytes, result.response);
        return result;
    }

  private:
    int remainingMs() const {
        return static_cast<int>(
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - Clock::now())
                .count());
    }

    HttpResponse failedStep(const char* step, Phase phase) const {
        const DWORD code = ::GetLastError();
        if (cancel_.load()) {
            return failed(HttpFailure::Cancelled, "cancelled");
        }
        return failed(failureOf(code, phase), codeText(step, code));
    }

    // In pieces, so that the size limit holds while reading and a cancellation or the end of
    // the time allowed is seen between them.
    void readBody(HINTERNET handle, std::size_t maxBytes, HttpResponse& response) const {
        std::string chunk(kReadChunk, '\0');
        for (;;) {
            if (cancel_.load()) {
                response = failed(HttpFailure::Cancelled, "cancelled");
                return;
            }
            if (remainingMs() <= 0) {
                response = failed(HttpFailure::Timeout, "the whole answer took too long");
                return;
            }
            DWORD read = 0;
            if (::WinHttpReadData(handle, chunk.data(), kReadChunk, &read) == FALSE) {
                response = failedStep("WinHttpReadData", Phase::Reading);
                return;
            }
            if (read == 0) {
                return;
            }
            if (response.body.size() + read > maxBytes) {
                response = failed(HttpFailure::TooLarge, "the answer is longer than allowed");
                return;
            }
            response.body.append(chunk.data(), read);
        }
    }

    WinHttpTransport::Active& active_;
    const CancelFlag& cancel_;
    Clock::time_point deadline_;
};

}  // namespace

namespace {

bool loopbackOnlyAsked() {
    wchar_t value[8] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"ZORLYRICS_LOOPBACK_ONLY", value, 8);
    return length > 0 && length < 8 && std::wstring(value) != L"0";
}

}  // namespace

WinHttpTransport::WinHttpTransport()
    : active_(std::make_unique<Active>()), loopbackOnly_(loopbackOnlyAsked()) {}

WinHttpTransport::~WinHttpTransport() = default;

void WinHttpTransport::abort() {
    active_->closeIfHeld();
}

HttpResponse WinHttpTransport::send(const HttpRequest& request, const CancelFlag& cancel) {
    try {
        const Clock::time_point deadline =
            Clock::now() + std::chrono::milliseconds(request.limits.totalMs);
        std::string address = request.url;
        HttpMethod method = request.method;
        Hop hop(*active_, cancel, deadline);
        for (int redirects = 0;; ++redirects) {
            switch (judgeUrl(address, loopbackOnly_)) {
                case UrlVerdict::Unparsable:
                    return failed(HttpFailure::BadUrl, address);
                case UrlVerdict::RefusedScheme:
                    return failed(HttpFailure::RefusedScheme, address);
                case UrlVerdict::Allowed:
                    break;
            }
            const std::optional<HttpUrl> url = parseHttpUrl(address);
            HopResult result = hop.run(request, *url, method);
            if (cancel.load() && result.response.failure == HttpFailure::None) {
                return failed(HttpFailure::Cancelled, "cancelled");
            }
            if (result.redirectTo.empty()) {
                return std::move(result.response);
            }
            if (redirects >= request.limits.maxRedirects) {
                return failed(HttpFailure::RedirectLoop, "redirected more than allowed");
            }
            // As browsers do: a 303, and a 301 or 302 after a POST, go on as a GET.
            const int status = result.response.status;
            if (status == 303 || (method == HttpMethod::Post && (status == 301 || status == 302))) {
                method = HttpMethod::Get;
            }
            address = result.redirectTo;
        }
    } catch (const std::exception& error) {
        return failed(HttpFailure::Internal, error.what());
    }
}

}  // namespace zor
