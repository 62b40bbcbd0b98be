// Lyrics in the "WM/Lyrics" attribute of an ASF (WMA) song. Read only.
#include <taglib/asffile.h>
#include <taglib/asftag.h>

#include "lyrics/tags/SongTagFormat.h"
#include "lyrics/tags/TagLibText.h"

namespace zor {

namespace {

constexpr const char* kLyricsAttribute = "WM/Lyrics";

class AsfFormat : public SongTagFormat {
  public:
    std::string name() const override { return "WMA"; }

    std::optional<std::string> readLyrics(TagLib::IOStream& song) const override {
        TagLib::ASF::File file(&song, false);
        const TagLib::ASF::Tag* tag = file.isValid() ? file.tag() : nullptr;
        if (tag == nullptr || !tag->contains(kLyricsAttribute)) {
            return std::nullopt;
        }
        std::string text;
        for (const auto& attribute : tag->attribute(kLyricsAttribute)) {
            if (!text.empty()) {
                text += "\r\n";
            }
            text += utf8Of(attribute.toString());
        }
        return text;
    }
};

}  // namespace

const SongTagFormat& asfFormat() {
    static const AsfFormat format;
    return format;
}

}  // namespace zor
