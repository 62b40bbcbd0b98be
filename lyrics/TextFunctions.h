#pragma once

#include <string>
#include <string_view>

namespace zor {

// A blank is the space character only; tabs and other white space are text.
inline constexpr char kBlank = ' ';

// The text without its leading and trailing blanks.
std::string trimSpaces(std::string_view text);

// A text made only of blanks becomes the empty text; any other text is returned unchanged,
// leading blanks included.
std::string blankToEmpty(std::string text);

}  // namespace zor
