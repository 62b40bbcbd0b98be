#include "lyrics/lookup/LyricsFileNames.h"

#include <cstring>

#include "lyrics/lookup/SongNames.h"
#include "lyrics/model/TextLimits.h"
#include "lyrics/platform/FileSystem.h"

namespace zor {

namespace {

constexpr const char* kLyricsFolder = "Lyrics";

// Windows refuses these in a file name; control characters too.
bool fileNameCanHold(char c) {
    return static_cast<unsigned char>(c) >= 0x20 && std::strchr("\\/:*?\"<>|", c) == nullptr;
}

std::string withSeparator(std::string folder) {
    if (!folder.empty() && !isPathSeparator(folder.back())) {
        folder += kPathSeparator;
    }
    return folder;
}

// The song's folder with its separator, as the song path writes it; empty for a bare name.
std::string songFolder(const std::string& songPath) {
    const auto separator = songPath.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : songPath.substr(0, separator + 1);
}

}  // namespace

std::string artistTitleName(const SongMetadata& metadata) {
    if (metadata.artist.empty() || metadata.title.empty()) {
        return {};
    }
    std::string name = metadata.artist + " - " + metadata.title;
    for (char& c : name) {
        if (!fileNameCanHold(c)) {
            c = '_';
        }
    }
    return name;
}

std::vector<LyricsFileName> lyricsFileNames(const std::string& songPath,
                                            const std::string& alternativeFolder,
                                            const SongMetadata& metadata,
                                            const std::array<std::string, 2>& extensions) {
    std::vector<LyricsFileName> names;
    const bool namesSong = !splitSongPath(songPath).stem.empty();
    const std::string artistTitle = namesSong ? artistTitleName(metadata) : std::string();
    auto add = [&](const std::string& path, const std::string& extension) {
        if (!path.empty() && path.size() <= kMaxPathChars) {
            names.push_back(LyricsFileName{path, extension});
        }
    };
    auto addArtistTitle = [&](const std::string& folder) {
        if (!artistTitle.empty()) {
            for (const std::string& extension : extensions) {
                std::string name = withSeparator(folder);
                name += artistTitle;
                name += '.';
                add(name + extension, extension);
            }
        }
    };

    if (!alternativeFolder.empty()) {
        for (const std::string& extension : extensions) {
            add(nameInFolder(alternativeFolder, songPath, extension), extension);
        }
        addArtistTitle(alternativeFolder);
    }
    for (const std::string& extension : extensions) {
        add(nameBesideSong(songPath, extension), extension);
    }
    if (namesSong) {
        const std::string lyricsFolder = songFolder(songPath) + kLyricsFolder;
        for (const std::string& extension : extensions) {
            add(nameInFolder(lyricsFolder, songPath, extension), extension);
        }
        addArtistTitle(lyricsFolder);
    }
    return names;
}

}  // namespace zor
