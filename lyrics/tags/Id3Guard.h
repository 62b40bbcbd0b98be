#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "lyrics/platform/FileSystem.h"

namespace zor {

// id3lib trusts sizes inside a tag: a compressed frame makes it allocate whatever size the frame
// claims (gigabytes from a few bytes), and an ID3v2.4 extended header with other than one flag
// byte makes it write past a buffer. Such a tag is never handed to the library; the song is then
// treated as having no readable ID3v2 tag.
//
// Where unsigned long is wider than 32 bits (Debian's 64-bit libid3, which the native builds use),
// the library also has zlib write an unsigned long over its 32-bit size on the stack, so there no
// compressed frame is handed to it at all.
inline constexpr bool kId3libInflatesSafely = sizeof(unsigned long) == 4;
bool id3TagSafeForLibrary(std::string_view songStart);

// The ID3v2 tag at the start of a song, header included, as far as the file holds it: the empty
// text when the song has none, nothing when it cannot be opened as a regular file.
std::optional<std::string> readLeadingId3v2Tag(FileSystem& files, const std::string& songPath);

// The same for a song on disk: reads its ID3v2 tag (if any) and checks it. A song that cannot be
// opened as a regular file is not handed over either.
bool id3TagSafeForLibrary(FileSystem& files, const std::string& songPath);

}  // namespace zor
