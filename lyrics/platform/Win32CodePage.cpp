// Code pages through the system's own conversions, so a file in the ANSI code page shows exactly
// what Windows shows for it.
#include <windows.h>

#include "lyrics/platform/CodePage.h"
#include "lyrics/text/Utf16.h"
#include "lyrics/text/Utf8.h"

namespace zor {

namespace {

std::wstring wideOf(std::string_view utf8) {
    const std::u16string units = utf8ToUtf16(utf8);
    return std::wstring(units.begin(), units.end());
}

// Converts with the given flags; none when the system refuses them or a character did not fit.
std::optional<std::string> toCodePage(UINT codePage, const std::wstring& wide, DWORD flags,
                                      bool askUsedDefault) {
    const int length = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    BOOL* const used = askUsedDefault ? &usedDefault : nullptr;
    const int needed =
        WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, nullptr, used);
    if (needed <= 0 || usedDefault) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), length, bytes.data(), needed, nullptr,
                        nullptr);
    return bytes;
}

}  // namespace

int ansiCodePage() {
    return static_cast<int>(GetACP());
}

bool codePageAvailable(int codePage) {
    return codePage > 0 && IsValidCodePage(static_cast<UINT>(codePage)) != FALSE;
}

std::string decodeCodePage(int codePage, std::string_view bytes) {
    if (bytes.empty()) {
        return {};
    }
    const UINT page = codePageAvailable(codePage) ? static_cast<UINT>(codePage) : CP_ACP;
    const int length = static_cast<int>(bytes.size());
    const int needed = MultiByteToWideChar(page, 0, bytes.data(), length, nullptr, 0);
    if (needed <= 0) {
        return toValidUtf8(bytes);
    }
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(page, 0, bytes.data(), length, wide.data(), needed);
    return utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

std::optional<std::string> decodeCodePageExactly(int codePage, std::string_view bytes) {
    if (!codePageAvailable(codePage)) {
        return std::nullopt;
    }
    if (bytes.empty()) {
        return std::string();
    }
    const auto page = static_cast<UINT>(codePage);
    const int length = static_cast<int>(bytes.size());
    const int needed =
        MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
    if (needed <= 0) {
        return std::nullopt;  // an undefined sequence, or a code page that cannot tell
    }
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, bytes.data(), length, wide.data(), needed);
    return utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

std::optional<std::string> encodeCodePage(int codePage, std::string_view utf8) {
    if (isAscii(utf8)) {
        return std::string(utf8);
    }
    const UINT page = codePageAvailable(codePage) ? static_cast<UINT>(codePage) : CP_ACP;
    const std::wstring wide = wideOf(utf8);
    SetLastError(ERROR_SUCCESS);
    if (auto bytes = toCodePage(page, wide, WC_NO_BEST_FIT_CHARS, true)) {
        return bytes;
    }
    if (GetLastError() != ERROR_INVALID_FLAGS && GetLastError() != ERROR_INVALID_PARAMETER) {
        return std::nullopt;
    }
    // Code pages such as UTF-8 and the ISO-2022 family take no flags and cannot report a stand-in
    // character: the text fits when it converts back unchanged.
    auto bytes = toCodePage(page, wide, 0, false);
    if (!bytes || decodeCodePage(static_cast<int>(page), *bytes) != toValidUtf8(utf8)) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace zor
