// Lyrics in an APE tag, the "Lyrics" item, at the end of an MP3, Monkey's Audio, Musepack or
// WavPack song. Read only.
#include <taglib/apefile.h>
#include <taglib/apetag.h>
#include <taglib/id3v2framefactory.h>
#include <taglib/mpcfile.h>
#include <taglib/mpegfile.h>
#include <taglib/wavpackfile.h>

#include "lyrics/tags/SongTagFormat.h"
#include "lyrics/tags/TagLibText.h"

namespace zor {

namespace {

// TagLib gives the item names in upper case.
constexpr const char* kLyricsItem = "LYRICS";

std::optional<std::string> lyricsOf(const TagLib::APE::Tag* tag) {
    if (tag == nullptr) {
        return std::nullopt;
    }
    const auto& items = tag->itemListMap();
    const auto found = items.find(kLyricsItem);
    if (found == items.end()) {
        return std::nullopt;
    }
    std::string text;
    for (const auto& value : found->second.values()) {
        if (!text.empty()) {
            text += "\r\n";
        }
        text += utf8Of(value);
    }
    return text;
}

template <typename ContainerFile>
std::optional<std::string> apeLyricsOf(TagLib::IOStream& song) {
    ContainerFile file(&song, false);
    return file.isValid() ? lyricsOf(file.APETag(false)) : std::nullopt;
}

class ApeTagFormat : public SongTagFormat {
  public:
    explicit ApeTagFormat(ApeContainer container) : container_(container) {}

    std::string name() const override { return "APE"; }

    std::optional<std::string> readLyrics(TagLib::IOStream& song) const override {
        switch (container_) {
            case ApeContainer::Mp3: {
                TagLib::MPEG::File file(&song, TagLib::ID3v2::FrameFactory::instance(), false);
                return file.isValid() ? lyricsOf(file.APETag(false)) : std::nullopt;
            }
            case ApeContainer::MonkeysAudio:
                return apeLyricsOf<TagLib::APE::File>(song);
            case ApeContainer::Musepack:
                return apeLyricsOf<TagLib::MPC::File>(song);
            case ApeContainer::WavPack:
                return apeLyricsOf<TagLib::WavPack::File>(song);
        }
        return std::nullopt;
    }

  private:
    ApeContainer container_;
};

}  // namespace

const SongTagFormat& apeTagFormat(ApeContainer container) {
    static const ApeTagFormat mp3(ApeContainer::Mp3);
    static const ApeTagFormat monkeysAudio(ApeContainer::MonkeysAudio);
    static const ApeTagFormat musepack(ApeContainer::Musepack);
    static const ApeTagFormat wavPack(ApeContainer::WavPack);
    switch (container) {
        case ApeContainer::Mp3:
            return mp3;
        case ApeContainer::MonkeysAudio:
            return monkeysAudio;
        case ApeContainer::Musepack:
            return musepack;
        case ApeContainer::WavPack:
            break;
    }
    return wavPack;
}

}  // namespace zor
