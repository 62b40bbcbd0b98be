// TagLib's reading of an Ogg song, Vorbis or Opus by its first packet: the comment header.
#include "TagLibFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zor::fuzz::readSongFromMemory(data, size, "song.ogg");
    return 0;
}
