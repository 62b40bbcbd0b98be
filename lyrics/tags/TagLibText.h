#pragma once

#include <taglib/tstring.h>

#include <string>

namespace zor {

// TagLib holds text as Unicode; inside this system text is UTF-8.
inline std::string utf8Of(const TagLib::String& text) {
    return text.to8Bit(true);
}

inline TagLib::String tagLibString(const std::string& utf8) {
    return TagLib::String(utf8, TagLib::String::UTF8);
}

}  // namespace zor
