// TagLib's reading of an ASF (WMA) song: the WM/Lyrics attribute.
#include "TagLibFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zor::fuzz::readSongFromMemory(data, size, "song.wma");
    return 0;
}
