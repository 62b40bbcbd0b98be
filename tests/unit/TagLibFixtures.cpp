#include "TagLibFixtures.h"

#include <fstream>
#include <iterator>

#include "Mp3Fixtures.h"

namespace zor::taglibfixtures {

std::string mp3WithTag(const std::function<void(TagLib::ID3v2::Tag&)>& addFrames,
                       std::size_t audioSize) {
    TagLib::ID3v2::Tag tag;
    addFrames(tag);
    const TagLib::ByteVector bytes = tag.render(TagLib::ID3v2::v4);
    return std::string(bytes.data(), bytes.size()) + mp3fixtures::audio(audioSize);
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace zor::taglibfixtures
