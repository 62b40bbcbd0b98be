// TagLib's reading of an APE tag at the end of a song; the second byte chooses the container
// (MP3, Monkey's Audio, Musepack, WavPack), which decides how TagLib looks for the tag.
#include "TagLibFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    static const char* const kNames[] = {"song.mp3", "song.ape", "song.mpc", "song.wv"};
    zor::fuzz::readSongFromMemory(data + 1, size - 1, kNames[data[0] % 4]);
    return 0;
}
