// TagLib's reading of a FLAC song: the comments of its VORBIS_COMMENT block.
#include "TagLibFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zor::fuzz::readSongFromMemory(data, size, "song.flac");
    return 0;
}
