#pragma once

#include <string>

#include "lyrics/ports/HttpTransport.h"

// What every request to the lyrics service shares: the server's address without the trailing
// slashes a setting may carry, and the headers that name this client.
namespace zor {

// "https://host[:port]" as the setting gives it, with or without trailing slashes, without them.
std::string serviceRoot(std::string server);

// A request for target ("/api/...") on root, with the client's headers.
HttpRequest serviceRequest(HttpMethod method, const std::string& root, const std::string& target);

}  // namespace zor
