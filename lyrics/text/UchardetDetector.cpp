// Charset detection through uchardet, the same library on every platform.
#include <uchardet/uchardet.h>

#include <memory>

#include "lyrics/text/CharsetDetector.h"

namespace zor {

namespace {

struct DetectorDeleter {
    void operator()(uchardet* detector) const { uchardet_delete(detector); }
};
using Detector = std::unique_ptr<uchardet, DetectorDeleter>;

}  // namespace

std::string detectCharset(std::string_view bytes) {
    const Detector detector(uchardet_new());
    if (!detector) {
        return {};
    }
    if (uchardet_handle_data(detector.get(), bytes.data(), bytes.size()) != 0) {
        return {};
    }
    uchardet_data_end(detector.get());
    const char* const name = uchardet_get_charset(detector.get());
    return name != nullptr ? std::string(name) : std::string();
}

}  // namespace zor
