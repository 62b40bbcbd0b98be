// The internal lookup of an MP3 made of the input: the ID3v2 lyrics frame through the real
// id3lib, then the Lyrics3 tag. The first byte chooses the mode; the rest is the song file.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const zor::fuzz::TempInputFile song(data + 1, size - 1, ".mp3");
    zor::fuzz::Core c((data[0] & 1) != 0);

    int count = 0;
    const int found = c.core.readInternalLyrics(song.path(), count);
    zor::fuzz::check(found == 0 || found == 1, "readInternalLyrics gave neither 0 nor 1");
    zor::fuzz::checkReadResult(c, count);
    return 0;
}
