// The online step from the answer's arrival to the lyrics loaded: the answer's bytes in memory,
// read, matched, saved as the LRC beside the song and loaded through the ordinary lookup;
// against the floor of what cannot be spared: the same bytes through the safe write, then the
// same load.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include <nlohmann/json.hpp>

#include "BenchSupport.h"
#include "lyrics/edit/SafeWrite.h"
#include "lyrics/online/OnlineLookup.h"

namespace zor::bench {

namespace {

// Answers every request at once with the same bytes, as if they had just arrived.
class ArrivedAnswer final : public HttpTransport {
  public:
    explicit ArrivedAnswer(std::string body) : body_(std::move(body)) {}
    HttpResponse send(const HttpRequest& /*request*/, const CancelFlag& /*cancel*/) override {
        HttpResponse response;
        response.status = 200;
        response.body = body_;
        return response;
    }

  private:
    std::string body_;
};

// The record /api/get answers for the song: about 3 KB of synced lyrics and the plain ones.
std::string recordBody() {
    const std::string synced = lrcText(kSongLyricsSize);
    nlohmann::json record = {
        {"id", 1},
        {"trackName", "Song"},
        {"artistName", "Band"},
        {"albumName", "LP"},
        {"duration", 200.0},
        {"instrumental", false},
        {"plainLyrics", "x"},
        {"syncedLyrics", synced},
    };
    return record.dump();
}

const TrackSignature kSignature{"Band", "Song", "LP", 200.0};

void BM_OnlineArrivalToLoaded(benchmark::State& state) {
    state.SetLabel("answer in memory -> parse, match, save LRC, loadLyrics");
    const std::string song = benchFolder().write("online/music/Song.mp3", std::string(4096, '\0'));
    const std::string saved = benchFolder() / "online/music/Song.LRC";
    ArrivedAnswer transport(recordBody());
    CoreRig rig;
    OnlineLookup lookup(transport, rig.core.files, "http://127.0.0.1:9");
    const CancelFlag never{false};
    const OnlineSong onlineSong{song, kSignature, ""};
    for (auto _ : state) {
        const OnlineOutcome outcome =
            lookup.run(onlineSong, never, 0, [&] { rig.core.loadLyrics(song); });
        if (outcome.save.status != FoundSaveStatus::Saved || rig.core.lyricsPath != saved) {
            state.SkipWithError("the answer was not saved and loaded");
            break;
        }
        state.PauseTiming();
        std::remove(saved.c_str());
        state.ResumeTiming();
    }
    goalRatio(state, 1.5);
}

void BM_OnlineArrivalFloor(benchmark::State& state) {
    state.SetLabel("safe write of the same LRC, then loadLyrics");
    const std::string song =
        benchFolder().write("online-floor/music/Song.mp3", std::string(4096, '\0'));
    const std::string saved = benchFolder() / "online-floor/music/Song.LRC";
    const std::string bytes = lrcText(kSongLyricsSize);
    const ContentWriter write = [&bytes](OutputFile& file) {
        return file.write(bytes.data(), bytes.size());
    };
    CoreRig rig;
    for (auto _ : state) {
        if (writeThroughTemporary(rig.core.files, saved, write).status !=
            SafeWriteStatus::Written) {
            state.SkipWithError("the safe write failed");
            break;
        }
        rig.core.loadLyrics(song);
        benchmark::DoNotOptimize(rig.lyricsList.count());
        state.PauseTiming();
        std::remove(saved.c_str());
        state.ResumeTiming();
    }
}

}  // namespace

BENCHMARK(BM_OnlineArrivalToLoaded)->Name("online_arrival/figure")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OnlineArrivalFloor)->Name("online_arrival/floor")->Unit(benchmark::kMicrosecond);

}  // namespace zor::bench
