// The reader over lyrics text in memory, against splitting the same text at its line breaks and
// copying each line into a list of strings: the least any reader of lines must do.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "BenchSupport.h"

namespace zor::bench {

namespace {

constexpr std::size_t kLargeText = std::size_t{1} << 20;

void readLinesFigure(benchmark::State& state, std::size_t size) {
    const std::string text = lrcText(size);
    CoreRig rig;
    for (auto _ : state) {
        rig.lyricsList.clear();
        int count = 0;
        rig.core.readLines(text, count);
        benchmark::DoNotOptimize(count);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
    goalRatio(state, 4);
}

void readLinesFloor(benchmark::State& state, std::size_t size) {
    const std::string text = lrcText(size);
    std::vector<std::string> lines;
    for (auto _ : state) {
        lines.clear();
        const char* pos = text.data();
        const char* const end = pos + text.size();
        while (pos < end) {
            const void* found = std::memchr(pos, '\n', static_cast<std::size_t>(end - pos));
            const char* const lineEnd = found != nullptr ? static_cast<const char*>(found) : end;
            const char* textEnd = lineEnd;
            if (textEnd > pos && textEnd[-1] == '\r') {
                --textEnd;
            }
            lines.emplace_back(pos, textEnd);
            pos = lineEnd + 1;
        }
        benchmark::DoNotOptimize(lines.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}

void BM_ReaderLarge(benchmark::State& state) {
    state.SetLabel("readLines: 1 MB of LRC text into the list");
    readLinesFigure(state, kLargeText);
    goalThroughput(state, 100);
}
void BM_ReaderLargeFloor(benchmark::State& state) {
    state.SetLabel("memchr split, each line copied into a vector of strings");
    readLinesFloor(state, kLargeText);
}
void BM_ReaderSong(benchmark::State& state) {
    state.SetLabel("readLines: one song, 3 KB, every tag parsed");
    readLinesFigure(state, kSongLyricsSize);
}
void BM_ReaderSongFloor(benchmark::State& state) {
    state.SetLabel("memchr split of the same 3 KB");
    readLinesFloor(state, kSongLyricsSize);
}

}  // namespace

BENCHMARK(BM_ReaderLarge)->Name("reader_1MB/figure")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReaderLargeFloor)->Name("reader_1MB/floor")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReaderSong)->Name("reader_song/figure")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReaderSongFloor)->Name("reader_song/floor")->Unit(benchmark::kMicrosecond);

}  // namespace zor::bench
