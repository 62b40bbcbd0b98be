#include "tools/hostsim/PluginLibrary.h"

#include <array>

#include "tools/hostsim/GdiCounter.h"
#include "tools/hostsim/HostErrors.h"
#include "tools/hostsim/HostText.h"

namespace zor::hostsim {

PluginLibrary::PluginLibrary(const std::string& path) : module(LoadLibraryW(toWide(path).c_str())) {
    if (module == nullptr) {
        throw HostError("cannot load " + path + " (error " + std::to_string(GetLastError()) + ")");
    }
    // Before any of its code runs beyond DllMain, so every object it creates is seen.
    countGdiObjectsOf(module);
    // GetProcAddress hands out a generic function pointer; the export's real type is fixed.
    auto getHeader = reinterpret_cast<winampVisGetHeaderFunction>(
        reinterpret_cast<void*>(GetProcAddress(module, "winampVisGetHeader")));
    if (getHeader == nullptr) {
        FreeLibrary(module);
        throw HostError(path + " does not export winampVisGetHeader");
    }
    visHeader = getHeader();
    if (visHeader == nullptr) {
        FreeLibrary(module);
        throw HostError(path + ": winampVisGetHeader returned null");
    }
}

PluginLibrary::~PluginLibrary() {
    FreeLibrary(module);
}

std::string defaultPluginPath() {
    std::array<wchar_t, MAX_PATH> buffer{};
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), buffer.size());
    std::string path =
        toUtf8(std::wstring_view(buffer.data(), length < buffer.size() ? length : 0));
    const std::size_t slash = path.find_last_of("\\/");
    path.erase(slash == std::string::npos ? 0 : slash + 1);
    return path + "vis_zorlyrics.dll";
}

}  // namespace zor::hostsim
