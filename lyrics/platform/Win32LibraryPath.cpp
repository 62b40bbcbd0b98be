// The C runtime and id3lib take ANSI names; a path beyond the ANSI code page is reached by its
// short name, which the file system makes from ASCII characters.
#include <windows.h>

#include <vector>

#include "lyrics/platform/CodePage.h"
#include "lyrics/platform/LibraryPath.h"
#include "lyrics/text/Utf16.h"

namespace zor {

std::string pathForLibrary(const std::string& path) {
    if (auto ansi = encodeCodePage(ansiCodePage(), path)) {
        return *ansi;
    }
    const std::u16string units = utf8ToUtf16(path);
    const std::wstring wide(units.begin(), units.end());
    const DWORD needed = GetShortPathNameW(wide.c_str(), nullptr, 0);
    if (needed == 0) {
        return {};
    }
    std::vector<wchar_t> shortName(needed, L'\0');
    const DWORD length = GetShortPathNameW(wide.c_str(), shortName.data(), needed);
    if (length == 0 || length >= needed) {
        return {};
    }
    const std::u16string shortUnits(shortName.begin(), shortName.begin() + length);
    return encodeCodePage(ansiCodePage(), utf16ToUtf8(shortUnits)).value_or(std::string());
}

}  // namespace zor
