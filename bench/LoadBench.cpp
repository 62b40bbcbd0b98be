// The load step for a song with its LRC file beside it while an alternative folder is set, so
// two names miss before the hit, against opening, reading and closing that one file.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <string>

#include "BenchSupport.h"

namespace zor::bench {

namespace {

struct LoadFixture {
    std::string alternativeFolder;
    std::string song;
    std::string lyrics;
};

// otherFiles lyrics files of other songs fill the alternative folder, as a collection does.
LoadFixture loadFixture(int otherFiles) {
    const BenchFolder& folder = benchFolder();
    const std::string root = "load" + std::to_string(otherFiles) + "/";
    for (int i = 0; i < otherFiles; ++i) {
        folder.write(root + "alt/Other song " + std::to_string(i) + ".LRC", "[00:01]x\r\n");
    }
    folder.write(root + "alt/.keep", "");
    LoadFixture fixture;
    fixture.alternativeFolder = folder / (root + "alt");
    fixture.song = folder.write(root + "music/Song.mp3", std::string(4096, '\0'));
    fixture.lyrics = folder.write(root + "music/Song.LRC", lrcText(kSongLyricsSize));
    return fixture;
}

void loadFigure(benchmark::State& state, int otherFiles) {
    const LoadFixture fixture = loadFixture(otherFiles);
    CoreRig rig;
    rig.core.AlternativeLRCPath = fixture.alternativeFolder;
    rig.core.loadLyrics(fixture.song);
    if (rig.core.lyricsPath != fixture.lyrics) {
        state.SkipWithError("the load did not read the LRC file beside the song");
        return;
    }
    for (auto _ : state) {
        rig.core.loadLyrics(fixture.song);
        benchmark::DoNotOptimize(rig.lyricsList.count());
    }
    goalRatio(state, 3);
}

void loadFloor(benchmark::State& state, int otherFiles) {
    const LoadFixture fixture = loadFixture(otherFiles);
    std::array<char, std::size_t{64} * 1024> block{};
    for (auto _ : state) {
        const int fd = ::open(fixture.lyrics.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            state.SkipWithError("cannot open the lyrics file");
            break;
        }
        while (::read(fd, block.data(), block.size()) > 0) {
        }
        ::close(fd);
        benchmark::DoNotOptimize(block.data());
    }
}

constexpr int kSmallFolder = 10;
constexpr int kCollection = 2000;

void BM_LoadSmallFolder(benchmark::State& state) {
    state.SetLabel("loadLyrics: LRC beside the song, 2 misses in a folder of 10");
    loadFigure(state, kSmallFolder);
}
void BM_LoadSmallFolderFloor(benchmark::State& state) {
    state.SetLabel("open, read and close the 3 KB LRC file");
    loadFloor(state, kSmallFolder);
}
void BM_LoadCollection(benchmark::State& state) {
    state.SetLabel("loadLyrics: LRC beside the song, 2 misses in a folder of 2000");
    loadFigure(state, kCollection);
}
void BM_LoadCollectionFloor(benchmark::State& state) {
    state.SetLabel("open, read and close the 3 KB LRC file");
    loadFloor(state, kCollection);
}

}  // namespace

BENCHMARK(BM_LoadSmallFolder)->Name("load_alt10/figure")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadSmallFolderFloor)->Name("load_alt10/floor")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadCollection)->Name("load_alt2000/figure")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadCollectionFloor)->Name("load_alt2000/floor")->Unit(benchmark::kMicrosecond);

}  // namespace zor::bench
