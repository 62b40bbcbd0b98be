#include "diag/CaughtTrace.h"

#include <exception>
#include <string>

#include "diag/TraceLog.h"

namespace zor {

void traceCaught(const char* where) noexcept {
    try {
        std::string what = "an exception of unknown type";
        if (const std::exception_ptr current = std::current_exception()) {
            try {
                std::rethrow_exception(current);
            } catch (const std::exception& caught) {
                what = caught.what();
            } catch (...) {
                static_cast<void>(0);  // the text above stays
            }
        }
        traceLine(std::string("caught in ") + where + ": " + what);
    } catch (...) {
        // Out of memory for the line itself: nothing more can be told.
        static_cast<void>(0);
    }
}

}  // namespace zor
