// Cutting the text editor's text back into list lines: every line fits (limits count characters),
// and no character other than the CR LF breaks between lines is lost or added.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "lyrics/edit/EditorText.h"
#include "lyrics/model/TextLimits.h"
#include "lyrics/text/Utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = zor::splitEditorText(text);

    std::string withoutBreaks;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text.substr(at, 2) == "\r\n") {
            ++at;
        } else {
            withoutBreaks += text[at];
        }
    }
    std::string joined;
    for (const std::string& line : lines) {
        zor::fuzz::check(zor::utf8CharCount(line) <= zor::kMaxLineChars,
                         "a line longer than a lyric line");
        zor::fuzz::check(line.find("\r\n") == std::string::npos, "a line holding a break");
        joined += line;
    }
    zor::fuzz::check(joined == withoutBreaks, "characters lost or added");
    return 0;
}
