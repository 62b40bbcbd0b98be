// Lyrics in the comments of an Ogg Vorbis or an Opus song.
#include <taglib/opusfile.h>
#include <taglib/vorbisfile.h>

#include "lyrics/tags/SongTagFormat.h"
#include "lyrics/tags/XiphLyrics.h"

namespace zor {

namespace {

constexpr std::string_view kPageMarker = "OggS";
constexpr std::size_t kPageHeaderSize = 27;

// The packet data after the stream's header packets, page after page. A rewrite of the comment
// header renumbers the pages that follow (and so their checksums), but never changes a packet.
// Nothing when the pages do not chain, or more than one stream is interleaved.
std::optional<std::string> packetsAfterHeaders(std::string_view song, int headerPackets) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(song[i]); };
    std::string audio;
    std::optional<std::string_view> serial;
    int packets = 0;
    std::size_t at = 0;
    while (at < song.size()) {
        if (at + kPageHeaderSize > song.size() || song.substr(at, 4) != kPageMarker) {
            return std::nullopt;
        }
        const std::string_view pageSerial = song.substr(at + 14, 4);
        if (serial && *serial != pageSerial) {
            return std::nullopt;
        }
        serial = pageSerial;
        const std::size_t segments = byte(at + 26);
        std::size_t data = at + kPageHeaderSize + segments;
        if (data > song.size()) {
            return std::nullopt;
        }
        for (std::size_t s = 0; s < segments; ++s) {
            const std::size_t lacing = byte(at + kPageHeaderSize + s);
            if (data + lacing > song.size()) {
                return std::nullopt;
            }
            if (packets >= headerPackets) {
                audio.append(song.substr(data, lacing));
            }
            data += lacing;
            if (lacing < 255) {
                ++packets;
                if (packets > headerPackets) {
                    audio += '\0';  // where a packet ends is part of the audio too
                }
            }
        }
        at = data;
    }
    return audio;
}

template <typename OggFile>
class OggFormat : public SongTagFormat {
  public:
    OggFormat(std::string name, int headerPackets)
        : name_(std::move(name)), headerPackets_(headerPackets) {}

    std::string name() const override { return name_; }

    std::optional<std::string> readLyrics(TagLib::IOStream& song) const override {
        OggFile file(&song, false);
        return file.isValid() ? lyricsOfComments(file.tag()) : std::nullopt;
    }

    bool canStore() const override { return true; }

    std::string storeLyrics(TagLib::IOStream& song, const std::string& text) const override {
        OggFile file(&song, false);
        if (!file.isValid() || file.tag() == nullptr) {
            return "The " + name_ +
                   " file cannot be read in full, so it cannot be rewritten. The lyrics were not "
                   "stored.";
        }
        storeIntoComments(*file.tag(), text);
        if (!file.save()) {
            return "The " + name_ + " file could not be rewritten. The lyrics were not stored.";
        }
        return {};
    }

    std::optional<std::string> audioOf(std::string_view song) const override {
        return packetsAfterHeaders(song, headerPackets_);
    }

    std::string otherTagsOf(TagLib::IOStream& song) const override {
        OggFile file(&song, false);
        return file.isValid() ? otherCommentsOf(file.tag()) : "not valid";
    }

  private:
    std::string name_;
    int headerPackets_;
};

}  // namespace

// Vorbis has identification, comment and setup headers; Opus identification and comment headers.
const SongTagFormat& oggVorbisFormat() {
    static const OggFormat<TagLib::Ogg::Vorbis::File> format("OGG", 3);
    return format;
}

const SongTagFormat& opusFormat() {
    static const OggFormat<TagLib::Ogg::Opus::File> format("OPUS", 2);
    return format;
}

}  // namespace zor
