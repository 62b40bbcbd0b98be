#include "OnlineSupport.h"

#include <cstdlib>

#include "lyrics/online/OnlineServer.h"

namespace zor::cli {

namespace {

CurlTransportOptions transportOptions(const Options& options) {
    CurlTransportOptions transport;
    transport.caFile = options.caFile;
    const char* loopbackOnly = std::getenv("ZORLYRICS_LOOPBACK_ONLY");
    transport.loopbackOnly =
        loopbackOnly != nullptr && *loopbackOnly != '\0' && std::string(loopbackOnly) != "0";
    return transport;
}

}  // namespace

OnlineSupport::OnlineSupport(const Options& options)
    : server(options.server.value_or(kDefaultOnlineServer)), transport(transportOptions(options)) {}

std::string onlineFailureLine(const std::string& server, OnlineResult result,
                              const std::string& detail) {
    const char* what = "failed";
    switch (result) {
        case OnlineResult::Unreachable:
            what = "no usable answer";
            break;
        case OnlineResult::Busy:
            what = "busy";
            break;
        case OnlineResult::BadAnswer:
            what = "bad answer";
            break;
        case OnlineResult::NotSaved:
            what = "not saved";
            break;
        default:
            break;
    }
    return "zorlyrics: " + server + ": " + what + " (" + detail + ")";
}

}  // namespace zor::cli
