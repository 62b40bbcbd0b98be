#include <sys/types.h>
#include <unistd.h>

#include "lyrics/platform/FileLength.h"

namespace zor {

bool setFileLength(std::FILE* file, std::int64_t length) {
    return std::fflush(file) == 0 && ::ftruncate(fileno(file), static_cast<off_t>(length)) == 0;
}

}  // namespace zor
