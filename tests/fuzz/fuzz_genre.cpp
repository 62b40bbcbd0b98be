// The genre name of any metadata answer.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "lyrics/lookup/SongInfo.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string name = zor::genreName(text);
    // A name is the text itself, a part of it, or an entry of the table.
    zor::fuzz::check(name.size() <= text.size() || name.size() <= 32, "a name from nowhere");
    return 0;
}
