#pragma once

#include <memory>
#include <string>

#include "Options.h"
#include "lyrics/online/OnlineLookup.h"
#include "lyrics/platform/CurlTransport.h"

namespace zor::cli {

// The transport and server a run uses: --server or the public service; --ca trusted; with
// ZORLYRICS_LOOPBACK_ONLY set (the tests set it), nothing but this machine can be reached.
struct OnlineSupport {
    explicit OnlineSupport(const Options& options);

    std::string server;
    CurlTransport transport;
};

// "lrclib: timeout" and the like: the one line a failed online step prints.
std::string onlineFailureLine(const std::string& server, OnlineResult result,
                              const std::string& detail);

}  // namespace zor::cli
