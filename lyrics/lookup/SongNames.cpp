#include "lyrics/lookup/SongNames.h"

#include <algorithm>
#include <cctype>

#include "lyrics/model/TextFunctions.h"
#include "lyrics/model/TextLimits.h"
#include "lyrics/platform/FileSystem.h"
#include "lyrics/text/Utf8.h"

namespace zor {

namespace {

bool isStreamAddress(const std::string& path) {
    return path.find("://") != std::string::npos;
}

std::size_t fileNameStart(const std::string& path) {
    const auto separator = path.find_last_of("\\/");
    return separator == std::string::npos ? 0 : separator + 1;
}

std::string withinPathLimit(const std::string& name) {
    return utf8CharCount(name) > kMaxPathChars ? std::string() : name;
}

}  // namespace

SongNames splitSongPath(const std::string& songPath) {
    SongNames names;
    const std::size_t start = fileNameStart(songPath);
    if (isStreamAddress(songPath) || start == songPath.size()) {
        return names;
    }
    const auto dot = songPath.find_last_of('.');
    if (dot == std::string::npos || dot < start) {
        names.stem = songPath + ".";
    } else {
        names.extension = songPath.substr(dot + 1);
        names.stem = songPath.substr(0, dot + 1);
    }
    names.baseName = names.stem.substr(start);
    return names;
}

bool isMp3Path(const std::string& songPath) {
    return equalsIgnoringCase(splitSongPath(songPath).extension, "MP3");
}

std::string nameBesideSong(const std::string& songPath, const std::string& extension) {
    const SongNames names = splitSongPath(songPath);
    if (names.stem.empty()) {
        return {};
    }
    return withinPathLimit(names.stem + extension);
}

std::string nameInFolder(const std::string& folder, const std::string& songPath,
                         const std::string& extension) {
    const SongNames names = splitSongPath(songPath);
    if (folder.empty() || names.baseName.empty()) {
        return {};
    }
    std::string name = folder;
    if (!isPathSeparator(name.back())) {
        name += kPathSeparator;
    }
    return withinPathLimit(name + names.baseName + extension);
}

}  // namespace zor
