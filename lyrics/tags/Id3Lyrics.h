#pragma once

#include <functional>
#include <string>

#include "lyrics/text/TextEncoding.h"

class ID3_Tag;
class ID3_Frame;

namespace zor {

// Lyrics frame operations on an id3lib tag. The tag is owned by the caller for one read or write.
// Texts are UTF-8. getID3Lyrics reads frames in ISO-8859-1 and UTF-16 (the two the library keeps
// intact) and gives the frame's encoding when asked; false: no lyrics frame. setID3Lyrics stores
// ISO-8859-1 when the text fits it, otherwise UTF-16 with a byte-order mark.
bool getID3Lyrics(ID3_Tag* tag, std::string& text, TextEncoding* encoding = nullptr);
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

enum class Id3TagWrite {
    Attempted,   // the song may have been rewritten; the file tells whether it was
    Unreadable,  // the library could not take in the whole tag; nothing was written
};

// The step that rewrites the song's ID3v2 tag with text as its single lyrics frame. The library
// does it; tests put a stand-in here to reach the checks that follow it.
using Id3TagWriter =
    std::function<Id3TagWrite(const std::string& songPath, const std::string& text)>;
Id3TagWrite writeLyricsTagWithLibrary(const std::string& songPath, const std::string& text);

// Stores text as the song's single lyrics frame (language "XXX", empty description), replacing
// every lyrics frame there was, with the repair of the library's temporary file. Only the ID3v2
// tag changes: the audio and any Lyrics3 and ID3v1 trailer stay byte for byte.
Id3StoreOutcome storeLyricsInMp3(const std::string& songPath, const std::string& text);
Id3StoreOutcome storeLyricsInMp3Using(const Id3TagWriter& writeTag, const std::string& songPath,
                                      const std::string& text);

}  // namespace zor
