#pragma once

#include <sys/types.h>

#include <cstdint>
#include <ctime>
#include <mutex>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace zor {

// The names in folders, kept between lookups so that matching a name without regard to letter
// case does not read the whole folder each time. A folder's list is kept only while its inode
// and modification time are unchanged, so a file added, removed or renamed since is always seen.
// Safe to use from several threads.
class PosixFolderNames {
  public:
    enum class Outcome {
        Found,    // name holds the folder's own spelling of the name
        Absent,   // no entry of the folder matches, or the folder cannot be reached
        Unknown,  // the folder could not be listed; only opening the name itself can tell
    };
    struct Match {
        Outcome outcome = Outcome::Unknown;
        std::string name;
        int error = 0;  // why the name is absent
    };

    // The entry of folder named name: as written when it exists so, else the first that matches
    // without regard to ASCII letter case.
    Match find(const std::string& folder, const std::string& name);

    // While a moment lasts on a thread, a folder checked once by that thread (its listing kept
    // and still current, or the folder out of reach) is not checked again. Moments nest.
    void beginMoment();
    void endMoment();

    // What a moment learnt of a folder.
    struct FolderSeen {
        bool reachable = false;
        int error = 0;  // why it is not
    };

  private:
    struct Listing {
        dev_t device = 0;
        ino_t inode = 0;
        timespec modified{};
        std::unordered_set<std::string> exact;
        std::unordered_map<std::string, std::string> folded;
        std::uint64_t lastUse = 0;
    };

    void keep(const std::string& folder, Listing listing);
    // What this thread's moment knows of each folder it checked, or null outside a moment.
    std::unordered_map<std::string, FolderSeen>* momentFolders() const;
    bool findKept(const std::string& folder, const std::string& name, Match& match);

    std::mutex mutex_;
    std::unordered_map<std::string, Listing> listings_;
    std::uint64_t uses_ = 0;
};

}  // namespace zor
