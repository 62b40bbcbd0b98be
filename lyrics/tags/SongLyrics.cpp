// Which format reads a song, and the store through TagLib: the song is rewritten in memory, checked
// there (lyrics read back, audio and every other tag unchanged), and only then written over the
// file, which is read back and put back as it was when it does not hold what was written.
#include "lyrics/tags/SongLyrics.h"

#include <taglib/tbytevectorstream.h>

#include <algorithm>
#include <cctype>

#include "lyrics/lookup/SongNames.h"
#include "lyrics/tags/Mp3Layout.h"
#include "lyrics/tags/SongFileRewrite.h"
#include "lyrics/tags/SongTagFormat.h"
#include "lyrics/tags/TagLibStream.h"

namespace zor {

namespace {

std::string upperExtension(const std::string& songPath) {
    std::string extension = splitSongPath(songPath).extension;
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return extension;
}

// An Ogg stream's first packet names its codec; "OpusHead" lies within the first page's header.
bool startsOpusStream(std::string_view songStart) {
    return songStart.substr(0, 64).find("OpusHead") != std::string_view::npos;
}

// The format for a song that is not an MP3, looking at its first bytes where the extension does
// not tell (an .ogg song may hold Vorbis or Opus).
const SongTagFormat* formatFor(const std::string& extension, std::string_view songStart) {
    if (extension == "FLAC") {
        return &flacFormat();
    }
    if (extension == "OGG" || extension == "OGA") {
        return startsOpusStream(songStart) ? &opusFormat() : &oggVorbisFormat();
    }
    if (extension == "OPUS") {
        return &opusFormat();
    }
    if (extension == "M4A" || extension == "MP4" || extension == "M4B") {
        return &mp4Format();
    }
    if (extension == "APE") {
        return &apeTagFormat(ApeContainer::MonkeysAudio);
    }
    if (extension == "MPC") {
        return &apeTagFormat(ApeContainer::Musepack);
    }
    if (extension == "WV") {
        return &apeTagFormat(ApeContainer::WavPack);
    }
    if (extension == "WMA" || extension == "ASF") {
        return &asfFormat();
    }
    return nullptr;
}

std::string readStart(InputFile& file) {
    std::string start(64, '\0');
    const std::int64_t n = file.seek(0) ? file.read(start.data(), start.size()) : -1;
    start.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    file.seek(0);
    return start;
}

std::string_view viewOf(const TagLib::ByteVector& bytes) {
    return {bytes.data(), bytes.size()};
}

Id3StoreOutcome outcome(Id3StoreResult result, std::string message) {
    return Id3StoreOutcome{result, std::move(message)};
}

bool sameAudio(const SongTagFormat& format, const std::string& before,
               const TagLib::ByteVector& after) {
    const auto audioBefore = format.audioOf(before);
    if (!audioBefore) {
        return false;
    }
    const auto audioAfter = format.audioOf(viewOf(after));
    return audioAfter && *audioBefore == *audioAfter;
}

// Why the song rewritten in memory may not be written, or empty when it may. The checks run one
// after the other, so at most two copies of the audio are held besides the song's two versions.
std::string checkRewritten(const SongTagFormat& format, const std::string& before,
                           const TagLib::ByteVector& after, const std::string& text,
                           const std::string& otherTagsBefore) {
    const std::string fileName = "the " + format.name() + " file";
    if (!sameAudio(format, before, after)) {
        return "the audio data of " + fileName + " would change";
    }
    // TagLib shares a vector's bytes between copies until one is changed: these read in place.
    TagLib::ByteVectorStream readBack(after);
    if (format.readLyrics(readBack) != text) {
        return "the lyrics do not read back from " + fileName;
    }
    TagLib::ByteVectorStream others(after);
    if (format.otherTagsOf(others) != otherTagsBefore) {
        return "other information in " + fileName + " would change";
    }
    return {};
}

Id3StoreOutcome writeChecked(const SongTagFormat& format, const std::string& songPath,
                             const std::string& before, const TagLib::ByteVector& after) {
    const std::string fileName = format.name() + " file";
    std::string written;
    if (overwriteInPlace(songPath, viewOf(after)) && readWholeFile(songPath, written) &&
        written == viewOf(after)) {
        return outcome(Id3StoreResult::Stored, "");
    }
    if (overwriteInPlace(songPath, before)) {
        return outcome(Id3StoreResult::Failed, "The lyrics were not stored (the " + fileName +
                                                   " could not be written); the " + fileName +
                                                   " has been put back as it was.");
    }
    return outcome(Id3StoreResult::Failed, "The lyrics were not stored and the " + fileName +
                                               " could not be put back as it was: " + songPath);
}

Id3StoreOutcome storeThroughTagLib(const SongTagFormat& format, const std::string& songPath,
                                   const std::string& before, const std::string& text) {
    const std::string fileName = format.name() + " file";
    if (!format.audioOf(before)) {
        return outcome(Id3StoreResult::Refused, "The " + fileName +
                                                    " cannot be read in full, so it cannot be "
                                                    "rewritten. The lyrics were not stored.");
    }
    TagLib::ByteVectorStream song(
        TagLib::ByteVector(before.data(), static_cast<unsigned int>(before.size())));
    std::string otherTagsBefore;
    {
        TagLib::ByteVectorStream original(*song.data());
        otherTagsBefore = format.otherTagsOf(original);
    }
    const std::string refusal = format.storeLyrics(song, text);
    if (!refusal.empty()) {
        return outcome(Id3StoreResult::Refused, refusal);
    }
    const TagLib::ByteVector& after = *song.data();
    const std::string problem = checkRewritten(format, before, after, text, otherTagsBefore);
    if (!problem.empty()) {
        return outcome(Id3StoreResult::Refused, "The lyrics were not stored (" + problem +
                                                    "); the " + fileName + " was not changed.");
    }
    return writeChecked(format, songPath, before, after);
}

}  // namespace

bool songMayHoldLyrics(const std::string& songPath) {
    return isMp3Path(songPath) || formatFor(upperExtension(songPath), {}) != nullptr;
}

std::optional<std::string> readSongTagLyrics(FileSystem& files, const std::string& songPath) {
    const auto file = files.openShared(songPath);
    if (!file) {
        return std::nullopt;
    }
    const SongTagFormat* format = formatFor(upperExtension(songPath), readStart(*file));
    if (format == nullptr) {
        return std::nullopt;
    }
    InputFileStream stream(*file);
    return format->readLyrics(stream);
}

std::optional<std::string> readId3v2TagLyrics(std::string_view leadingTag) {
    TagLib::ByteVectorStream stream(
        TagLib::ByteVector(leadingTag.data(), static_cast<unsigned int>(leadingTag.size())));
    return id3v2Format().readLyrics(stream);
}

std::optional<std::string> readMp3ApeLyrics(FileSystem& files, const std::string& songPath) {
    const auto file = files.openShared(songPath);
    if (!file) {
        return std::nullopt;
    }
    InputFileStream stream(*file);
    return apeTagFormat(ApeContainer::Mp3).readLyrics(stream);
}

std::string lyricsStoreName(const std::string& songPath) {
    std::string extension = upperExtension(songPath);
    if (extension == "MP3") {
        return extension;
    }
    const SongTagFormat* format = formatFor(extension, {});
    return format != nullptr && format->canStore() ? extension : std::string();
}

Id3StoreOutcome storeLyricsInSong(const std::string& songPath, const std::string& text) {
    const std::string extension = upperExtension(songPath);
    std::string before;
    const bool read = readWholeFile(songPath, before);
    if (extension == "MP3") {
        const Id3v2Header header = readId3v2Header(before);
        if (!read || text.empty() || !header.wellFormed || header.major != 4) {
            return storeLyricsInMp3(songPath, text);
        }
    }
    if (text.empty()) {
        return outcome(Id3StoreResult::NothingToStore,
                       "There are no lyrics to save into the " + extension + " file.");
    }
    if (!read) {
        return outcome(Id3StoreResult::Failed,
                       "The " + extension + " file could not be opened: " + songPath);
    }
    const SongTagFormat* format =
        extension == "MP3" ? &id3v2Format() : formatFor(extension, before);
    if (format == nullptr || !format->canStore()) {
        return outcome(Id3StoreResult::Refused,
                       "Lyrics cannot be stored into this kind of file: " + songPath);
    }
    return storeThroughTagLib(*format, songPath, before, text);
}

}  // namespace zor
