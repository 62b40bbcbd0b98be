#pragma once

#include <string>

class ID3_Tag;
class ID3_Frame;

namespace zor {

// Lyrics frame operations on an id3lib tag. The tag is owned by the caller for one read or write.
// The text returned by getID3Lyrics is single-byte text; a frame stored as UTF-16 is converted to
// the single-byte code page with '?' for characters that have no single-byte form.
bool getID3Lyrics(ID3_Tag* tag, std::string& text);  // false: no lyrics frame
int removeID3Lyrics(ID3_Tag* tag);
ID3_Frame* setID3Lyrics(ID3_Tag* tag, const std::string& text, const std::string& description,
                        const std::string& language, bool replace);

enum class Id3StoreResult {
    Stored,          // the frame reads back from the file and the audio is unchanged
    NothingToStore,  // empty text: the file is not touched
    Refused,         // a tag the library cannot rewrite in full (ID3v2.4 or later, or unparsable)
    Failed,          // the file could not be opened, written, repaired or verified
};

struct Id3StoreOutcome {
    Id3StoreResult result;
    std::string message;  // for the user, empty when stored
};

// Stores text as the song's single lyrics frame (language "XXX", empty description), replacing
// every lyrics frame there was, with the repair of the library's temporary file.
Id3StoreOutcome storeLyricsInMp3(const std::string& songPath, const std::string& text);

}  // namespace zor
