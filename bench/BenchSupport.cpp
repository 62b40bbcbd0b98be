#include "BenchSupport.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <ctime>
#include <fstream>
#include <stdexcept>

namespace zor::bench {

namespace {

// A fixed sequence, so every run reads the same bytes.
class Sequence {
  public:
    std::uint32_t next() {
        state_ = state_ * 1664525U + 1013904223U;
        return state_ >> 8;
    }
    std::size_t below(std::size_t bound) { return next() % bound; }

  private:
    std::uint32_t state_ = 12345U;
};

constexpr std::array<const char*, 24> kWords = {
    "love",  "night",   "you",  "and",     "the",   "heart",   "I",       "never",
    "again", "fire",    "rain", "dancing", "under", "stars",   "we",      "were",
    "young", "forever", "my",   "home",    "away",  "tonight", "believe", "falling"};

std::string twoDigits(unsigned value) {
    return std::string{static_cast<char>('0' + value / 10 % 10),
                       static_cast<char>('0' + value % 10)};
}

// [mm:ss.xx]
std::string timeTag(unsigned hundredths) {
    const unsigned seconds = hundredths / 100;
    return "[" + twoDigits(seconds / 60) + ":" + twoDigits(seconds % 60) + "." +
           twoDigits(hundredths % 100) + "]";
}

void appendBigEndian(std::string& bytes, std::size_t value, int count) {
    for (int shift = 8 * (count - 1); shift >= 0; shift -= 8) {
        bytes += static_cast<char>((value >> shift) & 0xFF);
    }
}

// Seven bits a byte, as the ID3v2 tag header holds its size.
void appendSyncSafe(std::string& bytes, std::size_t value) {
    for (int shift = 21; shift >= 0; shift -= 7) {
        bytes += static_cast<char>((value >> shift) & 0x7F);
    }
}

std::string decimal(std::size_t value, std::size_t digits) {
    std::string text = std::to_string(value);
    if (text.size() > digits) {
        throw std::length_error("field too long for its digits");
    }
    return std::string(digits - text.size(), '0') + text;
}

// MPEG-1 layer III frames at 128 kbit/s and 44.1 kHz: a frame header, then bytes of every value.
std::string audio(std::size_t size) {
    constexpr std::size_t kFrameSize = 417;
    Sequence sequence;
    std::string bytes;
    bytes.reserve(size + kFrameSize);
    while (bytes.size() < size) {
        bytes.append("\xFF\xFB\x90\x00", 4);
        for (std::size_t i = 4; i < kFrameSize; ++i) {
            bytes += static_cast<char>(sequence.next() & 0xFF);
        }
    }
    return bytes;
}

std::string id3v1Tag() {
    std::string tag = "TAG";
    for (const char* field : {"Song", "Band", "Album"}) {
        std::string text(30, '\0');
        text.replace(0, std::char_traits<char>::length(field), field);
        tag += text;
    }
    tag += "2004";
    tag += std::string(30, '\0');
    tag += static_cast<char>(17);
    return tag;
}

}  // namespace

BenchFolder::BenchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zorbench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary folder");
    }
    path_ = pattern;
}

BenchFolder::~BenchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string BenchFolder::write(const std::string& relative, const std::string& bytes) const {
    const std::filesystem::path file = path_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << bytes;
    if (!out.flush()) {
        throw std::runtime_error("cannot write " + file.string());
    }
    // A collection's folders were last changed long before its songs play; a folder changed a
    // moment ago has its names read again at every lookup until its time has settled.
    timespec hourAgo{};
    ::clock_gettime(CLOCK_REALTIME, &hourAgo);
    hourAgo.tv_sec -= 3600;
    const timespec times[2] = {hourAgo, hourAgo};
    ::utimensat(AT_FDCWD, file.parent_path().c_str(), times, 0);
    return file.string();
}

std::string BenchFolder::operator/(const std::string& relative) const {
    return (path_ / relative).string();
}

const BenchFolder& benchFolder() {
    static const BenchFolder folder;
    return folder;
}

bool QuietHost::extendedFileInfo(const std::string& /*file*/, const std::string& key,
                                 std::string& answer) {
    if (key == "Title") {
        answer = "Song";
    } else if (key == "Artist") {
        answer = "Band";
    } else if (key == "Album") {
        answer = "Album";
    } else {
        return false;
    }
    return true;
}

std::string lrcText(std::size_t size) {
    Sequence sequence;
    std::string text = "[ti:Song]\r\n[ar:Band]\r\n[al:Album]\r\n[by:someone]\r\n\r\n";
    unsigned hundredths = 1000;
    while (text.size() < size) {
        // Two tags of 10 characters each and 10 to 40 of words: lines of 30 to 60.
        std::string line = timeTag(hundredths) + timeTag(hundredths + 9000);
        const std::size_t length = 30 + sequence.below(31);
        while (line.size() < length) {
            line += kWords[sequence.below(kWords.size())];
            line += ' ';
        }
        line.resize(length);
        text += line + "\r\n";
        hundredths += 250 + static_cast<unsigned>(sequence.below(250));
    }
    return text;
}

std::string mp3WithLyricsFrame(const std::string& lyrics, std::size_t audioSize) {
    // Encoding 0 (single-byte), language, empty description, the text.
    const std::string body = std::string("\0XXX\0", 5) + lyrics;
    std::string frame = "USLT";
    appendBigEndian(frame, body.size(), 4);
    frame += std::string(2, '\0');
    frame += body;
    std::string tag = std::string("ID3\x03\x00\x00", 6);
    appendSyncSafe(tag, frame.size());
    return tag + frame + audio(audioSize);
}

std::string mp3WithLyrics3(const std::string& lyrics, std::size_t audioSize) {
    std::string fields = "IND" + decimal(2, 5) + "10";
    fields += "LYR" + decimal(lyrics.size(), 5) + lyrics;
    fields += "INF" + decimal(4, 5) + "Band";
    const std::string tag = "LYRICSBEGIN" + fields;
    return audio(audioSize) + tag + decimal(tag.size(), 6) + "LYRICS200" + id3v1Tag();
}

void goalRatio(benchmark::State& state, double most) {
    state.counters["goal_ratio"] = most;
}

void goalSpeedup(benchmark::State& state, double least) {
    state.counters["goal_speedup"] = least;
}

void goalThroughput(benchmark::State& state, double mbPerSecond) {
    state.counters["goal_MBps"] = mbPerSecond;
}

void internalLoadFigure(benchmark::State& state, const std::string& song, double goal) {
    CoreRig rig;
    rig.core.loadLyrics(song);
    if (rig.core.internalLyrics != 1 || rig.core.lyricsFound != 1 ||
        rig.core.timeTags[0].line < 0) {
        state.SkipWithError("the load did not find the song's own timed lyrics");
        return;
    }
    for (auto _ : state) {
        rig.core.loadLyrics(song);
        benchmark::DoNotOptimize(rig.lyricsList.count());
    }
    goalRatio(state, goal);
}

void songEdgesFloor(benchmark::State& state, const std::string& song) {
    constexpr std::size_t kEdge = 4096;
    std::array<char, kEdge> head{};
    std::array<char, kEdge> tail{};
    for (auto _ : state) {
        const int fd = ::open(song.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            state.SkipWithError("cannot open the song");
            break;
        }
        const bool read = ::read(fd, head.data(), head.size()) > 0 &&
                          ::lseek(fd, -static_cast<off_t>(kEdge), SEEK_END) >= 0 &&
                          ::read(fd, tail.data(), tail.size()) > 0;
        ::close(fd);
        if (!read) {
            state.SkipWithError("cannot read the song");
            break;
        }
        benchmark::DoNotOptimize(head.data());
        benchmark::DoNotOptimize(tail.data());
    }
}

}  // namespace zor::bench
