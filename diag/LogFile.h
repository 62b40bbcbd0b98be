#pragma once

#include <string>

namespace zor {

// Appends bytes to the log file in one open-write-close, holding it unshared for that moment.
// With truncate set the file is emptied first; a missing file is created. On failure errorCode
// receives the system's code for it (the last error on Windows, errno elsewhere).
bool appendToLogFile(const std::string& path, const std::string& bytes, bool truncate,
                     int& errorCode);

}  // namespace zor
