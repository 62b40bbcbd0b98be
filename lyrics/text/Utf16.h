#pragma once

#include <string>
#include <string_view>

// UTF-16 at the edges: files and tag frames as bytes in either order, and the code units the
// platform's wide calls take.
namespace zor {

enum class ByteOrder { Little, Big };

// Bytes in the given order to UTF-8; an unpaired surrogate becomes U+FFFD and an odd last byte is
// dropped.
std::string utf16BytesToUtf8(std::string_view bytes, ByteOrder order);
std::string utf8ToUtf16Bytes(std::string_view utf8, ByteOrder order);

std::u16string utf8ToUtf16(std::string_view utf8);
std::string utf16ToUtf8(std::u16string_view units);
// Wide strings whose every wchar_t holds one UTF-16 code unit, whatever wchar_t's width, as
// TagLib keeps its text.
std::string wideUnitsToUtf8(std::wstring_view units);

}  // namespace zor
