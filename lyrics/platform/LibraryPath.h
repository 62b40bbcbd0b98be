#pragma once

#include <string>

namespace zor {

// The name by which a library that opens files by narrow names (id3lib, the C runtime) reaches
// the file of a UTF-8 path. Windows: the path in the ANSI code page, or its short form when that
// code page cannot hold it; the empty text when neither exists. Elsewhere: the path itself.
std::string pathForLibrary(const std::string& path);

}  // namespace zor
