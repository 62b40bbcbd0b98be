// TagLib's reading of an MP4/M4A song: the ©lyr item of its ilst box.
#include "TagLibFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zor::fuzz::readSongFromMemory(data, size, "song.m4a");
    return 0;
}
