#pragma once

#include <windows.h>

#include <string>

#include "host/WinampVis.h"

namespace zor::hostsim {

// The plug-in DLL, loaded as the host loads it; freed when this object goes.
class PluginLibrary {
  public:
    // Throws HostError when the DLL does not load or lacks winampVisGetHeader.
    explicit PluginLibrary(const std::string& path);
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    HINSTANCE instance() const { return module; }
    // What the export answers; the host asks once per load.
    winampVisHeader* header() const { return visHeader; }

  private:
    HMODULE module = nullptr;
    winampVisHeader* visHeader = nullptr;
};

// vis_zorlyrics.dll in the folder of the running hostsim.exe.
std::string defaultPluginPath();

}  // namespace zor::hostsim
