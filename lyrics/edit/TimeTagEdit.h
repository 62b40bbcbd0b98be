#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zor {

// The last bracketed group of a line, found by brackets alone (it need not be a time tag).
struct BracketGroup {
    static constexpr std::size_t npos = std::string_view::npos;
    std::size_t open = npos;   // the last "[" found
    std::size_t close = npos;  // its "]"; npos when the group is incomplete

    bool found() const { return open != npos; }
    bool complete() const { return open != npos && close != npos; }
};

// Scans from the start: a "[", then the first "]" after it, then on after that "]".
BracketGroup findLastTag(std::string_view line);

// "[mm:ss]" for whole seconds; minutes take as many digits as they need.
std::string timeTagText(int seconds);

}  // namespace zor
