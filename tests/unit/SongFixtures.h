#pragma once

#include <string>
#include <vector>

// Byte builders for the smallest songs TagLib takes as valid: a FLAC stream with its STREAMINFO,
// Ogg Vorbis and Opus streams with their header packets, an M4A with a chunk offset into its media
// data. None of them holds a tag: the tests add tags with TagLib itself.
namespace zor::songfixtures {

std::string flacSong(std::size_t audioSize = 3000);

// One logical stream: the header packets, then audio packets on pages of their own.
std::string oggPage(std::uint32_t sequence, std::uint64_t granule, unsigned char flags,
                    const std::vector<std::string>& packets);
std::string oggVorbisSong(std::size_t audioPackets = 6);
std::string opusSong(std::size_t audioPackets = 6);

std::string m4aSong(std::size_t audioSize = 3000);

// An ASF (WMA) header with its two mandatory objects and an extended content description holding
// a WM/Lyrics attribute, whose attribute count is claimedCount; then stand-in data packets.
std::string asfSong(const std::u16string& lyrics, std::uint16_t claimedCount = 1);

}  // namespace zor::songfixtures
