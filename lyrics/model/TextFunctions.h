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

// Whether two texts are equal when letter case is ignored, as extensions, tag markers, ID-tag
// names and settings keys are compared (ASCII letters only: all of those are ASCII).
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// The text with every lone LF made CR LF, as a multi-line edit control wants its lines.
std::string withCrLf(std::string_view text);

}  // namespace zor
