#pragma once

#include <taglib/id3v2tag.h>

#include <functional>
#include <string>

// Songs whose tags TagLib itself writes, for the tests of what we read and store through it.
namespace zor::taglibfixtures {

// An ID3v2.4 tag rendered by TagLib from the frames the callback adds, followed by MP3 audio.
std::string mp3WithTag(const std::function<void(TagLib::ID3v2::Tag&)>& addFrames,
                       std::size_t audioSize = 4000);

std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);

}  // namespace zor::taglibfixtures
