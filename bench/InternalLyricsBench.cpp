// The load step for a 5 MB MP3 whose lyrics are inside it, in an ID3v2 lyrics frame or in a
// Lyrics3 tag, against reading the first and the last 4 KB of the file, where the tags sit.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <string>

#include "BenchSupport.h"

namespace zor::bench {

namespace {

constexpr std::size_t kAudioSize = std::size_t{5} << 20;
constexpr std::size_t kEdge = 4096;

const std::string& songWithFrame() {
    static const std::string path = benchFolder().write(
        "internal/Framed.mp3", mp3WithLyricsFrame(lrcText(kSongLyricsSize), kAudioSize));
    return path;
}

const std::string& songWithLyrics3() {
    static const std::string path = benchFolder().write(
        "internal/Trailer.mp3", mp3WithLyrics3(lrcText(kSongLyricsSize), kAudioSize));
    return path;
}

void internalFigure(benchmark::State& state, const std::string& song) {
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
    goalRatio(state, 5);
}

void edgesFloor(benchmark::State& state, const std::string& song) {
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

void BM_InternalFrame(benchmark::State& state) {
    state.SetLabel("loadLyrics: 5 MB MP3, ID3v2.3 lyrics frame");
    internalFigure(state, songWithFrame());
}
void BM_InternalFrameFloor(benchmark::State& state) {
    state.SetLabel("open, read first and last 4 KB, close");
    edgesFloor(state, songWithFrame());
}
void BM_InternalLyrics3(benchmark::State& state) {
    state.SetLabel("loadLyrics: 5 MB MP3, Lyrics3 v2 tag and ID3v1");
    internalFigure(state, songWithLyrics3());
}
void BM_InternalLyrics3Floor(benchmark::State& state) {
    state.SetLabel("open, read first and last 4 KB, close");
    edgesFloor(state, songWithLyrics3());
}

}  // namespace

BENCHMARK(BM_InternalFrame)->Name("internal_id3/figure")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_InternalFrameFloor)->Name("internal_id3/floor")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_InternalLyrics3)->Name("internal_lyrics3/figure")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_InternalLyrics3Floor)->Name("internal_lyrics3/floor")->Unit(benchmark::kMicrosecond);

}  // namespace zor::bench
