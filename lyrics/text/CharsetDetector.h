#pragma once

#include <string>
#include <string_view>

// A charset detector's opinion of a text whose encoding nothing marks.
namespace zor {

// The detector's name for the charset the bytes are most likely in ("GB18030", "WINDOWS-1251",
// ...); empty when it has none.
std::string detectCharset(std::string_view bytes);

}  // namespace zor
