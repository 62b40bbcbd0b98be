#pragma once

#include <cstddef>

// The limits of the fixed buffers the system always had, counted in characters of its UTF-8
// text: a cut never falls inside a character.
namespace zor {

inline constexpr std::size_t kTextBufferSize = 512;  // paths, lines, list items, host answers
inline constexpr std::size_t kMaxLineChars = 510;    // a lyric line as read
inline constexpr std::size_t kMaxItemChars = 511;    // a list item
inline constexpr std::size_t kMaxPathChars = 511;    // a composed path
inline constexpr std::size_t kLibraryPathChars = 260;
inline constexpr std::size_t kExtensionSize = 6;

}  // namespace zor
