// The reader over lyrics text in memory, against splitting the same text at its line breaks and
// copying each line into a list of strings: the least any reader of lines must do.
#include <benchmark/benchmark.h>

#include <algorithm>
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

// The floor: a memchr split with each line copied into a vector of strings.
void memchrSplit(benchmark::State& state, const std::string& text) {
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

void readLinesFloor(benchmark::State& state, std::size_t size) {
    memchrSplit(state, lrcText(size));
}

// A file in memory, handed out in the reader's own blocks.
class MemoryFile final : public InputFile {
  public:
    explicit MemoryFile(const std::string& bytes) : bytes_(bytes) {}
    std::int64_t read(char* buffer, std::size_t size) override {
        const std::size_t n = std::min(size, bytes_.size() - position_);
        std::memcpy(buffer, bytes_.data() + position_, n);
        position_ += n;
        return static_cast<std::int64_t>(n);
    }
    std::int64_t size() const override { return static_cast<std::int64_t>(bytes_.size()); }
    bool seek(std::int64_t offset) override {
        position_ = static_cast<std::size_t>(offset);
        return true;
    }

  private:
    const std::string& bytes_;
    std::size_t position_ = 0;
};

// The same lyrics as songs in other scripts are written. Latin lines carry accents at about the
// rate of French or Spanish text: every third e and every third a. CJK lines have every letter
// of their words as an ideograph (three bytes in UTF-8). The UTF-8 file has the two kinds of line
// in turn; the Windows-1252 file has Latin lines only, its accents being no valid UTF-8, so the
// fallback decodes it.
std::string withAccents(const std::string& line, const char* forA, const char* forE) {
    std::string result;
    int seenA = 0;
    int seenE = 0;
    for (const char c : line) {
        if (c == 'a' && ++seenA % 3 == 0) {
            result += forA;
        } else if (c == 'e' && ++seenE % 3 == 0) {
            result += forE;
        } else {
            result += c;
        }
    }
    return result;
}

std::string inIdeographs(const std::string& line) {
    std::string result;
    const std::size_t words = line.rfind(']') == std::string::npos ? 0 : line.rfind(']') + 1;
    result.append(line, 0, words);
    for (std::size_t i = words; i < line.size(); ++i) {
        const char c = line[i];
        if (c >= 'a' && c <= 'z') {
            const unsigned codePoint = 0x6B4CU + static_cast<unsigned>(c - 'a');  // from 歌 on
            result += static_cast<char>(0xE0 | (codePoint >> 12));
            result += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
            result += static_cast<char>(0x80 | (codePoint & 0x3F));
        } else {
            result += c;
        }
    }
    return result;
}

template <typename Change>
std::string lineByLine(const std::string& text, Change change) {
    std::string result;
    std::size_t index = 0;
    for (std::size_t start = 0; start < text.size(); ++index) {
        std::size_t end = text.find("\r\n", start);
        end = end == std::string::npos ? text.size() : end + 2;
        result += change(text.substr(start, end - start), index);
        start = end;
    }
    return result;
}

// The file path of the reader: the encoding decided, the bytes decoded, the lines split.
void readFileFigure(benchmark::State& state, const std::string& bytes) {
    CoreRig rig;
    for (auto _ : state) {
        rig.lyricsList.clear();
        MemoryFile file(bytes);
        int count = 0;
        rig.core.readLines(file, count);
        benchmark::DoNotOptimize(count);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes.size()));
    goalRatio(state, 4);
}

const std::string& utf8Text() {
    static const std::string text =
        lineByLine(lrcText(kLargeText), [](const std::string& line, std::size_t index) {
            return index % 2 == 0 ? withAccents(line, "\xC3\xA1", "\xC3\xA9") : inIdeographs(line);
        });
    return text;
}

const std::string& codePageText() {
    static const std::string text =
        lineByLine(lrcText(kLargeText), [](const std::string& line, std::size_t /*index*/) {
            return withAccents(line, "\xE1", "\xE9");
        });
    return text;
}

void BM_ReaderUtf8(benchmark::State& state) {
    state.SetLabel(
        "readLines of a 1 MB UTF-8 file, Latin and CJK lines: checked, split, tags parsed");
    readFileFigure(state, utf8Text());
}
void BM_ReaderUtf8Floor(benchmark::State& state) {
    state.SetLabel("memchr split of the same UTF-8 bytes");
    memchrSplit(state, utf8Text());
}
void BM_ReaderCodePage(benchmark::State& state) {
    state.SetLabel(
        "readLines of a 1 MB Windows-1252 file with accents: decoded, split, tags parsed");
    readFileFigure(state, codePageText());
}
void BM_ReaderCodePageFloor(benchmark::State& state) {
    state.SetLabel("memchr split of the same Windows-1252 bytes");
    memchrSplit(state, codePageText());
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
BENCHMARK(BM_ReaderUtf8)->Name("reader_utf8_1MB/figure")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReaderUtf8Floor)->Name("reader_utf8_1MB/floor")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReaderCodePage)->Name("reader_cp1252_1MB/figure")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReaderCodePageFloor)->Name("reader_cp1252_1MB/floor")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReaderSong)->Name("reader_song/figure")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReaderSongFloor)->Name("reader_song/floor")->Unit(benchmark::kMicrosecond);

}  // namespace zor::bench
