#pragma once

#include <map>
#include <optional>
#include <string>

#include "CliPorts.h"
#include "lyrics/model/LyricsCore.h"
#include "lyrics/model/MemoryLineList.h"

namespace zor::cli {

// The portable core over in-memory lists, with the edit list or the lyrics list showing.
struct Session {
    Session(bool editMode, const std::string& song,
            std::map<std::string, std::string> metadata = {},
            std::optional<std::string> playlistTitle = std::nullopt, int codePage = 0)
        : lyricsList(!editMode),
          editList(editMode),
          host(song, std::move(metadata), std::move(playlistTitle)),
          core(lyricsList, editList, host, prompt, platformFileSystem()) {
        // The playlist title given here never changes, so waiting for it to open is pointless.
        core.openingWait.retries = 0;
        core.CodePage = codePage;
    }

    MemoryLineList lyricsList;
    MemoryLineList editList;
    CliHost host;
    DecliningPrompt prompt;
    LyricsCore core;
};

}  // namespace zor::cli
