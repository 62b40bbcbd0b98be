#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "lyrics/text/TextEncoding.h"

// The text of an ID3v2 lyrics frame in each of its four encodings. id3lib keeps only ISO-8859-1
// and UTF-16 with a mark intact (UTF-16BE text cannot be had from it, and UTF-8 it splits as if it
// were UTF-16), so the frame's bytes are taken from the tag and converted here.
namespace zor {

inline constexpr int kId3Latin1 = 0;
inline constexpr int kId3Utf16 = 1;    // with a byte-order mark
inline constexpr int kId3Utf16Be = 2;  // no mark
inline constexpr int kId3Utf8 = 3;

struct FrameText {
    std::string text;       // UTF-8, up to the first NUL
    TextEncoding encoding;  // the frame's encoding, as a file's would be named
};

// The text bytes of a frame in the given text encoding; an unknown encoding reads as ISO-8859-1.
FrameText decodeFrameText(int textEncoding, std::string_view bytes);

// The first lyrics frame (USLT, ULT in ID3v2.2) of the tag at the start of the bytes.
struct RawLyricsFrame {
    int textEncoding = kId3Latin1;
    std::string textBytes;  // after the description
};
enum class FrameSearch { Found, NotFound, Packed };  // Packed: compressed or encrypted
FrameSearch findLyricsFrame(std::string_view tag, RawLyricsFrame& frame);

}  // namespace zor
