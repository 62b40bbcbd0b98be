#pragma once

#include <map>
#include <string>

#include "tools/hostsim/UniqueHandle.h"

namespace zor::hostsim {

// Files held open as a player decoding them holds them, so that tests see what the plug-in
// does when it cannot write a song, or can only write around an open reader.
class FileHolds {
  public:
    // editing: open for writing and sharing read only, as an editor holds a file it saves.
    enum class Sharing { readOnly, readWriteDelete, editing };

    // Opens PATH for reading (for editing: also for writing) with that sharing, replacing an
    // earlier hold of it. Throws HostError when it cannot be opened.
    void hold(const std::string& path, Sharing sharing);
    void release(const std::string& path);

  private:
    std::map<std::string, UniqueHandle> held;
};

}  // namespace zor::hostsim
