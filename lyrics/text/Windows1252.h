#pragma once

#include <optional>
#include <string>
#include <string_view>

// Windows-1252, the native default fallback code page. A byte the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stands for the control character of the same value, as Windows
// maps it, so every byte decodes and encodes back to itself.
namespace zor {

std::string decodeWindows1252(std::string_view bytes);
// The same onto the end of text.
void appendWindows1252(std::string& text, std::string_view bytes);
std::optional<std::string> encodeWindows1252(std::string_view utf8);

}  // namespace zor
