// The unsynchronised-lyrics frame through id3lib. Every ID3_Tag lives in a unique_ptr for one read
// or write; frames taken out are deleted at once, the attached frame belongs to the tag.
#include "lyrics/tags/Id3Lyrics.h"

#include <id3/field.h>
#include <id3/readers.h>
#include <id3/tag.h>

#include <memory>

#include "lyrics/lookup/SongNames.h"
#include "lyrics/model/LyricsCore.h"
#include "lyrics/platform/CodePage.h"
#include "lyrics/tags/Id3Guard.h"
#include "lyrics/tags/Mp3Layout.h"
#include "lyrics/tags/SongLyrics.h"

namespace zor {

namespace {

// This id3lib keeps a UTF-16 text without its byte-order mark as big-endian byte pairs, whatever
// the order in the file, and its Size() counts those bytes. Its own conversion to single-byte text
// drops the high bit of every character, so the pairs are taken as they are.
std::u16string unicodeText(const ID3_Field& field) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(field.GetRawUnicodeText());
    std::u16string text;
    if (bytes == nullptr) {
        return text;
    }
    const std::size_t size = field.Size();
    text.reserve(size / 2);
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const auto unit = static_cast<char16_t>((bytes[i] << 8) | bytes[i + 1]);
        if (unit == 0) {
            break;
        }
        text += unit;
    }
    return text;
}

std::string singleByteText(const ID3_Field& field) {
    std::string text(field.Size() + 1, '\0');
    const std::size_t n = field.Get(text.data(), text.size());
    text.resize(n < text.size() ? n : text.size() - 1);
    return text;
}

}  // namespace

bool getID3Lyrics(ID3_Tag* tag, std::string& text) {
    text.clear();
    const ID3_Frame* frame = tag == nullptr ? nullptr : tag->Find(ID3FID_UNSYNCEDLYRICS);
    if (frame == nullptr) {
        return false;
    }
    const ID3_Field* field = frame->GetField(ID3FN_TEXT);
    if (field == nullptr) {
        return true;  // a lyrics frame without text: found, and empty
    }
    text = ID3TE_IS_DOUBLE_BYTE_ENC(field->GetEncoding()) ? toSingleByte(unicodeText(*field))
                                                          : singleByteText(*field);
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
         {std::pair{ID3FN_LANGUAGE, &language}, std::pair{ID3FN_DESCRIPTION, &description},
          std::pair{ID3FN_TEXT, &text}}) {
        if (ID3_Field* field = frame->GetField(id)) {
            field->Set(value->c_str());
        }
    }
    ID3_Frame* attached = frame.release();  // AttachFrame hands ownership to the tag
    tag->AttachFrame(attached);
    return attached;
}

int LyricsCore::readInternalLyrics(const std::string& path, int& count) {
    // The library is given the leading tag from memory, not the file: reading a file it seeks for
    // almost every field, and its own Lyrics3 parser turns CR LF into LF (which loses empty lines)
    // one seek per character; the Lyrics3 tag is read by our own reader instead.
    // Songs of other kinds are read through TagLib alone.
    if (!isMp3Path(path)) {
        const auto text = readSongTagLyrics(files, path);
        return text ? readLines(*text, count) : 0;
    }
    std::string text;
    bool found = false;
    const auto tagBytes = readLeadingId3v2Tag(files, path);
    // id3lib reads versions 2.2 and 2.3; TagLib reads a later version, and what id3lib cannot
    // (synchronised lyrics, user text frames) in any version.
    if (tagBytes && !tagBytes->empty() && readId3v2Header(*tagBytes).major <= 3 &&
        id3TagSafeForLibrary(*tagBytes)) {
        ID3_MemoryReader reader(tagBytes->data(), tagBytes->size());
        const auto tag = std::make_unique<ID3_Tag>();
        tag->Link(reader, ID3TT_ID3V2);
        found = getID3Lyrics(tag.get(), text);
    }
    if (!found && tagBytes && !tagBytes->empty()) {
        const auto tagLibText = readId3v2TagLyrics(*tagBytes);
        found = tagLibText.has_value();
        text = tagLibText.value_or("");
    }
    if (found) {
        readLines(text, count);
        return 1;
    }
    if (readLyrics3Tag(path, count) != 0) {
        return 1;
    }
    const auto apeText = readMp3ApeLyrics(files, path);
    return apeText ? readLines(*apeText, count) : 0;
}

}  // namespace zor
