// TagLib's reading of an MP3's leading ID3v2 tag, from memory as the lookup hands it over: the
// lyrics frame in any version and encoding, synchronised lyrics turned into timed lines, user
// text frames. The lines then go through the reader as any lyrics do.
#include "TagLibFuzz.h"
#include "lyrics/tags/SongLyrics.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const std::string_view tag(reinterpret_cast<const char*>(data) + 1, size - 1);
    const auto text = zor::readId3v2TagLyrics(tag);
    zor::fuzz::Core c((data[0] & 1) != 0);
    int count = 0;
    if (text) {
        c.core.readLines(*text, count);
    }
    zor::fuzz::checkReadResult(c, count);
    return 0;
}
