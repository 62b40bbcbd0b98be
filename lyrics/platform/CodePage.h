#pragma once

#include <string>

namespace zor {

// Unicode text (UTF-16 code units) in the system's single-byte code page: the ANSI code page on
// Windows, Latin-1 elsewhere. A character without a single-byte form becomes '?'.
std::string toSingleByte(const std::u16string& text);

}  // namespace zor
