#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// The one place where the Windows side turns text between the core's UTF-8 and the UTF-16 of the
// W calls (and, for what still arrives in a single-byte code page, from that code page). Invalid
// UTF-8 becomes U+FFFD rather than being dropped, so a bad byte stays visible.
namespace zor::win {

// A code page's bytes as UTF-16; CP_UTF8 for the core's own text.
inline std::wstring widenFrom(UINT codePage, std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int needed = ::MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    if (needed <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(), needed);
    return wide;
}

// UTF-16 in a code page; a character the code page cannot hold becomes '?' (CP_UTF8 holds all).
inline std::string narrowTo(UINT codePage, std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int needed =
        ::WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) {
        return {};
    }
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    ::WideCharToMultiByte(codePage, 0, text.data(), length, bytes.data(), needed, nullptr, nullptr);
    return bytes;
}

inline std::wstring toWide(std::string_view utf8) {
    return widenFrom(CP_UTF8, utf8);
}

inline std::string toUtf8(std::wstring_view wide) {
    return narrowTo(CP_UTF8, wide);
}

// A NUL-terminated UTF-16 text of at most maxChars units (the host's and the system's buffers),
// never cutting a surrogate pair in two.
inline std::string toUtf8Bounded(const wchar_t* wide, std::size_t maxChars) {
    if (wide == nullptr) {
        return {};
    }
    std::size_t length = 0;
    while (length < maxChars && wide[length] != L'\0') {
        ++length;
    }
    // Cut at the bound, a pair's first half is left out rather than read past the bound.
    if (length > 0 && wide[length - 1] >= 0xD800 && wide[length - 1] <= 0xDBFF) {
        --length;
    }
    return toUtf8(std::wstring_view(wide, length));
}

}  // namespace zor::win
