#include "lyrics/platform/CurlTransport.h"

#include <curl/curl.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <mutex>

#include "lyrics/ports/HttpUrl.h"

namespace zor {

namespace {

using Clock = std::chrono::steady_clock;

// How often a transfer looks at the cancellation flag while it waits for the network.
constexpr int kPollMs = 50;

struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct MultiDeleter {
    void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
struct ListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using Easy = std::unique_ptr<CURL, EasyDeleter>;
using Multi = std::unique_ptr<CURLM, MultiDeleter>;
using HeaderList = std::unique_ptr<curl_slist, ListDeleter>;

void initialiseCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// What one hop's callbacks collect.
struct Hop {
    std::size_t maxBody = 0;
    bool tooLarge = false;
    bool socketRefused = false;
    bool loopbackOnly = false;
    std::string body;
    std::vector<HttpHeader> headers;
};

std::size_t takeBody(char* data, std::size_t size, std::size_t count, void* user) {
    auto& hop = *static_cast<Hop*>(user);
    const std::size_t bytes = size * count;
    if (hop.body.size() + bytes > hop.maxBody) {
        hop.tooLarge = true;
        return 0;  // libcurl ends the transfer with a write error
    }
    hop.body.append(data, bytes);
    return bytes;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    const auto last = text.find_last_not_of(" \t\r\n");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

std::size_t takeHeader(char* data, std::size_t size, std::size_t count, void* user) {
    auto& hop = *static_cast<Hop*>(user);
    const std::string line(data, size * count);
    if (line.rfind("HTTP/", 0) == 0) {
        hop.headers.clear();  // a new answer (after a 100 Continue) starts its own headers
    } else if (const auto colon = line.find(':'); colon != std::string::npos) {
        hop.headers.push_back(
            HttpHeader{trimmed(line.substr(0, colon)), trimmed(line.substr(colon + 1))});
    }
    return size * count;
}

bool isLoopbackAddress(const sockaddr* address) {
    if (address->sa_family == AF_INET) {
        const auto* v4 = reinterpret_cast<const sockaddr_in*>(address);
        return (ntohl(v4->sin_addr.s_addr) >> 24) == 127;
    }
    if (address->sa_family == AF_INET6) {
        const auto* v6 = reinterpret_cast<const sockaddr_in6*>(address);
        return std::memcmp(&v6->sin6_addr, &in6addr_loopback, sizeof(in6_addr)) == 0;
    }
    return false;
}

// The last word before a socket goes out: in loopback-only mode nothing but this machine.
curl_socket_t openSocket(void* user, curlsocktype /*purpose*/, curl_sockaddr* address) {
    auto& hop = *static_cast<Hop*>(user);
    if (hop.loopbackOnly && !isLoopbackAddress(&address->addr)) {
        hop.socketRefused = true;
        return CURL_SOCKET_BAD;
    }
    return socket(address->family, address->socktype, address->protocol);
}

HttpFailure failureOf(CURLcode code, const Hop& hop) {
    if (hop.tooLarge) {
        return HttpFailure::TooLarge;
    }
    if (hop.socketRefused) {
        return HttpFailure::RefusedScheme;
    }
    switch (code) {
        case CURLE_OK:
            return HttpFailure::None;
        case CURLE_URL_MALFORMAT:
            return HttpFailure::BadUrl;
        case CURLE_UNSUPPORTED_PROTOCOL:
            return HttpFailure::RefusedScheme;
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_RESOLVE_PROXY:
        case CURLE_COULDNT_CONNECT:
            return HttpFailure::NoAnswer;
        case CURLE_OPERATION_TIMEDOUT:
            return HttpFailure::Timeout;
        case CURLE_FILESIZE_EXCEEDED:
            return HttpFailure::TooLarge;
        case CURLE_PEER_FAILED_VERIFICATION:
            return HttpFailure::CertificateRejected;
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_SSL_CERTPROBLEM:
        case CURLE_SSL_CIPHER:
        case CURLE_SSL_CACERT_BADFILE:
        case CURLE_USE_SSL_FAILED:
            return HttpFailure::TlsFailure;
        case CURLE_TOO_MANY_REDIRECTS:
            return HttpFailure::RedirectLoop;
        case CURLE_ABORTED_BY_CALLBACK:
            return HttpFailure::Cancelled;
        case CURLE_GOT_NOTHING:
        case CURLE_RECV_ERROR:
        case CURLE_SEND_ERROR:
        case CURLE_PARTIAL_FILE:
        case CURLE_WEIRD_SERVER_REPLY:
        case CURLE_HTTP2:
        case CURLE_BAD_CONTENT_ENCODING:
            return HttpFailure::BrokenAnswer;
        default:
            return HttpFailure::Internal;
    }
}

HttpResponse failed(HttpFailure failure, std::string detail) {
    HttpResponse response;
    response.failure = failure;
    response.detail = std::move(detail);
    return response;
}

bool isRedirect(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

struct HopResult {
    HttpResponse response;
    std::string redirectTo;  // the resolved Location of a redirect, else empty
};

}  // namespace

CurlTransport::CurlTransport(CurlTransportOptions options) : options_(std::move(options)) {
    initialiseCurlOnce();
}

namespace {

class Transfer {
  public:
    Transfer(const CurlTransportOptions& options, const CancelFlag& cancel)
        : options_(options), cancel_(cancel) {}

    HopResult run(const HttpRequest& request, const std::string& url, HttpMethod method,
                  int remainingMs) {
        HopResult result;
        Easy easy(curl_easy_init());
        Multi multi(curl_multi_init());
        if (!easy || !multi) {
            result.response = failed(HttpFailure::Internal, "libcurl could not start");
            return result;
        }
        Hop hop;
        hop.maxBody = request.limits.maxBodyBytes;
        hop.loopbackOnly = options_.loopbackOnly;
        HeaderList headers;
        for (const HttpHeader& header : request.headers) {
            curl_slist* list =
                curl_slist_append(headers.get(), (header.name + ": " + header.value).c_str());
            if (list == nullptr) {
                result.response = failed(HttpFailure::Internal, "out of memory");
                return result;
            }
            static_cast<void>(headers.release());
            headers.reset(list);
        }
        CURL* handle = easy.get();
        curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
        curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 0L);
        curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS,
                         static_cast<long>(std::min(request.limits.connectMs, remainingMs)));
        curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, static_cast<long>(remainingMs));
        curl_easy_setopt(handle, CURLOPT_MAXFILESIZE_LARGE,
                         static_cast<curl_off_t>(request.limits.maxBodyBytes));
        curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, takeBody);
        curl_easy_setopt(handle, CURLOPT_WRITEDATA, &hop);
        curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, takeHeader);
        curl_easy_setopt(handle, CURLOPT_HEADERDATA, &hop);
        curl_easy_setopt(handle, CURLOPT_OPENSOCKETFUNCTION, openSocket);
        curl_easy_setopt(handle, CURLOPT_OPENSOCKETDATA, &hop);
        curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
        curl_easy_setopt(handle, CURLOPT_ACCEPT_ENCODING, "");
        const std::optional<HttpUrl> parts = parseHttpUrl(url);
        if (options_.loopbackOnly || (parts && isLoopbackHost(parts->host))) {
            curl_easy_setopt(handle, CURLOPT_PROXY, "");  // this machine is never behind a proxy
        }
        if (!options_.caFile.empty()) {
            curl_easy_setopt(handle, CURLOPT_CAINFO, options_.caFile.c_str());
        }
        if (method == HttpMethod::Post) {
            curl_easy_setopt(handle, CURLOPT_POSTFIELDSIZE_LARGE,
                             static_cast<curl_off_t>(request.body.size()));
            curl_easy_setopt(handle, CURLOPT_POSTFIELDS, request.body.c_str());
        }

        const CURLcode code = perform(multi.get(), handle);
        if (cancel_.load()) {
            result.response = failed(HttpFailure::Cancelled, "cancelled");
            return result;
        }
        const HttpFailure failure = failureOf(code, hop);
        if (failure != HttpFailure::None) {
            result.response = failed(failure, curl_easy_strerror(code));
            return result;
        }
        long status = 0;
        curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
        result.response.status = static_cast<int>(status);
        result.response.headers = std::move(hop.headers);
        result.response.body = std::move(hop.body);
        if (isRedirect(result.response.status)) {
            char* location = nullptr;
            curl_easy_getinfo(handle, CURLINFO_REDIRECT_URL, &location);
            if (location != nullptr) {
                result.redirectTo = location;
            }
        }
        return result;
    }

  private:
    // Runs the transfer in small waits, so a cancellation is seen within one of them.
    CURLcode perform(CURLM* multi, CURL* easy) {
        if (curl_multi_add_handle(multi, easy) != CURLM_OK) {
            return CURLE_FAILED_INIT;
        }
        CURLcode code = CURLE_OK;
        int running = 1;
        while (running > 0) {
            if (cancel_.load()) {
                code = CURLE_ABORTED_BY_CALLBACK;
                break;
            }
            if (curl_multi_perform(multi, &running) != CURLM_OK) {
                code = CURLE_FAILED_INIT;
                break;
            }
            if (running > 0 && curl_multi_poll(multi, nullptr, 0, kPollMs, nullptr) != CURLM_OK) {
                code = CURLE_FAILED_INIT;
                break;
            }
        }
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
            if (message->msg == CURLMSG_DONE && message->easy_handle == easy) {
                code = message->data.result;
            }
        }
        curl_multi_remove_handle(multi, easy);
        return code;
    }

    const CurlTransportOptions& options_;
    const CancelFlag& cancel_;
};

}  // namespace

HttpResponse CurlTransport::send(const HttpRequest& request, const CancelFlag& cancel) {
    try {
        const Clock::time_point deadline =
            Clock::now() + std::chrono::milliseconds(request.limits.totalMs);
        std::string url = request.url;
        HttpMethod method = request.method;
        Transfer transfer(options_, cancel);
        for (int redirects = 0;; ++redirects) {
            switch (judgeUrl(url, options_.loopbackOnly)) {
                case UrlVerdict::Unparsable:
                    return failed(HttpFailure::BadUrl, url);
                case UrlVerdict::RefusedScheme:
                    return failed(HttpFailure::RefusedScheme, url);
                case UrlVerdict::Allowed:
                    break;
            }
            const auto remaining =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now())
                    .count();
            if (remaining <= 0) {
                return failed(HttpFailure::Timeout, "the whole answer took too long");
            }
            HopResult hop = transfer.run(request, url, method, static_cast<int>(remaining));
            if (hop.redirectTo.empty()) {
                return std::move(hop.response);
            }
            if (redirects >= request.limits.maxRedirects) {
                return failed(HttpFailure::RedirectLoop, "redirected more than allowed");
            }
            // As browsers do: a 303, and a 301 or 302 after a POST, go on as a GET.
            const int status = hop.response.status;
            if (status == 303 || (method == HttpMethod::Post && (status == 301 || status == 302))) {
                method = HttpMethod::Get;
            }
            url = hop.redirectTo;
        }
    } catch (const std::exception& error) {
        return failed(HttpFailure::Internal, error.what());
    }
}

}  // namespace zor
