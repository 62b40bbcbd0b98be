// Lyrics in the comments of a FLAC song.
#include <taglib/flacfile.h>
#include <taglib/flacpicture.h>
#include <taglib/id3v2framefactory.h>

#include "lyrics/tags/Mp3Layout.h"
#include "lyrics/tags/SongTagFormat.h"
#include "lyrics/tags/XiphLyrics.h"

namespace zor {

namespace {

constexpr std::string_view kFlacMarker = "fLaC";
constexpr std::size_t kId3v1Size = 128;

class FlacFormat : public SongTagFormat {
  public:
    std::string name() const override { return "FLAC"; }

    std::optional<std::string> readLyrics(TagLib::IOStream& song) const override {
        TagLib::FLAC::File file(&song, TagLib::ID3v2::FrameFactory::instance(), false);
        return file.isValid() ? lyricsOfComments(file.xiphComment(false)) : std::nullopt;
    }

    bool canStore() const override { return true; }

    std::string storeLyrics(TagLib::IOStream& song, const std::string& text) const override {
        TagLib::FLAC::File file(&song, TagLib::ID3v2::FrameFactory::instance(), false);
        if (!file.isValid()) {
            return "The FLAC file cannot be read in full, so it cannot be rewritten. The lyrics "
                   "were not stored.";
        }
        storeIntoComments(*file.xiphComment(true), text);
        if (!file.save()) {
            return "The FLAC file could not be rewritten. The lyrics were not stored.";
        }
        return {};
    }

    // Everything after the metadata blocks, less an ID3v1 tag at the end.
    std::optional<std::string> audioOf(std::string_view song) const override {
        const Id3v2Header id3 = readId3v2Header(song);
        std::size_t at = id3.present ? static_cast<std::size_t>(id3.tagSize) : 0;
        if (song.substr(at, kFlacMarker.size()) != kFlacMarker) {
            return std::nullopt;
        }
        at += kFlacMarker.size();
        bool last = false;
        while (!last) {
            if (at + 4 > song.size()) {
                return std::nullopt;
            }
            const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(song[i]); };
            last = (byte(at) & 0x80) != 0;
            at += 4 + ((std::size_t{byte(at + 1)} << 16) | (byte(at + 2) << 8) | byte(at + 3));
        }
        if (at > song.size()) {
            return std::nullopt;
        }
        std::string_view audio = song.substr(at);
        if (audio.size() >= kId3v1Size && audio.substr(audio.size() - kId3v1Size, 3) == "TAG") {
            audio.remove_suffix(kId3v1Size);
        }
        return std::string(audio);
    }

    std::string otherTagsOf(TagLib::IOStream& song) const override {
        TagLib::FLAC::File file(&song, TagLib::ID3v2::FrameFactory::instance(), false);
        if (!file.isValid()) {
            return "not valid";
        }
        std::string all = otherCommentsOf(file.xiphComment(false));
        for (const auto* picture : file.pictureList()) {
            const TagLib::ByteVector bytes = picture->render();
            all += '\0';
            all += "block picture:" + std::string(bytes.data(), bytes.size());
        }
        return all;
    }
};

}  // namespace

const SongTagFormat& flacFormat() {
    static const FlacFormat format;
    return format;
}

}  // namespace zor
