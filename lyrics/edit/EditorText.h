#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zor {

// The text editor's view of a list: its lines joined by CR LF, with none after the last.
std::string joinEditorLines(const std::vector<std::string>& lines);

// Cuts edited text back into list lines at each CR LF. Every piece is a line, empty ones
// included, except an empty piece after the last CR LF. A piece longer than a lyric line may be
// (kMaxLineChars) is split into several lines of at most that length, so no typed character is
// lost and every line fits the list and reads back from a saved file unchanged.
std::vector<std::string> splitEditorText(std::string_view text);

}  // namespace zor
