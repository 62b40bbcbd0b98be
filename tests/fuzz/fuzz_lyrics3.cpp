// Locating and reading a Lyrics3 tag (version 1 or 2) at the end of a song made of the input.
// The first byte chooses the mode; the rest is the song file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const std::string song = "/music/Song.mp3";
    zor::fuzz::MemoryFileSystem files;
    files.files[song].assign(reinterpret_cast<const char*>(data + 1), size - 1);
    zor::fuzz::Core c((data[0] & 1) != 0, files);

    int count = 0;
    const int found = c.core.readLyrics3Tag(song, count);
    zor::fuzz::check(found == 0 || found == 1, "readLyrics3Tag gave neither 0 nor 1");
    zor::fuzz::check(found == 1 || count == 0, "a tag not found added lines");
    zor::fuzz::checkReadResult(c, count);
    return 0;
}
