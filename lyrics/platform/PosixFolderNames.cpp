#include "lyrics/platform/PosixFolderNames.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <memory>

namespace zor {

namespace {

// Enough for the folders one load looks in and a few songs' worth more, while bounding memory.
constexpr std::size_t kKeptFolders = 16;

// File systems stamp times from a coarse clock (and network ones from another machine's), so a
// change within this long of a listing may leave the folder's time as it was. A listing taken
// that soon after the folder's last change is used once and not kept.
constexpr std::int64_t kSettleNanoseconds = 2'000'000'000;

std::string foldCase(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

std::int64_t nanoseconds(const timespec& time) {
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

bool sameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

PosixFolderNames::Match lookUp(const std::unordered_set<std::string>& exact,
                               const std::unordered_map<std::string, std::string>& folded,
                               const std::string& name) {
    if (exact.count(name) != 0) {
        return {PosixFolderNames::Outcome::Found, name};
    }
    const auto match = folded.find(foldCase(name));
    if (match == folded.end()) {
        return {PosixFolderNames::Outcome::Absent, {}, ENOENT};
    }
    return {PosixFolderNames::Outcome::Found, match->second};
}

}  // namespace

namespace {

// The moment of the thread that runs a lookup: which folders it has checked, for one owner.
struct ThreadMoment {
    const PosixFolderNames* owner = nullptr;
    int depth = 0;
    std::unordered_map<std::string, PosixFolderNames::FolderSeen> folders;
};
thread_local ThreadMoment threadMoment;

}  // namespace

void PosixFolderNames::beginMoment() {
    if (threadMoment.depth == 0) {
        threadMoment.owner = this;
        threadMoment.folders.clear();
    }
    ++threadMoment.depth;
}

void PosixFolderNames::endMoment() {
    if (threadMoment.depth > 0 && --threadMoment.depth == 0) {
        threadMoment.owner = nullptr;
        threadMoment.folders.clear();
    }
}

std::unordered_map<std::string, PosixFolderNames::FolderSeen>* PosixFolderNames::momentFolders()
    const {
    return threadMoment.depth > 0 && threadMoment.owner == this ? &threadMoment.folders : nullptr;
}

// The kept listing of folder, taken as current without a check.
bool PosixFolderNames::findKept(const std::string& folder, const std::string& name, Match& match) {
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto kept = listings_.find(folder);
    if (kept == listings_.end()) {
        return false;
    }
    kept->second.lastUse = ++uses_;
    match = lookUp(kept->second.exact, kept->second.folded, name);
    return true;
}

PosixFolderNames::Match PosixFolderNames::find(const std::string& folder, const std::string& name) {
    auto* const seenFolders = momentFolders();
    if (seenFolders != nullptr) {
        const auto seen = seenFolders->find(folder);
        if (seen != seenFolders->end()) {
            if (!seen->second.reachable) {
                return {Outcome::Absent, {}, seen->second.error};
            }
            if (Match match; findKept(folder, name, match)) {
                return match;
            }
        }
    }
    const auto remember = [&](FolderSeen seen) {
        if (seenFolders != nullptr) {
            (*seenFolders)[folder] = seen;
        }
    };
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) {
        // Whatever keeps the folder from being reached keeps its files from being opened.
        const int error = errno;
        remember({false, error});
        return {Outcome::Absent, {}, error};
    }
    if (!S_ISDIR(info.st_mode)) {
        remember({false, ENOTDIR});
        return {Outcome::Absent, {}, ENOTDIR};
    }
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        const auto kept = listings_.find(folder);
        if (kept != listings_.end()) {
            Listing& listing = kept->second;
            if (listing.device == info.st_dev && listing.inode == info.st_ino &&
                sameTime(listing.modified, info.st_mtim)) {
                listing.lastUse = ++uses_;
                remember({true, 0});
                return lookUp(listing.exact, listing.folded, name);
            }
            listings_.erase(kept);
        }
    }

    timespec listedAt{};
    ::clock_gettime(CLOCK_REALTIME, &listedAt);
    const std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str()));
    if (!dir) {
        return {};
    }
    Listing listing;
    listing.device = info.st_dev;
    listing.inode = info.st_ino;
    listing.modified = info.st_mtim;
    while (const dirent* entry = ::readdir(dir.get())) {
        listing.exact.insert(entry->d_name);
        // The first spelling listed wins, as a scan stopping at its first match would choose.
        listing.folded.emplace(foldCase(entry->d_name), entry->d_name);
    }
    Match match = lookUp(listing.exact, listing.folded, name);
    if (nanoseconds(listing.modified) < nanoseconds(listedAt) - kSettleNanoseconds) {
        keep(folder, std::move(listing));
        remember({true, 0});
    }
    return match;
}

void PosixFolderNames::keep(const std::string& folder, Listing listing) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (listings_.size() >= kKeptFolders) {
        const auto oldest = std::min_element(
            listings_.begin(), listings_.end(),
            [](const auto& a, const auto& b) { return a.second.lastUse < b.second.lastUse; });
        listings_.erase(oldest);
    }
    listing.lastUse = ++uses_;
    listings_[folder] = std::move(listing);
}

}  // namespace zor
