// Storing the lyrics frame into a song. id3lib rewrites the song itself; what it cannot be trusted
// with is checked around it: a tag it would not rewrite in full is refused beforehand, and
// afterwards the song's ID3v2 tag must hold the frame and the rest of the song must be unchanged,
// or it is put back as it was.
#include <id3/readers.h>
#include <id3/tag.h>

#include <fstream>
#include <memory>
#include <string>
#include <string_view>

#include "lyrics/platform/LibraryPath.h"
#include "lyrics/tags/Id3Guard.h"
#include "lyrics/tags/Id3Lyrics.h"
#include "lyrics/tags/Mp3Layout.h"
#include "lyrics/tags/SongFileRewrite.h"

namespace zor {

namespace {

constexpr const char* kLanguage = "XXX";
constexpr std::size_t kHeaderSize = 10;

Id3StoreOutcome failed(std::string message) {
    return Id3StoreOutcome{Id3StoreResult::Failed, std::move(message)};
}

Id3StoreOutcome refused(std::string message) {
    return Id3StoreOutcome{Id3StoreResult::Refused, std::move(message)};
}

// Whether the library took in the whole ID3v2 tag that the header announces.
bool libraryReadTag(const ID3_Tag& tag, const Id3v2Header& header) {
    return tag.HasTagType(ID3TT_ID3V2) && tag.GetSpec() != ID3V2_UNKNOWN &&
           static_cast<std::int64_t>(tag.GetPrependedBytes()) == header.tagSize;
}

// Everything after the ID3v2 tag: the audio and the trailer, which a store must not change.
std::string_view afterTag(std::string_view song, const Id3v2Header& header) {
    return song.substr(static_cast<std::size_t>(header.tagSize));
}

// Whether the song's ID3v2 tag holds exactly one lyrics frame, with text, and the rest of the
// song is what it was. Only the ID3v2 tag is read, as a load reads it: opening the whole file,
// the library would also show a Lyrics3 tag as a lyrics frame.
std::string checkStored(const std::string& before, const std::string& after,
                        const std::string& text) {
    const Id3v2Header header = readId3v2Header(after);
    if (!header.libraryRewritable()) {
        return "the MP3 file has no readable ID3v2 tag after writing";
    }
    const Id3v2Header headerBefore = readId3v2Header(before);
    const std::string_view restBefore =
        headerBefore.wellFormed ? afterTag(before, headerBefore) : std::string_view(before);
    if (afterTag(after, header) != restBefore) {
        return "the audio data of the MP3 file changed while writing";
    }
    const std::string_view tagBytes = std::string_view(after).substr(0, header.tagSize);
    if (!id3TagSafeForLibrary(tagBytes)) {
        return "the lyrics do not read back from the MP3 file";
    }
    ID3_MemoryReader reader(tagBytes.data(), tagBytes.size());
    const auto tag = std::make_unique<ID3_Tag>();
    tag->Link(reader, ID3TT_ID3V2);
    std::string stored;
    if (!getID3Lyrics(tag.get(), stored) || stored != text) {
        return "the lyrics do not read back from the MP3 file";
    }
    if (removeID3Lyrics(tag.get()) != 1) {  // in memory only: this tag is never written
        return "the MP3 file holds more than one lyrics frame";
    }
    return {};
}

Id3StoreOutcome verifyStore(const std::string& songPath, const std::string& before,
                            const std::string& text) {
    std::string after;
    if (!readWholeFile(songPath, after)) {
        return failed("The MP3 file could not be read after writing: " + songPath);
    }
    const std::string problem = checkStored(before, after, text);
    if (problem.empty()) {
        // Also when nothing changed: the song already held these very lyrics.
        return Id3StoreOutcome{Id3StoreResult::Stored, ""};
    }
    if (after == before) {
        return failed("The MP3 file could not be written: " + songPath);
    }
    if (overwriteInPlace(songPath, before)) {
        return failed("The lyrics were not stored (" + problem +
                      "); the MP3 file has been put back as it was.");
    }
    return failed("The lyrics were not stored (" + problem +
                  ") and the MP3 file could not be put back as it was: " + songPath);
}

}  // namespace

Id3TagWrite writeLyricsTagWithLibrary(const std::string& songPath, const std::string& text) {
    std::string start(kHeaderSize, '\0');
    std::ifstream(pathForLibrary(songPath), std::ios::binary).read(start.data(), kHeaderSize);
    const Id3v2Header header = readId3v2Header(start);
    const auto tag = std::make_unique<ID3_Tag>(pathForLibrary(songPath).c_str());
    if (header.present && !libraryReadTag(*tag, header)) {
        return Id3TagWrite::Unreadable;
    }
    setID3Lyrics(tag.get(), text, "", kLanguage, true);
    // The ID3v2 tag only: the library would rebuild an ID3v1 trailer from the merged frames, or
    // add one where the user had none. Its result does not tell a complete write; the file does.
    tag->Update(ID3TT_ID3V2);
    return Id3TagWrite::Attempted;
}

Id3StoreOutcome storeLyricsInMp3(const std::string& songPath, const std::string& text) {
    return storeLyricsInMp3Using(writeLyricsTagWithLibrary, songPath, text);
}

Id3StoreOutcome storeLyricsInMp3Using(const Id3TagWriter& writeTag, const std::string& songPath,
                                      const std::string& text) {
    if (text.empty()) {
        return Id3StoreOutcome{Id3StoreResult::NothingToStore,
                               "There are no lyrics to save into the MP3 file."};
    }
    std::string before;
    if (!readWholeFile(songPath, before)) {
        // Also keeps the library from creating a file that does not exist.
        return failed("The MP3 file could not be opened: " + songPath);
    }
    const Id3v2Header header = readId3v2Header(before);
    if (header.present && !header.libraryRewritable()) {
        return refused(header.wellFormed && header.major >= 4
                           ? "The MP3 file has an ID3v2." + std::to_string(header.major) +
                                 " tag, which cannot be rewritten without losing its other "
                                 "information. The lyrics were not stored."
                           : "The ID3v2 tag of the MP3 file cannot be read in full, so it cannot "
                             "be rewritten. The lyrics were not stored.");
    }
    if (!id3TagSafeForLibrary(before)) {
        return refused(
            "The ID3v2 tag of the MP3 file cannot be read in full, so it cannot be "
            "rewritten. The lyrics were not stored.");
    }
    if (writeTag(songPath, text) == Id3TagWrite::Unreadable) {
        return refused(
            "The ID3v2 tag of the MP3 file cannot be read in full, so it cannot be "
            "rewritten. The lyrics were not stored.");
    }
    if (repairLeftBehindFile(songPath) == RepairResult::Failed) {
        return failed("The rewritten MP3 file was left as " + songPath +
                      std::string(kLeftBehindSuffix) + " and could not be put in its place.");
    }
    return verifyStore(songPath, before, text);
}

}  // namespace zor
