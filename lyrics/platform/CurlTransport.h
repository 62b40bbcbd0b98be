#pragma once

#include <string>

#include "lyrics/ports/HttpTransport.h"

namespace zor {

struct CurlTransportOptions {
    // A PEM file of certificates trusted for this transport's transfers, in place of the
    // system's bundle file (tests use their own authority). Empty: the system's trust alone.
    std::string caFile;
    // Refuse every address that is not this machine, before any name is resolved and again
    // when a socket is opened: tests can reach nothing else.
    bool loopbackOnly = false;
};

// The native transport, on libcurl. Redirects are followed here rather than by libcurl, so that
// every hop passes the same address rule.
class CurlTransport final : public HttpTransport {
  public:
    explicit CurlTransport(CurlTransportOptions options = {});
    HttpResponse send(const HttpRequest& request, const CancelFlag& cancel) override;

  private:
    CurlTransportOptions options_;
};

}  // namespace zor
