#include "lyrics/ports/HttpTransport.h"

#include <cctype>

namespace zor {

const char* failureName(HttpFailure failure) {
    switch (failure) {
        case HttpFailure::None:
            return "answered";
        case HttpFailure::BadUrl:
            return "bad address";
        case HttpFailure::RefusedScheme:
            return "address refused";
        case HttpFailure::NoAnswer:
            return "no answer";
        case HttpFailure::Timeout:
            return "timeout";
        case HttpFailure::TooLarge:
            return "answer too large";
        case HttpFailure::TlsFailure:
            return "secure connection failed";
        case HttpFailure::CertificateRejected:
            return "certificate rejected";
        case HttpFailure::RedirectLoop:
            return "too many redirects";
        case HttpFailure::Cancelled:
            return "cancelled";
        case HttpFailure::BrokenAnswer:
            return "broken answer";
        case HttpFailure::Internal:
            return "transport failure";
    }
    return "transport failure";
}

std::string HttpResponse::header(const std::string& name) const {
    auto sameName = [&](const std::string& other) {
        if (other.size() != name.size()) {
            return false;
        }
        for (std::size_t i = 0; i < name.size(); ++i) {
            if (std::tolower(static_cast<unsigned char>(name[i])) !=
                std::tolower(static_cast<unsigned char>(other[i]))) {
                return false;
            }
        }
        return true;
    };
    for (const HttpHeader& header : headers) {
        if (sameName(header.name)) {
            return header.value;
        }
    }
    return {};
}

}  // namespace zor
