// Saving editList: as an LRC file through a temporary file, or into the MP3's lyrics frame.
#include "lyrics/edit/LyricsWriter.h"

#include <cctype>

#include "lyrics/edit/SafeWrite.h"
#include "lyrics/lookup/LyricsFileNames.h"
#include "lyrics/lookup/SongNames.h"
#include "lyrics/model/LyricsCore.h"
#include "lyrics/model/MemoryLineList.h"
#include "lyrics/ports/ErrorReport.h"

namespace zor {

namespace {

constexpr const char* kPluginCaption = "Maresh's Zor Lyrics plugin!!!!";
constexpr const char* kSaveCaption = "Save";
constexpr const char* kErrorCaption = "Error";
constexpr const char* kNothingToStoreText = "There are no lyrics to save into the MP3 file.";
constexpr const char* kStoreFailedText = "The lyrics could not be saved into the MP3 file.";

constexpr int kPathNotFoundCode = 3;

enum class SaveChoice { IntoMp3, LrcFile, Cancelled };

// "mp3", "flac": the kind of song the lyrics went into, as the removal question names it.
std::string kindOfSong(const std::string& songPath) {
    std::string kind = lyricsStoreName(songPath);
    if (kind.empty()) {
        return "mp3";
    }
    for (char& c : kind) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return kind;
}

}  // namespace

LrcFileBytes lrcFileBytes(const LineList& lines, const TextEncoding& encoding, LineEnd lineEnd) {
    const std::string_view end = lineEndText(lineEnd);
    std::string text;
    const int count = lines.count();
    for (int i = 0; i < count; ++i) {
        text += lines.text(i);
        if (i + 1 < count) {
            text += end;
        }
    }
    if (auto bytes = encodeFileText(encoding, text)) {
        return {encoding, std::move(*bytes)};
    }
    const TextEncoding utf8{EncodingKind::Utf8Bom, 0};
    return {utf8, *encodeFileText(utf8, text)};
}

namespace {

// storeName: the song's kind when lyrics can go into it ("MP3", "FLAC"), else empty.
SaveChoice chooseTarget(Prompt& prompt, const std::string& storeName, int mode) {
    if (storeName.empty()) {
        return SaveChoice::LrcFile;
    }
    if (mode == -1) {
        return SaveChoice::IntoMp3;
    }
    if (mode != 0) {
        return SaveChoice::LrcFile;
    }
    switch (prompt.show(PromptOwner::PluginWindow, "Save INTO " + storeName + " FILE???",
                        kSaveCaption, PromptButtons::YesNoCancel)) {
        case PromptAnswer::Yes:
            return SaveChoice::IntoMp3;
        case PromptAnswer::No:
            return SaveChoice::LrcFile;
        default:
            return SaveChoice::Cancelled;
    }
}

// What the user is told when the store wrote nothing.
std::string storeFailureText(const Id3StoreOutcome& outcome) {
    if (!outcome.message.empty()) {
        return outcome.message;
    }
    return outcome.result == Id3StoreResult::NothingToStore ? kNothingToStoreText
                                                            : kStoreFailedText;
}

bool saveIntoMp3(LyricsCore& core) {
    const Id3StoreOutcome outcome = core.storeIntoMp3(core.songPath, core.editListText());
    if (outcome.result != Id3StoreResult::Stored) {
        // The external files are kept: they may be the only copy of these lyrics.
        core.prompt.show(PromptOwner::PluginWindow, storeFailureText(outcome), kSaveCaption,
                         PromptButtons::Ok);
        return false;
    }
    // Every external file the lookup would still prefer, in the lookup's order.
    for (const LyricsFileName& name : lyricsFileNames(core.songPath, core.AlternativeLRCPath,
                                                      core.songMetadata(), core.lyricsExt)) {
        core.offerRemoveFile(name.path);
    }
    return true;
}

SafeWriteResult writeLrcFile(LyricsCore& core, const std::string& name) {
    if (name.empty()) {
        // The song path gives no file name to build (a stream address, a name far too long).
        return SafeWriteResult{SafeWriteStatus::NotCreated, kPathNotFoundCode};
    }
    // The lines with the live timing adjustment in their [offset:].
    MemoryLineList lines(false);
    for (const std::string& line : core.linesToSave()) {
        lines.append(line);
    }
    const LrcFileBytes content = lrcFileBytes(lines, core.lyricsEncoding, core.lyricsLineEnd);
    const ContentWriter writeLines = [&content](OutputFile& file) {
        return content.bytes.empty() || file.write(content.bytes.data(), content.bytes.size());
    };
    // On a file system that tells letter case apart, an existing song.lrc is the file to replace.
    const SafeWriteResult result =
        writeThroughTemporary(core.files, core.files.resolve(name), writeLines);
    if (result.status == SafeWriteStatus::Written) {
        core.lyricsEncoding = content.encoding;  // the next save keeps what the file now holds
    }
    return result;
}

// A folder that takes no new file and a file that cannot be replaced (read-only, or held by
// another program) both send the lyrics on to the alternative folder.
bool targetRefused(const SafeWriteResult& result) {
    return result.status == SafeWriteStatus::NotCreated ||
           result.status == SafeWriteStatus::NotReplaced;
}

bool saveLrcFile(LyricsCore& core) {
    SafeWriteResult result = writeLrcFile(core, core.lyricsPath);
    if (targetRefused(result)) {
        if (core.AlternativeLRCPath.empty()) {
            core.prompt.show(PromptOwner::HostMain,
                             "Error saving LRC. Please configure an user path.", kPluginCaption,
                             PromptButtons::Ok);
            return false;
        }
        const std::string alternative =
            nameInFolder(core.AlternativeLRCPath, core.songPath, core.currentExt);
        result = writeLrcFile(core, alternative);
        if (result.status == SafeWriteStatus::Written) {
            core.lyricsPath = alternative;
        }
    }
    if (result.status != SafeWriteStatus::Written) {
        reportError(core.prompt, PromptOwner::None, result.error, kErrorCaption);
        return false;
    }
    return true;
}

}  // namespace

int LyricsCore::saveLyrics(int mode) {
    if (songPath.empty()) {
        return 0;
    }
    if (lyricsPath.empty()) {
        currentExt = "LRC";
        lyricsPath = nameBesideSong(songPath, currentExt);
        // A new file: the ANSI code page while the text fits it, as it always was.
        lyricsEncoding = TextEncoding{};
        lyricsLineEnd = LineEnd::CrLf;
    }
    const SaveChoice choice = chooseTarget(prompt, lyricsStoreName(songPath), mode);
    if (choice == SaveChoice::Cancelled) {
        return 0;
    }
    const bool saved = choice == SaveChoice::IntoMp3 ? saveIntoMp3(*this) : saveLrcFile(*this);
    if (!saved) {
        return 0;
    }
    // The adjustment now lives in the saved [offset:], which the reload applies.
    liveAdjustMs = 0;
    modified = 0;
    return 1;
}

void LyricsCore::offerRemoveFile(const std::string& name) {
    if (!files.openShared(name)) {
        return;
    }
    const std::string existing = files.resolve(name);
    const std::string question = "Do you want remove the file " + existing +
                                 "?\nIf you choose 'NO', the lyrics can be read from this file "
                                 "an not from the " +
                                 kindOfSong(songPath) + " file.";
    if (prompt.show(PromptOwner::PluginWindow, question, "REMOVE THE FILE?",
                    PromptButtons::YesNo) != PromptAnswer::Yes) {
        return;
    }
    if (!files.remove(existing)) {
        // Left in place, the file would still win over the lyrics just stored.
        reportError(prompt, PromptOwner::None, files.lastError(), kErrorCaption);
    }
}

}  // namespace zor
