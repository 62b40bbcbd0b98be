#include "tools/hostsim/FileHolds.h"

#include "tools/hostsim/HostErrors.h"
#include "tools/hostsim/HostText.h"

namespace zor::hostsim {

void FileHolds::hold(const std::string& path, Sharing sharing) {
    release(path);
    const DWORD shareMode = sharing == Sharing::readWriteDelete
                                ? FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE
                                : FILE_SHARE_READ;
    const DWORD access = sharing == Sharing::editing ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
    UniqueHandle file(CreateFileW(toWide(path).c_str(), access, shareMode, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        throw HostError("hold: cannot open " + path + " (error " + std::to_string(GetLastError()) +
                        ")");
    }
    held[path] = std::move(file);
}

void FileHolds::release(const std::string& path) {
    held.erase(path);
}

}  // namespace zor::hostsim
