// Lyrics in the "WM/Lyrics" attribute of an ASF (WMA) song. Read only.
#include <taglib/asffile.h>
#include <taglib/asftag.h>
#include <taglib/tbytevectorstream.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "lyrics/tags/SongTagFormat.h"
#include "lyrics/tags/TagLibText.h"

namespace zor {

namespace {

constexpr const char* kLyricsAttribute = "WM/Lyrics";

// TagLib reads as many attributes as an object's count claims, whatever the object's size and
// whether the file holds them: a 170-byte song made it build millions of attributes (a third of
// a second and 55 MB). Every object that holds attributes (found by its identifier anywhere in the
// header) must have room for its count of the smallest attribute, and together they must fit the
// header, so the attributes TagLib builds stay bounded by the file's size.
struct AttributeObject {
    std::string_view guid;
    std::size_t smallestAttribute;  // bytes of an attribute with no name and no value
};
const std::array<AttributeObject, 3> kAttributeObjects = {{
    {std::string_view("\x40\xA4\xD0\xD2\x07\xE3\xD2\x11\x97\xF0\x00\xA0\xC9\x5E\xA8\x50", 16), 6},
    {std::string_view("\xEA\xCB\xF8\xC5\xAF\x5B\x77\x48\x84\x67\xAA\x8C\x44\xFA\x4C\xCA", 16), 12},
    {std::string_view("\x94\x1C\x23\x44\x98\x94\xD1\x49\xA1\x41\x1D\x13\x4E\x45\x70\x54", 16), 12},
}};
constexpr std::size_t kObjectHeader = 24;  // identifier and 64-bit size
constexpr std::size_t kCountSize = 2;

std::uint64_t littleEndian(std::string_view bytes) {
    std::uint64_t value = 0;
    for (std::size_t i = bytes.size(); i > 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[i - 1]);
    }
    return value;
}

bool attributeCountsFit(std::string_view header) {
    std::uint64_t claimed = 0;
    for (const AttributeObject& object : kAttributeObjects) {
        for (std::size_t at = header.find(object.guid); at != std::string_view::npos;
             at = header.find(object.guid, at + 1)) {
            if (at + kObjectHeader + kCountSize > header.size()) {
                return false;
            }
            const std::uint64_t size = littleEndian(header.substr(at + 16, 8));
            const std::uint64_t count = littleEndian(header.substr(at + kObjectHeader, kCountSize));
            if (size < kObjectHeader + kCountSize || size > header.size() - at ||
                count * object.smallestAttribute > size - kObjectHeader - kCountSize) {
                return false;
            }
            claimed += size;
        }
    }
    return claimed <= header.size();
}

// The header object, where the tags are, as far as the file holds it; empty when it claims less
// than its own fixed part.
TagLib::ByteVector headerObjectOf(TagLib::IOStream& song) {
    constexpr std::uint64_t kFixedPart = 30;  // identifier, size, object count, two reserved bytes
    song.seek(0, TagLib::IOStream::Beginning);
    TagLib::ByteVector bytes = song.readBlock(kObjectHeader);
    if (bytes.size() < kObjectHeader) {
        return {};
    }
    const std::uint64_t size = littleEndian(std::string_view(bytes.data() + 16, 8));
    const std::uint64_t available = static_cast<std::uint64_t>(song.length());
    if (size < kFixedPart) {
        return {};
    }
    bytes.append(
        song.readBlock(static_cast<unsigned long>(std::min(size, available) - kObjectHeader)));
    return bytes;
}

class AsfFormat : public SongTagFormat {
  public:
    std::string name() const override { return "WMA"; }

    std::optional<std::string> readLyrics(TagLib::IOStream& song) const override {
        // TagLib is given the header alone, so every object it reads is one checked here.
        const TagLib::ByteVector header = headerObjectOf(song);
        if (header.isEmpty() || !attributeCountsFit({header.data(), header.size()})) {
            return std::nullopt;
        }
        TagLib::ByteVectorStream headerStream(header);
        TagLib::ASF::File file(&headerStream, false);
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
