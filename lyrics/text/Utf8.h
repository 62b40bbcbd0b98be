#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// UTF-8, the one text representation inside the system.
namespace zor {

// Strictly valid UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF, no sequence cut
// short.
bool isValidUtf8(std::string_view bytes);
bool isAscii(std::string_view bytes);

// The bytes as valid UTF-8: every byte that does not start a valid sequence becomes U+FFFD.
std::string toValidUtf8(std::string_view bytes);

void appendUtf8(std::string& text, char32_t codePoint);

// Characters are counted by their lead bytes, so a text that is not valid UTF-8 still counts
// and cuts without reading past its end.
std::size_t utf8CharCount(std::string_view text);
// The number of bytes of the first chars characters (all of text when it holds fewer).
std::size_t utf8PrefixBytes(std::string_view text, std::size_t chars);
// The text cut to at most chars characters, never inside a character.
std::string cutToChars(std::string text, std::size_t chars);

inline bool isUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0U) == 0x80U;
}

}  // namespace zor
