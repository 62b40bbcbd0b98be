// Storing the lyrics frame into a song. id3lib rewrites the song itself; what it cannot be trusted
// with is checked around it: a tag it would not rewrite in full is refused beforehand, and
// afterwards the song must hold the frame and the very same audio, or it is put back as it was.
#include <id3/tag.h>

#include <memory>
#include <string>

#include "lyrics/platform/LibraryPath.h"
#include "lyrics/tags/Id3Guard.h"
#include "lyrics/tags/Id3Lyrics.h"
#include "lyrics/tags/Mp3Layout.h"
#include "lyrics/tags/SongFileRewrite.h"

namespace zor {

namespace {

constexpr const char* kLanguage = "XXX";

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

// Whether the song holds exactly one lyrics frame with text, and the audio it had before.
std::string checkStored(const std::string& songPath, const std::string& before,
                        const std::string& after, const std::string& text) {
    if (!readId3v2Header(after).libraryRewritable()) {
        return "the MP3 file has no readable ID3v2 tag after writing";
    }
    if (audioOf(after) != audioOf(before)) {
        return "the audio data of the MP3 file changed while writing";
    }
    const auto tag = std::make_unique<ID3_Tag>(pathForLibrary(songPath).c_str());
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
    if (after == before) {
        return failed("The MP3 file could not be written: " + songPath);
    }
    const std::string problem = checkStored(songPath, before, after, text);
    if (problem.empty()) {
        return Id3StoreOutcome{Id3StoreResult::Stored, ""};
    }
    if (overwriteInPlace(songPath, before)) {
        return failed("The lyrics were not stored (" + problem +
                      "); the MP3 file has been put back as it was.");
    }
    return failed("The lyrics were not stored (" + problem +
                  ") and the MP3 file could not be put back as it was: " + songPath);
}

}  // namespace

Id3StoreOutcome storeLyricsInMp3(const std::string& songPath, const std::string& text) {
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
    {
        const auto tag = std::make_unique<ID3_Tag>(pathForLibrary(songPath).c_str());
        if (header.present && !libraryReadTag(*tag, header)) {
            return refused(
                "The ID3v2 tag of the MP3 file cannot be read in full, so it cannot be "
                "rewritten. The lyrics were not stored.");
        }
        setID3Lyrics(tag.get(), text, "", kLanguage, true);
        tag->Update(ID3TT_ALL);  // its result does not tell a complete write; the file does
    }
    if (repairLeftBehindFile(songPath) == RepairResult::Failed) {
        return failed("The rewritten MP3 file was left as " + songPath +
                      std::string(kLeftBehindSuffix) + " and could not be put in its place.");
    }
    return verifyStore(songPath, before, text);
}

}  // namespace zor
