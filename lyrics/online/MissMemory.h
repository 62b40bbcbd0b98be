#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "lyrics/platform/FileSystem.h"

namespace zor {

// The songs the online service had nothing for, and the instrumental ones, so that a library
// without lyrics is not asked about again at every play. Kept in a small text file (beside the
// settings); a file that is missing, unreadable or not of this form counts as empty and is
// written afresh on the next change. Not for use from two threads at once.
class MissMemory {
  public:
    enum class Reason { NotFound, Instrumental };

    static constexpr std::int64_t kKeepSeconds = 7 * 24 * 60 * 60;
    // The most songs kept; the oldest go first.
    static constexpr std::size_t kMaxSongs = 20000;

    MissMemory(FileSystem& files, std::string path);

    // The song (by its path and length) was remembered less than kKeepSeconds before now.
    bool remembers(const std::string& songPath, std::int64_t length, std::int64_t now);
    // Records the song and writes the file; false when the file could not be written (the
    // memory still holds the song for this session).
    bool remember(const std::string& songPath, std::int64_t length, Reason reason,
                  std::int64_t now);
    // Drops the song, after the user found lyrics for it by hand.
    bool forget(const std::string& songPath);

    const std::string& path() const { return path_; }

  private:
    struct Entry {
        std::int64_t length = 0;
        Reason reason = Reason::NotFound;
        std::int64_t when = 0;
    };

    void loadOnce();
    bool save(std::int64_t now);

    FileSystem& files_;
    std::string path_;
    bool loaded_ = false;
    std::map<std::string, Entry> songs_;
};

// The memory's file name, beside the settings file at settingsPath (its folder, this name).
std::string missMemoryPathBeside(const std::string& settingsPath);

}  // namespace zor
