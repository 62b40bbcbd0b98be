#include "lyrics/online/MissMemory.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <vector>

#include "lyrics/edit/SafeWrite.h"

namespace zor {

namespace {

constexpr const char* kFileName = "vis_zorlyrics_online.txt";
// The first line of the file: what it is and its form's version.
constexpr std::string_view kHeader = "zorlyrics online misses 1";
// A memory file larger than this is not one of ours.
constexpr std::int64_t kMaxFileBytes = std::int64_t{16} * 1024 * 1024;

std::optional<std::int64_t> number(std::string_view text) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::string> readWhole(FileSystem& files, const std::string& path) {
    const std::unique_ptr<InputFile> file = files.openShared(path);
    if (!file || file->size() > kMaxFileBytes) {
        return std::nullopt;
    }
    std::string bytes;
    char buffer[8192];
    for (;;) {
        const std::int64_t read = file->read(buffer, sizeof buffer);
        if (read < 0) {
            return std::nullopt;
        }
        if (read == 0) {
            return bytes;
        }
        bytes.append(buffer, static_cast<std::size_t>(read));
    }
}

// Splits at '\t'.
std::vector<std::string_view> fields(std::string_view line) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos) {
            parts.push_back(line.substr(start));
            return parts;
        }
        parts.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
}

// A path that the line form cannot hold is not remembered.
bool storable(const std::string& path) {
    return !path.empty() && path.find_first_of("\t\r\n") == std::string::npos;
}

bool fresh(std::int64_t when, std::int64_t now) {
    return when <= now && now - when < MissMemory::kKeepSeconds;
}

}  // namespace

MissMemory::MissMemory(FileSystem& files, std::string path)
    : files_(files), path_(std::move(path)) {}

void MissMemory::loadOnce() {
    if (loaded_) {
        return;
    }
    loaded_ = true;
    const std::optional<std::string> bytes = readWhole(files_, path_);
    if (!bytes) {
        return;
    }
    std::string_view rest = *bytes;
    bool first = true;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (first) {
            first = false;
            if (line != kHeader) {
                return;  // not ours, or of another version: start afresh
            }
            continue;
        }
        const std::vector<std::string_view> parts = fields(line);
        if (parts.size() != 4) {
            continue;
        }
        const auto when = number(parts[0]);
        const auto length = number(parts[1]);
        if (!when || !length || (parts[2] != "none" && parts[2] != "instrumental") ||
            parts[3].empty()) {
            continue;
        }
        songs_[std::string(parts[3])] =
            Entry{*length, parts[2] == "none" ? Reason::NotFound : Reason::Instrumental, *when};
    }
}

bool MissMemory::remembers(const std::string& songPath, std::int64_t length, std::int64_t now) {
    loadOnce();
    const auto found = songs_.find(songPath);
    return found != songs_.end() && found->second.length == length &&
           fresh(found->second.when, now);
}

bool MissMemory::remember(const std::string& songPath, std::int64_t length, Reason reason,
                          std::int64_t now) {
    loadOnce();
    if (!storable(songPath)) {
        return false;
    }
    songs_[songPath] = Entry{length, reason, now};
    return save(now);
}

bool MissMemory::forget(const std::string& songPath) {
    loadOnce();
    if (songs_.erase(songPath) == 0) {
        return true;
    }
    std::int64_t newest = 0;
    for (const auto& song : songs_) {
        newest = std::max(newest, song.second.when);
    }
    return save(newest);
}

bool MissMemory::save(std::int64_t now) {
    for (auto song = songs_.begin(); song != songs_.end();) {
        song = fresh(song->second.when, now) ? std::next(song) : songs_.erase(song);
    }
    while (songs_.size() > kMaxSongs) {
        const auto oldest = std::min_element(
            songs_.begin(), songs_.end(),
            [](const auto& a, const auto& b) { return a.second.when < b.second.when; });
        songs_.erase(oldest);
    }
    std::string text(kHeader);
    text += '\n';
    for (const auto& [songPath, entry] : songs_) {
        text += std::to_string(entry.when) + '\t' + std::to_string(entry.length) + '\t' +
                (entry.reason == Reason::NotFound ? "none" : "instrumental") + '\t' + songPath +
                '\n';
    }
    const ContentWriter write = [&text](OutputFile& file) {
        return file.write(text.data(), text.size());
    };
    return writeThroughTemporary(files_, path_, write).status == SafeWriteStatus::Written;
}

std::string missMemoryPathBeside(const std::string& settingsPath) {
    const std::size_t separator = settingsPath.find_last_of("\\/");
    if (separator == std::string::npos) {
        return kFileName;
    }
    return settingsPath.substr(0, separator + 1) + kFileName;
}

}  // namespace zor
