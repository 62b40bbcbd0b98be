// Lyrics in the "©lyr" item of an MP4/M4A song.
#include <taglib/mp4file.h>
#include <taglib/mp4tag.h>

#include "lyrics/tags/SongTagFormat.h"
#include "lyrics/tags/TagLibText.h"

namespace zor {

namespace {

const TagLib::String& lyricsItem() {
    static const TagLib::String name("\251lyr", TagLib::String::Latin1);
    return name;
}

std::uint64_t bigEndian(std::string_view bytes) {
    std::uint64_t value = 0;
    for (const char c : bytes) {
        value = (value << 8) | static_cast<unsigned char>(c);
    }
    return value;
}

class Mp4Format : public SongTagFormat {
  public:
    std::string name() const override { return "MP4"; }

    std::optional<std::string> readLyrics(TagLib::IOStream& song) const override {
        TagLib::MP4::File file(&song, false);
        const TagLib::MP4::Tag* tag = file.isValid() ? file.tag() : nullptr;
        if (tag == nullptr || !tag->contains(lyricsItem())) {
            return std::nullopt;
        }
        return utf8Lines(tag->item(lyricsItem()).toStringList());
    }

    bool canStore() const override { return true; }

    std::string storeLyrics(TagLib::IOStream& song, const std::string& text) const override {
        TagLib::MP4::File file(&song, false);
        if (!file.isValid() || file.tag() == nullptr) {
            return "The MP4 file cannot be read in full, so it cannot be rewritten. The lyrics "
                   "were not stored.";
        }
        file.tag()->setItem(lyricsItem(), TagLib::StringList(tagLibString(text)));
        if (!file.save()) {
            return "The MP4 file could not be rewritten. The lyrics were not stored.";
        }
        return {};
    }

    // The payloads of the top-level media data boxes: a rewrite of the metadata moves them, and
    // corrects the chunk offsets that point into them, but never changes them.
    std::optional<std::string> audioOf(std::string_view song) const override {
        std::string audio;
        std::size_t at = 0;
        while (at + 8 <= song.size()) {
            std::uint64_t size = bigEndian(song.substr(at, 4));
            std::size_t header = 8;
            if (size == 1) {
                if (at + 16 > song.size()) {
                    return std::nullopt;
                }
                size = bigEndian(song.substr(at + 8, 8));
                header = 16;
            } else if (size == 0) {
                size = song.size() - at;
            }
            if (size < header || size > song.size() - at) {
                return std::nullopt;
            }
            if (song.substr(at + 4, 4) == "mdat") {
                audio.append(song.substr(at + header, static_cast<std::size_t>(size) - header));
                audio += '\0';
            }
            at += static_cast<std::size_t>(size);
        }
        return audio;
    }

    std::string otherTagsOf(TagLib::IOStream& song) const override {
        TagLib::MP4::File file(&song, false);
        const TagLib::MP4::Tag* tag = file.isValid() ? file.tag() : nullptr;
        if (tag == nullptr) {
            return "not valid";
        }
        std::string all;
        for (const auto& [name, item] : tag->itemMap()) {
            if (name == lyricsItem()) {
                continue;
            }
            all += '\0' + utf8Of(name) + '=' + utf8Lines(item.toStringList());
            for (const auto& art : item.toCoverArtList()) {
                const TagLib::ByteVector bytes = art.data();
                all += ":art:" + std::string(bytes.data(), bytes.size());
            }
        }
        return all;
    }
};

}  // namespace

const SongTagFormat& mp4Format() {
    static const Mp4Format format;
    return format;
}

}  // namespace zor
