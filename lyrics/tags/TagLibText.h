#pragma once

#include <taglib/tstring.h>
#include <taglib/tstringlist.h>

#include <string>

#include "lyrics/text/Utf16.h"

namespace zor {

// TagLib holds text as UTF-16 code units in a wide string; inside this system text is UTF-8.
inline std::string utf8Of(const TagLib::String& text) {
    return wideUnitsToUtf8(text.toWString());
}

// Several values of one field, as the lines of one text.
inline std::string utf8Lines(const TagLib::StringList& values) {
    std::string text;
    for (const auto& value : values) {
        if (!text.empty()) {
            text += "\r\n";
        }
        text += utf8Of(value);
    }
    return text;
}

inline TagLib::String tagLibString(const std::string& utf8) {
    return TagLib::String(utf8, TagLib::String::UTF8);
}

}  // namespace zor
