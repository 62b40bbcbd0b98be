#pragma once

#include <functional>
#include <string>

namespace zor {

// "(17)" or "17" gives "Rock"; "CR" gives "Cover", "RX" "Remix"; a value without a leading
// number (or with 0 other than "0" itself) is its own name; numbers above 147 count as 147.
std::string genreName(const std::string& text);

// How the song header waits for a playlist entry the host is still opening (its title starts
// with "[Opening] "). The wait is bounded so a host entry that never opens cannot hold the
// render call: after the last retry the title is used without the prefix.
struct OpeningWait {
    int retries = 50;
    int delayMs = 100;
    std::function<void(int ms)> sleep;  // empty: the thread sleeps for real
};

}  // namespace zor
