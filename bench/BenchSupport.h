#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

#include "lyrics/model/LyricsCore.h"
#include "lyrics/model/MemoryLineList.h"
#include "lyrics/ports/HostLink.h"
#include "lyrics/ports/Prompt.h"

namespace benchmark {
class State;
}

namespace zor::bench {

// Where every benchmark keeps its files: one fresh folder for the whole run, removed at the end.
class BenchFolder {
  public:
    BenchFolder();
    ~BenchFolder();
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

    // Writes bytes to relative (folders are made as needed); returns the full name.
    std::string write(const std::string& relative, const std::string& bytes) const;
    std::string operator/(const std::string& relative) const;

  private:
    std::filesystem::path path_;
};

// The run's folder, made on first use.
const BenchFolder& benchFolder();

// A host that answers the header's metadata at once, as a host with the tags at hand does.
class QuietHost final : public HostLink {
  public:
    bool isPlaying() override { return true; }
    int outputTime() override { return 0; }
    void jumpToTime(int /*ms*/) override {}
    int listPosition() override { return 0; }
    std::optional<std::string> playlistFile(int /*index*/) override { return std::nullopt; }
    std::optional<std::string> playlistTitle(int /*index*/) override { return std::nullopt; }
    bool extendedFileInfo(const std::string& file, const std::string& key,
                          std::string& answer) override;
    void play() override {}
    void showFileInfo() override {}
    std::string mainCaption() override { return "1. Band - Song - Winamp"; }
};

// Nothing the benchmarks run asks the user anything; an answer is given all the same.
class SilentPrompt final : public Prompt {
  public:
    PromptAnswer show(PromptOwner /*owner*/, const std::string& /*text*/,
                      const std::string& /*caption*/, PromptButtons /*buttons*/,
                      PromptIcon /*icon*/) override {
        return PromptAnswer::No;
    }
};

// The core in display mode over in-memory lists and the real file system.
struct CoreRig {
    MemoryLineList lyricsList{true};
    MemoryLineList editList{false};
    QuietHost host;
    SilentPrompt prompt;
    LyricsCore core{lyricsList, editList, host, prompt, platformFileSystem()};
};

// The size of one song's lyrics, as a typical LRC file holds them.
inline constexpr std::size_t kSongLyricsSize = std::size_t{3} * 1024;

// Lyrics text of about size bytes: LRC lines with two time tags and 30 to 60 characters of
// words, each ended by CR LF, after a few ID-tag lines, as lyrics files are written.
std::string lrcText(std::size_t size);

// An MP3 of about audioSize bytes of frame-like audio. With a lyrics frame: an ID3v2.3 tag with
// a USLT frame holding lyrics ahead of the audio. Without: the audio, a Lyrics3 version 2 tag
// holding lyrics, and an ID3v1 tag.
std::string mp3WithLyricsFrame(const std::string& lyrics, std::size_t audioSize);
std::string mp3WithLyrics3(const std::string& lyrics, std::size_t audioSize);

// The load step for a song whose timed lyrics are inside it, held to goal times its floor, and
// that floor: opening the song and reading its first and last 4 KB, where the tags sit.
void internalLoadFigure(benchmark::State& state, const std::string& song, double goal);
void songEdgesFloor(benchmark::State& state, const std::string& song);

// The counters the table reads: the goal a figure is held to against its floor.
void goalRatio(benchmark::State& state, double most);              // figure ÷ floor at most this
void goalSpeedup(benchmark::State& state, double least);           // floor ÷ figure at least this
void goalThroughput(benchmark::State& state, double mbPerSecond);  // figure at least this MB/s

}  // namespace zor::bench
