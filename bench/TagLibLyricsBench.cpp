// The load step for a 5 MB song whose lyrics TagLib reads: an MP3 with an ID3v2.4 lyrics frame and
// a FLAC song with a LYRICS comment, each against the same floor as the ID3v2.3 rows: open, read
// the first and the last 4 KB, close.
#include <benchmark/benchmark.h>
#include <taglib/id3v2tag.h>
#include <taglib/unsynchronizedlyricsframe.h>

#include <string>

#include "BenchSupport.h"

namespace zor::bench {

namespace {

constexpr std::size_t kAudioSize = std::size_t{5} << 20;

std::string audioBytes(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 2654435761U) >> 13);
    }
    return bytes;
}

std::string mp3WithV24Frame(const std::string& lyrics) {
    TagLib::ID3v2::Tag tag;
    auto* frame = new TagLib::ID3v2::UnsynchronizedLyricsFrame(TagLib::String::UTF8);
    frame->setText(TagLib::String(lyrics, TagLib::String::UTF8));
    tag.addFrame(frame);  // the tag owns its frames
    const TagLib::ByteVector bytes = tag.render(TagLib::ID3v2::v4);
    return std::string(bytes.data(), bytes.size()) + audioBytes(kAudioSize);
}

std::string littleEndian32(std::size_t value) {
    std::string out;
    for (int i = 0; i < 4; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return out;
}

std::string blockHeader(bool last, int type, std::size_t size) {
    return {static_cast<char>((last ? 0x80 : 0) | type), static_cast<char>((size >> 16) & 0xFF),
            static_cast<char>((size >> 8) & 0xFF), static_cast<char>(size & 0xFF)};
}

// fLaC, STREAMINFO, a VORBIS_COMMENT block holding the lyrics, then the frames.
std::string flacWithComment(const std::string& lyrics) {
    std::string info = std::string("\x10\x00\x10\x00", 4) + std::string(6, '\0') +
                       std::string("\x0A\xC4\x40\xF0\x00\x00\x00\x00", 8) + std::string(16, '\0');
    const std::string field = "LYRICS=" + lyrics;
    const std::string comment =
        littleEndian32(5) + "bench" + littleEndian32(1) + littleEndian32(field.size()) + field;
    return "fLaC" + blockHeader(false, 0, info.size()) + info +
           blockHeader(true, 4, comment.size()) + comment + "\xFF\xF8" + audioBytes(kAudioSize);
}

const std::string& songWithV24Frame() {
    static const std::string path =
        benchFolder().write("taglib/Framed24.mp3", mp3WithV24Frame(lrcText(kSongLyricsSize)));
    return path;
}

const std::string& flacSong() {
    static const std::string path =
        benchFolder().write("taglib/Commented.flac", flacWithComment(lrcText(kSongLyricsSize)));
    return path;
}

void BM_InternalV24(benchmark::State& state) {
    state.SetLabel("loadLyrics: 5 MB MP3, ID3v2.4 lyrics frame (TagLib)");
    internalLoadFigure(state, songWithV24Frame(), 10);
}
void BM_InternalV24Floor(benchmark::State& state) {
    state.SetLabel("open, read first and last 4 KB, close");
    songEdgesFloor(state, songWithV24Frame());
}
void BM_InternalFlac(benchmark::State& state) {
    state.SetLabel("loadLyrics: 5 MB FLAC, LYRICS comment (TagLib)");
    internalLoadFigure(state, flacSong(), 10);
}
void BM_InternalFlacFloor(benchmark::State& state) {
    state.SetLabel("open, read first and last 4 KB, close");
    songEdgesFloor(state, flacSong());
}

}  // namespace

BENCHMARK(BM_InternalV24)->Name("internal_id3v24/figure")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_InternalV24Floor)->Name("internal_id3v24/floor")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_InternalFlac)->Name("internal_flac/figure")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_InternalFlacFloor)->Name("internal_flac/floor")->Unit(benchmark::kMicrosecond);

}  // namespace zor::bench
