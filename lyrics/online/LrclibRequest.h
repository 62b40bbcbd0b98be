#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "lyrics/online/LyricsRecord.h"
#include "lyrics/ports/HttpTransport.h"

namespace zor {

// Every byte but the unreserved ones (letters, digits, - . _ ~) as %XX, the text first made
// valid UTF-8: the form a query value takes.
std::string percentEncode(std::string_view text);

// The requests of the lyrics service's read side, against one server ("https://host[:port]",
// with or without a trailing slash).
class LrclibRequest {
  public:
    explicit LrclibRequest(std::string server);

    // The best record for the signature: /api/get with artist, title, album (when known) and
    // the duration in whole seconds (when known).
    HttpRequest get(const TrackSignature& signature) const;
    // Records that resemble the signature: /api/search by title, artist and album when given.
    // The service does not filter by duration; the matcher does.
    HttpRequest search(const TrackSignature& signature) const;
    // One record by its id: /api/get/ID.
    HttpRequest record(std::int64_t id) const;

    const std::string& server() const { return server_; }

  private:
    HttpRequest getRequest(const std::string& target) const;

    std::string server_;
};

}  // namespace zor
