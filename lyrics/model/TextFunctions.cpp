#include "lyrics/model/TextFunctions.h"

#include <algorithm>

namespace zor {

std::string trimSpaces(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlank);
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(kBlank);
    return std::string(text.substr(first, last - first + 1));
}

std::string blankToEmpty(std::string text) {
    if (text.find_first_not_of(kBlank) == std::string::npos) {
        text.clear();
    }
    return text;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

std::string withCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n' && (out.empty() || out.back() != '\r')) {
            out += '\r';
        }
        out += c;
    }
    return out;
}

}  // namespace zor
