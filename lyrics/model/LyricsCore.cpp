#include "lyrics/model/LyricsCore.h"

namespace zor {

LyricsCore::LyricsCore(LineList& lyricsList, LineList& editList, HostLink& host, Prompt& prompt,
                       FileSystem& files)
    : lyricsList(lyricsList), editList(editList), host(host), prompt(prompt), files(files) {
    timeTags[0] = TimeTag{0, kEndOfTable};
}

std::string LyricsCore::editListText() const {
    std::string text;
    const int n = editList.count();
    for (int i = 0; i < n; ++i) {
        if (i > 0) {
            text += "\r\n";
        }
        text += editList.text(i);
    }
    return text;
}

}  // namespace zor
