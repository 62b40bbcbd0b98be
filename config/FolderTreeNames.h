#pragma once

#include <cstddef>
#include <string>

// The names the folder browser shows and the paths it reads: portable, without the tree.
namespace zor {

// A name written all in capitals (PROGRAM FILES) shows as Program files; a name with any small
// letter, and one without letters (C:), shows as it is.
inline std::string CapitalizeName(std::string text) {
    for (char c : text) {
        if (c >= 'a' && c <= 'z') {
            return text;
        }
    }
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') {
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    }
    return text;
}

// The index-th part of a backslash-separated path: C:\Music\ has C:, Music and an empty last
// part. False when the path has fewer than index backslashes.
inline bool GetPathComponent(const std::string& path, std::size_t index, std::string& component) {
    std::size_t start = 0;
    for (std::size_t skipped = 0; skipped < index; ++skipped) {
        const std::size_t separator = path.find('\\', start);
        if (separator == std::string::npos) {
            return false;
        }
        start = separator + 1;
    }
    const std::size_t end = path.find('\\', start);
    component = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
    return true;
}

// Names compared as the file system compares them: without regard to case.
inline bool sameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace zor
