#pragma once

#include <optional>
#include <string>

namespace TagLib::Ogg {
class XiphComment;
}

namespace zor {

// The comments of FLAC, Ogg Vorbis and Opus songs, where lyrics go under one of a few names.
std::optional<std::string> lyricsOfComments(const TagLib::Ogg::XiphComment* comments);
// Replaces the comment the lyrics are stored under.
void storeIntoComments(TagLib::Ogg::XiphComment& comments, const std::string& text);
// The vendor and every comment but the one the lyrics are stored under.
std::string otherCommentsOf(TagLib::Ogg::XiphComment* comments);  // TagLib's list is not const

}  // namespace zor
