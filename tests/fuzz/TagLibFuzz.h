#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"

// The TagLib targets: the input is a song of one kind, read by the internal lookup from memory
// through the same bounded stream the plug-in uses, in display or edit mode.
namespace zor::fuzz {

inline void readSongFromMemory(const std::uint8_t* data, std::size_t size, const char* name) {
    if (size < 1) {
        return;
    }
    MemoryFileSystem files;
    files.files[name] = std::string(reinterpret_cast<const char*>(data) + 1, size - 1);
    Core c((data[0] & 1) != 0, files);
    int count = 0;
    const int found = c.core.readInternalLyrics(name, count);
    check(found == 0 || found == 1, "readInternalLyrics gave neither 0 nor 1");
    checkReadResult(c, count);
}

}  // namespace zor::fuzz
