// The C runtime's descriptor leads to the file handle, whose end is then moved; this works while
// a player holds the song open sharing read and write.
#include <io.h>
#include <windows.h>

#include "lyrics/platform/FileLength.h"

namespace zor {

bool setFileLength(std::FILE* file, std::int64_t length) {
    if (std::fflush(file) != 0) {
        return false;
    }
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    LARGE_INTEGER position;
    position.QuadPart = length;
    return SetFilePointerEx(handle, position, nullptr, FILE_BEGIN) != 0 &&
           SetEndOfFile(handle) != 0;
}

}  // namespace zor
