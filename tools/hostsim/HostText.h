#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

#include "lyrics/platform/WideText.h"

// hostsim's texts are UTF-8 (scripts, output, playlist); the system is asked in UTF-16.
namespace zor::hostsim {

using win::toUtf8;
using win::toWide;

// A UTF-8 path as the file streams take it, so that any Unicode path opens.
inline std::filesystem::path filePath(const std::string& utf8) {
    return std::filesystem::path(toWide(utf8));
}

// A text as a host before 5.3 hands it out: in the ANSI code page, '?' for what it cannot hold.
inline std::string toAnsi(const std::string& utf8) {
    return win::narrowTo(CP_ACP, toWide(utf8));
}

inline std::string fromAnsi(const std::string& ansi) {
    return toUtf8(win::widenFrom(CP_ACP, ansi));
}

}  // namespace zor::hostsim
