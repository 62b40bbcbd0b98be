// A lyrics file read by the reader, in blocks, against the same file read one byte per system
// call, the way a reader that takes a byte at a time from the file works.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <string>

#include "BenchSupport.h"

namespace zor::bench {

namespace {

const std::string& lyricsFile() {
    static const std::string path =
        benchFolder().write("reading/Long.LRC", lrcText(std::size_t{100} * 1024));
    return path;
}

void BM_FileReader(benchmark::State& state) {
    state.SetLabel("openShared and readLines of a 100 KB LRC file");
    const std::string& path = lyricsFile();
    CoreRig rig;
    for (auto _ : state) {
        rig.lyricsList.clear();
        int count = 0;
        const auto file = platformFileSystem().openShared(path);
        if (!file) {
            state.SkipWithError("cannot open the lyrics file");
            break;
        }
        rig.core.readLines(*file, count);
        benchmark::DoNotOptimize(count);
    }
    goalSpeedup(state, 20);
}

void BM_FileBytewise(benchmark::State& state) {
    state.SetLabel("the same file, one ::read of 1 byte per call");
    const std::string& path = lyricsFile();
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            state.SkipWithError("cannot open the lyrics file");
            break;
        }
        char byte = 0;
        long bytes = 0;
        while (::read(fd, &byte, 1) == 1) {
            ++bytes;
        }
        ::close(fd);
        benchmark::DoNotOptimize(bytes);
    }
}

}  // namespace

BENCHMARK(BM_FileReader)->Name("file_reading/figure")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FileBytewise)->Name("file_reading/floor")->Unit(benchmark::kMicrosecond);

}  // namespace zor::bench
