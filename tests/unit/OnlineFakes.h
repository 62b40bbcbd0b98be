#pragma once

#include <deque>
#include <string>
#include <vector>

#include "lyrics/ports/HttpTransport.h"

namespace zor::test {

// A transport that answers from a queue and records the requests; with the queue empty, every
// request fails as unreachable.
class FakeTransport final : public HttpTransport {
  public:
    void answer(int status, std::string body, std::vector<HttpHeader> headers = {}) {
        HttpResponse response;
        response.status = status;
        response.body = std::move(body);
        response.headers = std::move(headers);
        answers.push_back(std::move(response));
    }
    void fail(HttpFailure failure) {
        HttpResponse response;
        response.failure = failure;
        answers.push_back(std::move(response));
    }

    HttpResponse send(const HttpRequest& request, const CancelFlag& cancel) override {
        requests.push_back(request);
        if (cancel.load()) {
            HttpResponse cancelled;
            cancelled.failure = HttpFailure::Cancelled;
            return cancelled;
        }
        if (answers.empty()) {
            HttpResponse none;
            none.failure = HttpFailure::NoAnswer;
            return none;
        }
        HttpResponse response = std::move(answers.front());
        answers.pop_front();
        return response;
    }

    // The path of each request, without server and query: "/api/get", "/api/search".
    std::vector<std::string> paths() const {
        std::vector<std::string> result;
        for (const HttpRequest& request : requests) {
            const auto start = request.url.find('/', request.url.find("://") + 3);
            result.push_back(request.url.substr(start, request.url.find('?') - start));
        }
        return result;
    }

    std::deque<HttpResponse> answers;
    std::vector<HttpRequest> requests;
};

// A record as the service writes it; fields as JSON text.
inline std::string recordJson(int id, const std::string& artist, const std::string& title,
                              double duration, const std::string& synced = "null",
                              const std::string& plain = "null", bool instrumental = false) {
    return "{\"id\":" + std::to_string(id) + ",\"trackName\":\"" + title + "\",\"artistName\":\"" +
           artist + "\",\"albumName\":null,\"duration\":" + std::to_string(duration) +
           ",\"instrumental\":" + (instrumental ? "true" : "false") + ",\"plainLyrics\":" + plain +
           ",\"syncedLyrics\":" + synced + "}";
}

}  // namespace zor::test
