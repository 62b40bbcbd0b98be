#include "lyrics/model/LyricsCore.h"

namespace zor {

LyricsCore::LyricsCore(LineList& lyricsList, LineList& editList, HostLink& host, Prompt& prompt,
                       FileSystem& files)
    : lyricsList(lyricsList), editList(editList), host(host), prompt(prompt), files(files) {}

std::string LyricsCore::editListText() const {
    std::string text;
    const std::vector<std::string> lines = linesToSave();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            text += "\r\n";
        }
        text += lines[i];
    }
    return text;
}

}  // namespace zor
