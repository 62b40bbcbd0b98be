#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zor {

// The 10-byte ID3v2 header at the start of a song, read by ourselves: the library cannot tell us
// about a tag it does not understand.
struct Id3v2Header {
    bool present = false;     // the song starts with "ID3"
    bool wellFormed = false;  // version bytes and sync-safe size are valid
    int major = 0;            // 2, 3, 4, ...
    int minor = 0;
    std::int64_t tagSize = 0;  // header, frames, padding and footer: where the audio starts

    // The library reads versions 2.2 and 2.3 in full and writes 2.3; a later version would be
    // replaced by a tag holding only what the library understood.
    bool libraryRewritable() const { return wellFormed && (major == 2 || major == 3); }
};

Id3v2Header readId3v2Header(std::string_view song);

// The bytes between the ID3v2 tag and the trailer (an ID3v1 tag and a Lyrics3 tag ahead of it),
// which no tag write may change.
std::string_view audioOf(std::string_view song);

// ID3v2 data with its unsynchronisation undone: FF 00 pairs turned back into FF.
std::string resynchronised(std::string_view data);

}  // namespace zor
