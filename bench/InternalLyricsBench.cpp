// The load step for a 5 MB MP3 whose lyrics are inside it, in an ID3v2 lyrics frame or in a
// Lyrics3 tag, against reading the first and the last 4 KB of the file, where the tags sit.
#include <benchmark/benchmark.h>

#include <string>

#include "BenchSupport.h"

namespace zor::bench {

namespace {

constexpr std::size_t kAudioSize = std::size_t{5} << 20;

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

void BM_InternalFrame(benchmark::State& state) {
    state.SetLabel("loadLyrics: 5 MB MP3, ID3v2.3 lyrics frame");
    internalLoadFigure(state, songWithFrame(), 5);
}
void BM_InternalFrameFloor(benchmark::State& state) {
    state.SetLabel("open, read first and last 4 KB, close");
    songEdgesFloor(state, songWithFrame());
}
void BM_InternalLyrics3(benchmark::State& state) {
    state.SetLabel("loadLyrics: 5 MB MP3, Lyrics3 v2 tag and ID3v1");
    internalLoadFigure(state, songWithLyrics3(), 5);
}
void BM_InternalLyrics3Floor(benchmark::State& state) {
    state.SetLabel("open, read first and last 4 KB, close");
    songEdgesFloor(state, songWithLyrics3());
}

}  // namespace

BENCHMARK(BM_InternalFrame)->Name("internal_id3/figure")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_InternalFrameFloor)->Name("internal_id3/floor")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_InternalLyrics3)->Name("internal_lyrics3/figure")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_InternalLyrics3Floor)->Name("internal_lyrics3/floor")->Unit(benchmark::kMicrosecond);

}  // namespace zor::bench
