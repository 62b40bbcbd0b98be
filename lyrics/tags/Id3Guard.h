#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "lyrics/platform/FileSystem.h"

namespace zor {

// Every build links the id3lib that scripts/setup builds with patches/id3lib, which mend the
// faults below; the guard still keeps the tags that set them off from the library, so that a
// copy of the library without them (or a fault of the same kind not yet mended) does no harm.
// id3lib trusts sizes inside a tag: a compressed frame makes it allocate whatever size the frame
// claims, and an ID3v2.4 extended header with other than one flag byte makes it write past a
// buffer. It reads a people list of odd length in a two-byte encoding forever, and inflates the
// frames a version 2.2 compressed frame holds at any size. Such a tag is never handed to the
// library; the song is then treated as having no readable ID3v2 tag.
bool id3TagSafeForLibrary(std::string_view songStart);

// The ID3v2 tag at the start of a song, header included, as far as the file holds it: the empty
// text when the song has none, nothing when it cannot be opened as a regular file.
std::optional<std::string> readLeadingId3v2Tag(FileSystem& files, const std::string& songPath);

// The same for a song on disk: reads its ID3v2 tag (if any) and checks it. A song that cannot be
// opened as a regular file is not handed over either.
bool id3TagSafeForLibrary(FileSystem& files, const std::string& songPath);

}  // namespace zor
