#pragma once

#include <cstdint>
#include <cstdio>

namespace zor {

// Flushes file and cuts it (or extends it) to length bytes. False when that failed.
bool setFileLength(std::FILE* file, std::int64_t length);

}  // namespace zor
