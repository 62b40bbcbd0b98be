#include "lyrics/TextFunctions.h"

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

}  // namespace zor
