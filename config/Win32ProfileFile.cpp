// Profile reads and writes through GetPrivateProfileStringA and WritePrivateProfileStringA.
#include "config/Win32ProfileFile.h"

#include <windows.h>

#include <vector>

namespace zor {

namespace {

// The services cannot say that a key is absent; they hand back the default instead, so the
// default is a text that no stored value holds.
constexpr const char* kAbsentKey = "\x01zor:absent\x01";
constexpr DWORD kFirstBufferSize = 1024;
constexpr DWORD kLargestBufferSize = 64 * 1024;

}  // namespace

std::optional<std::string> Win32ProfileFile::read(const std::string& section,
                                                  const std::string& key) {
    // The services cut a value that does not fit; a larger buffer is tried until it fits.
    for (DWORD size = kFirstBufferSize;; size *= 2) {
        std::vector<char> buffer(size, '\0');
        const DWORD length = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), kAbsentKey,
                                                        buffer.data(), size, path_.c_str());
        if (length + 1 < size || size >= kLargestBufferSize) {
            const std::string value(buffer.data(), length);
            if (value == kAbsentKey) {
                return std::nullopt;
            }
            return value;
        }
    }
}

bool Win32ProfileFile::write(const std::string& section, const std::string& key,
                             const std::string& value) {
    return ::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                        path_.c_str()) != FALSE;
}

}  // namespace zor
