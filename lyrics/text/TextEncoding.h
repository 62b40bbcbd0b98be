#pragma once

#include <optional>
#include <string>
#include <string_view>

// How a lyrics text is stored outside: the encoding a file was read in (and is saved in), and its
// line ends.
namespace zor {

enum class EncodingKind { Utf8Bom, Utf8, Utf16Le, Utf16Be, CodePage };

struct TextEncoding {
    EncodingKind kind = EncodingKind::CodePage;
    int codePage = 0;      // for CodePage: the code page used; 0 is the ANSI code page
    bool guessed = false;  // for CodePage: guessed from the file's bytes, not a setting

    // utf-8-bom, utf-8, utf-16le, utf-16be or cpNNNN.
    std::string name() const;
    bool operator==(const TextEncoding& other) const {
        return kind == other.kind && (kind != EncodingKind::CodePage || codePage == other.codePage);
    }
    bool operator!=(const TextEncoding& other) const { return !(*this == other); }
};

// A line ends at CR LF, LF, a lone CR, or CR CR LF (which some tools write for one break).
enum class LineEnd { CrLf, Lf, Cr, CrCrLf };
std::string_view lineEndText(LineEnd end);

struct DecodedText {
    TextEncoding encoding;
    std::string text;  // UTF-8, without the byte-order mark
};

// Decides a file's encoding and decodes it: a byte-order mark (UTF-8, UTF-16LE, UTF-16BE); else
// strictly valid UTF-8 holding at least one non-ASCII character; else the fallback code page.
DecodedText decodeFileText(std::string bytes, int fallbackCodePage);

// The decision alone, for a reader that decodes a file in the fallback code page piece by piece.
// ASCII is the fallback code page's too, but needs no decoding.
enum class FileForm { Utf8Bom, Utf16Le, Utf16Be, Ascii, Utf8, CodePage };
FileForm fileForm(std::string_view bytes);
DecodedText decodeFileText(std::string bytes, int fallbackCodePage, FileForm form);

// The UTF-8 text as a file in the encoding, byte-order mark included; none when the encoding is
// a code page that cannot hold every character of it.
std::optional<std::string> encodeFileText(const TextEncoding& encoding, std::string_view utf8);

}  // namespace zor
