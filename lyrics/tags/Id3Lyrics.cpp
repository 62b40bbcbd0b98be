// The unsynchronised-lyrics frame through id3lib. Every ID3_Tag lives in a unique_ptr for one read
// or write; frames taken out are deleted at once, the attached frame belongs to the tag.
#include "lyrics/tags/Id3Lyrics.h"

#include <id3/field.h>
#include <id3/readers.h>
#include <id3/tag.h>

#include <cstring>
#include <memory>

#include "lyrics/lookup/SongNames.h"
#include "lyrics/model/LyricsCore.h"
#include "lyrics/platform/CodePage.h"
#include "lyrics/tags/Id3FrameText.h"
#include "lyrics/tags/Id3Guard.h"
#include "lyrics/tags/Mp3Layout.h"
#include "lyrics/tags/SongLyrics.h"
#include "lyrics/text/Utf16.h"

namespace zor {

namespace {

// This id3lib keeps a UTF-16 text without its byte-order mark as big-endian byte pairs, whatever
// the order in the file, and its Size() counts those bytes.
std::string bigEndianPairs(const ID3_Field& field) {
    const auto* units = field.GetRawUnicodeText();
    if (units == nullptr) {
        return {};
    }
    return std::string(reinterpret_cast<const char*>(units), field.Size() - field.Size() % 2);
}

std::string singleByteText(const ID3_Field& field) {
    std::string text(field.Size() + 1, '\0');
    const std::size_t n = field.Get(text.data(), text.size());
    text.resize(n < text.size() ? n : text.size() - 1);
    return text;
}

// The pairs in the order this id3lib keeps them, which is big-endian whatever the host.
std::u16string libraryUnits(const std::string& utf16BigEndian) {
    std::u16string units;
    for (std::size_t i = 0; i + 1 < utf16BigEndian.size(); i += 2) {
        char16_t unit = 0;
        std::memcpy(&unit, utf16BigEndian.data() + i, sizeof unit);
        units += unit;
    }
    return units;
}

// ISO-8859-1 when every character fits it, otherwise UTF-16 with a byte-order mark.
void setLyricsText(ID3_Frame& frame, const std::string& text) {
    ID3_Field* field = frame.GetField(ID3FN_TEXT);
    if (field == nullptr) {
        return;
    }
    if (const auto latin1 = encodeCodePage(kLatin1CodePage, text)) {
        field->Set(latin1->c_str());
        return;
    }
    if (ID3_Field* encoding = frame.GetField(ID3FN_TEXTENC)) {
        encoding->Set(static_cast<uint32>(ID3TE_UTF16));
    }
    if (ID3_Field* description = frame.GetField(ID3FN_DESCRIPTION)) {
        description->SetEncoding(ID3TE_UTF16);
    }
    field->SetEncoding(ID3TE_UTF16);
    const std::u16string units = libraryUnits(utf8ToUtf16Bytes(text, ByteOrder::Big));
    static_assert(sizeof(unicode_t) == sizeof(char16_t));
    field->Set(reinterpret_cast<const unicode_t*>(units.c_str()));
}

}  // namespace

bool getID3Lyrics(ID3_Tag* tag, std::string& text, TextEncoding* encoding) {
    text.clear();
    const ID3_Frame* frame = tag == nullptr ? nullptr : tag->Find(ID3FID_UNSYNCEDLYRICS);
    if (frame == nullptr) {
        return false;
    }
    const ID3_Field* field = frame->GetField(ID3FN_TEXT);
    if (field == nullptr) {
        return true;  // a lyrics frame without text: found, and empty
    }
    // Only ISO-8859-1 and UTF-16 come out of the library intact; other frames are read from the
    // tag's bytes (readInternalLyrics).
    const bool wide = ID3TE_IS_DOUBLE_BYTE_ENC(field->GetEncoding());
    const FrameText frameText = wide ? decodeFrameText(kId3Utf16Be, bigEndianPairs(*field))
                                     : decodeFrameText(kId3Latin1, singleByteText(*field));
    text = frameText.text;
    if (encoding != nullptr) {
        *encoding = frameText.encoding;
    }
    return true;
}

int removeID3Lyrics(ID3_Tag* tag) {
    if (tag == nullptr) {
        return 0;
    }
    int removed = 0;
    while (const ID3_Frame* frame = tag->Find(ID3FID_UNSYNCEDLYRICS)) {
        const std::unique_ptr<ID3_Frame> detached(tag->RemoveFrame(frame));
        if (!detached) {
            break;  // the tag would offer the same frame again
        }
        ++removed;
    }
    return removed;
}

ID3_Frame* setID3Lyrics(ID3_Tag* tag, const std::string& text, const std::string& description,
                        const std::string& language, bool replace) {
    if (tag == nullptr || text.empty()) {
        return nullptr;
    }
    if (replace) {
        removeID3Lyrics(tag);
    } else if (tag->Find(ID3FID_UNSYNCEDLYRICS) != nullptr) {
        return nullptr;
    }
    auto frame = std::make_unique<ID3_Frame>(ID3FID_UNSYNCEDLYRICS);
    for (const auto& [id, value] :
         {std::pair{ID3FN_LANGUAGE, &language}, std::pair{ID3FN_DESCRIPTION, &description}}) {
        if (ID3_Field* field = frame->GetField(id)) {
            field->Set(value->c_str());
        }
    }
    setLyricsText(*frame, text);
    ID3_Frame* attached = frame.release();  // AttachFrame hands ownership to the tag
    tag->AttachFrame(attached);
    return attached;
}

int LyricsCore::readInternalLyrics(const std::string& path, int& count) {
    // Songs of other kinds are read through TagLib alone; their tags hold UTF-8.
    if (!isMp3Path(path)) {
        const auto text = readSongTagLyrics(files, path);
        if (!text) {
            return 0;
        }
        lyricsEncoding = TextEncoding{EncodingKind::Utf8};
        return readLines(*text, count);
    }
    // The frame is taken from the leading tag's bytes in memory: reading a file the library seeks
    // for almost every field, and it keeps only some text encodings intact. Compressed or
    // encrypted frames are left to the library. Its own Lyrics3 parser turns CR LF into LF (which
    // loses empty lines) one seek per character; the Lyrics3 tag is read by our own reader.
    std::string text;
    bool found = false;
    const auto tagBytes = readLeadingId3v2Tag(files, path);
    // id3lib reads versions 2.2 and 2.3; TagLib reads a later version, and what id3lib cannot
    // (synchronised lyrics, user text frames) in any version.
    if (tagBytes && !tagBytes->empty() && readId3v2Header(*tagBytes).major <= 3 &&
        id3TagSafeForLibrary(*tagBytes)) {
        RawLyricsFrame raw;
        if (findLyricsFrame(*tagBytes, raw) == FrameSearch::Found) {
            FrameText frameText = decodeFrameText(raw.textEncoding, raw.textBytes);
            text = std::move(frameText.text);
            lyricsEncoding = frameText.encoding;
            found = true;
        } else {
            ID3_MemoryReader reader(tagBytes->data(), tagBytes->size());
            const auto tag = std::make_unique<ID3_Tag>();
            tag->Link(reader, ID3TT_ID3V2);
            found = getID3Lyrics(tag.get(), text, &lyricsEncoding);
        }
    }
    if (!found && tagBytes && !tagBytes->empty()) {
        if (auto tagLibText = readId3v2TagLyrics(*tagBytes)) {
            text = std::move(*tagLibText);
            lyricsEncoding = TextEncoding{EncodingKind::Utf8};
            found = true;
        }
    }
    if (found) {
        readLines(text, count);
        return 1;
    }
    if (readLyrics3Tag(path, count) != 0) {
        return 1;
    }
    const auto apeText = readMp3ApeLyrics(files, path);
    if (!apeText) {
        return 0;
    }
    lyricsEncoding = TextEncoding{EncodingKind::Utf8};
    return readLines(*apeText, count);
}

}  // namespace zor
