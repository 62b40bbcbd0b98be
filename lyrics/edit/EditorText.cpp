// Moving lyrics between the list and the text editor's single text.
#include "lyrics/edit/EditorText.h"

#include <algorithm>

#include "lyrics/model/TextLimits.h"
#include "lyrics/text/Utf8.h"

namespace zor {

namespace {

constexpr std::string_view kLineBreak = "\r\n";

void appendBounded(std::vector<std::string>& lines, std::string_view piece) {
    if (piece.empty()) {
        lines.emplace_back();
        return;
    }
    while (!piece.empty()) {
        const std::size_t length = utf8PrefixBytes(piece, kMaxLineChars);
        lines.emplace_back(piece.substr(0, length));
        piece.remove_prefix(length);
    }
}

}  // namespace

std::string joinEditorLines(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i != 0) {
            text += kLineBreak;
        }
        text += lines[i];
    }
    return text;
}

std::vector<std::string> splitEditorText(std::string_view text) {
    std::vector<std::string> lines;
    for (std::size_t breakAt = text.find(kLineBreak); breakAt != std::string_view::npos;
         breakAt = text.find(kLineBreak)) {
        appendBounded(lines, text.substr(0, breakAt));
        text.remove_prefix(breakAt + kLineBreak.size());
    }
    if (!text.empty()) {
        appendBounded(lines, text);
    }
    return lines;
}

}  // namespace zor
