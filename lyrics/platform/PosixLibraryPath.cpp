#include "lyrics/platform/LibraryPath.h"

namespace zor {

std::string pathForLibrary(const std::string& path) {
    return path;
}

}  // namespace zor
