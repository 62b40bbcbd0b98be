#pragma once

#include <optional>
#include <string>
#include <string_view>

// Windows code pages: the fallback for files that are neither marked nor valid UTF-8, and the
// ANSI code page that settings and unmarked lyrics files are written in while their text fits.
// Windows: the system's conversions. Elsewhere: Windows-1252 of our own, other code pages through
// iconv.
namespace zor {

inline constexpr int kLatin1CodePage = 28591;
inline constexpr int kWindows1252CodePage = 1252;

// The system's ANSI code page; natively Windows-1252.
int ansiCodePage();

// The code page a CodePage setting names: 0 is the ANSI code page.
inline int resolveCodePage(int setting) {
    return setting == 0 ? ansiCodePage() : setting;
}

// Whether the platform can convert the code page.
bool codePageAvailable(int codePage);

// The bytes as UTF-8. A code page the platform cannot convert decodes as the ANSI code page; a
// byte sequence the code page does not define becomes U+FFFD.
std::string decodeCodePage(int codePage, std::string_view bytes);

// The bytes as UTF-8 when every one of them belongs to a character of the code page; none for a
// code page the platform cannot convert or a sequence it does not define.
std::optional<std::string> decodeCodePageExactly(int codePage, std::string_view bytes);

// The UTF-8 text in the code page, or none when a character of it has no form there (never a
// stand-in character).
std::optional<std::string> encodeCodePage(int codePage, std::string_view utf8);

}  // namespace zor
