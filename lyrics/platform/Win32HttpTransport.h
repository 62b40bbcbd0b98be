#pragma once

#include <memory>

#include "lyrics/ports/HttpTransport.h"

namespace zor {

// The DLL's transport, on WinHTTP (a system DLL): the system's proxy settings for the world,
// no proxy for this machine, and the system's certificate checks. Redirects are followed here,
// so that every hop passes the same address rule and counts against the same limits.
//
// send() is synchronous. A transfer ends quickly when its cancel flag is set from another
// thread and abort() is called there too: abort closes the request handle under the transfer,
// which makes the blocked WinHTTP call return at once.
class WinHttpTransport final : public HttpTransport {
  public:
    WinHttpTransport();
    ~WinHttpTransport() override;
    WinHttpTransport(const WinHttpTransport&) = delete;
    WinHttpTransport& operator=(const WinHttpTransport&) = delete;

    HttpResponse send(const HttpRequest& request, const CancelFlag& cancel) override;
    // From any thread: closes the request handle of the transfer under way, if any.
    void abort();

    struct Active;  // the request handle of the transfer under way, shared with abort()

  private:
    std::unique_ptr<Active> active_;
    // ZORLYRICS_LOOPBACK_ONLY set in the environment (the tests set it): nothing but this
    // machine is reached, whatever the settings name.
    bool loopbackOnly_ = false;
};

}  // namespace zor
