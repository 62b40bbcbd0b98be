#include "lyrics/online/FoundLyricsSaver.h"

#include <vector>

#include "lyrics/edit/LyricsWriter.h"
#include "lyrics/edit/SafeWrite.h"
#include "lyrics/lookup/SongNames.h"
#include "lyrics/model/MemoryLineList.h"

namespace zor {

namespace {

constexpr int kPathNotFoundCode = 3;

struct FoundText {
    const char* extension = nullptr;
    const std::string* text = nullptr;
};

FoundText foundText(const LyricsRecord& record) {
    if (record.hasSynced()) {
        return {"LRC", &*record.syncedLyrics};
    }
    if (record.hasPlain()) {
        return {"TXT", &*record.plainLyrics};
    }
    return {};
}

// The places in the order they are tried.
std::vector<std::string> places(const std::string& songPath, const std::string& alternativeFolder,
                                const char* extension) {
    std::vector<std::string> names;
    if (!alternativeFolder.empty()) {
        names.push_back(nameInFolder(alternativeFolder, songPath, extension));
    }
    names.push_back(nameBesideSong(songPath, extension));
    return names;
}

// The service's lines (LF, perhaps CR LF) as a list, as a new file's lines are written.
LrcFileBytes fileBytes(const std::string& text) {
    MemoryLineList lines(false);
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? end : end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (end == std::string::npos) {
            if (!line.empty()) {
                lines.append(line);
            }
            break;
        }
        lines.append(line);
        start = end + 1;
    }
    return lrcFileBytes(lines, TextEncoding{}, LineEnd::CrLf);
}

}  // namespace

std::string FoundLyricsSaver::targetFor(const LyricsRecord& record, const std::string& songPath,
                                        const std::string& alternativeFolder) const {
    const FoundText found = foundText(record);
    if (found.text == nullptr) {
        return {};
    }
    for (const std::string& name : places(songPath, alternativeFolder, found.extension)) {
        if (!name.empty()) {
            return name;
        }
    }
    return {};
}

FoundSaveOutcome FoundLyricsSaver::save(const LyricsRecord& record, const std::string& songPath,
                                        const std::string& alternativeFolder,
                                        bool replaceExisting) {
    const FoundText found = foundText(record);
    if (found.text == nullptr) {
        return {FoundSaveStatus::NoLyrics, {}, 0};
    }
    const LrcFileBytes content = fileBytes(*found.text);
    const ContentWriter write = [&content](OutputFile& file) {
        return content.bytes.empty() || file.write(content.bytes.data(), content.bytes.size());
    };
    FoundSaveOutcome outcome{FoundSaveStatus::NoName, {}, kPathNotFoundCode};
    for (const std::string& name : places(songPath, alternativeFolder, found.extension)) {
        if (name.empty()) {
            continue;
        }
        // On a file system that tells letter case apart, song.lrc is Song.LRC.
        const std::string target = files_.resolve(name);
        if (!replaceExisting && files_.openShared(target)) {
            return {FoundSaveStatus::Exists, target, 0};
        }
        const SafeWriteResult result = writeThroughTemporary(files_, target, write);
        if (result.status == SafeWriteStatus::Written) {
            return {FoundSaveStatus::Saved, target, 0};
        }
        outcome = {FoundSaveStatus::Failed, target, result.error};
        if (result.status == SafeWriteStatus::Failed) {
            break;  // the place took the file but not its content: a full disk, not a folder
        }
    }
    return outcome;
}

}  // namespace zor
