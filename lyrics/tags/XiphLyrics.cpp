#include "lyrics/tags/XiphLyrics.h"

#include <taglib/flacpicture.h>
#include <taglib/xiphcomment.h>

#include <array>

#include "lyrics/tags/TagLibText.h"

namespace zor {

namespace {

// In the order they are looked for; TagLib gives the names in upper case.
constexpr std::array<const char*, 4> kLyricsNames = {"LYRICS", "SYNCEDLYRICS", "UNSYNCEDLYRICS",
                                                     "UNSYNCED LYRICS"};
constexpr const char* kStoreName = "LYRICS";

}  // namespace

std::optional<std::string> lyricsOfComments(const TagLib::Ogg::XiphComment* comments) {
    if (comments == nullptr) {
        return std::nullopt;
    }
    const auto& fields = comments->fieldListMap();
    for (const char* name : kLyricsNames) {
        const auto found = fields.find(name);
        if (found != fields.end() && !found->second.isEmpty()) {
            return utf8Lines(found->second);
        }
    }
    return std::nullopt;
}

void storeIntoComments(TagLib::Ogg::XiphComment& comments, const std::string& text) {
    comments.addField(kStoreName, tagLibString(text), true);
}

std::string otherCommentsOf(TagLib::Ogg::XiphComment* comments) {
    if (comments == nullptr) {
        return "no comments";
    }
    std::string all = utf8Of(comments->vendorID());
    for (const auto& [name, values] : comments->fieldListMap()) {
        if (name != kStoreName) {
            for (const auto& value : values) {
                all += '\0' + utf8Of(name) + '=' + utf8Of(value);
            }
        }
    }
    for (const auto* picture : comments->pictureList()) {
        const TagLib::ByteVector bytes = picture->render();
        all += '\0';
        all += "picture:" + std::string(bytes.data(), bytes.size());
    }
    return all;
}

}  // namespace zor
