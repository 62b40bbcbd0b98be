#include "lyrics/online/ServiceRequest.h"

#include "lyrics/online/OnlineServer.h"

namespace zor {

std::string serviceRoot(std::string server) {
    while (!server.empty() && server.back() == '/') {
        server.pop_back();
    }
    return server;
}

HttpRequest serviceRequest(HttpMethod method, const std::string& root, const std::string& target) {
    HttpRequest request;
    request.method = method;
    request.url = root + target;
    const std::string client = std::string(kOnlineClientName) + "/" + kOnlineClientVersion;
    request.headers = {
        {"User-Agent", client},
        {"Lrclib-Client", client},
        {"Accept", "application/json"},
    };
    return request;
}

}  // namespace zor
