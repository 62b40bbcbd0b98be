#include "tools/hostsim/WavFile.h"

#include <cmath>
#include <fstream>
#include <iterator>

#include "tools/hostsim/HostText.h"

namespace zor::hostsim {
namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
constexpr std::size_t kChunkHeaderSize = 8;
constexpr std::size_t kRiffHeaderSize = 12;
constexpr std::size_t kPcmFormatSize = 16;
// An extensible format record names its real format in the first two bytes of its GUID.
constexpr std::size_t kExtensibleSubFormatOffset = 24;

std::uint32_t littleEndian(const std::string& bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return value;
}

struct Format {
    int channels = 0;
    int rate = 0;
    int bits = 0;
};

Format readFormat(const std::string& bytes, std::size_t at, std::size_t size,
                  const std::string& path) {
    if (size < kPcmFormatSize) {
        throw HostError(path + ": format chunk too short");
    }
    std::uint32_t format = littleEndian(bytes, at, 2);
    if (format == kFormatExtensible && size >= kExtensibleSubFormatOffset + 2) {
        format = littleEndian(bytes, at + kExtensibleSubFormatOffset, 2);
    }
    Format result;
    result.channels = static_cast<int>(littleEndian(bytes, at + 2, 2));
    result.rate = static_cast<int>(littleEndian(bytes, at + 4, 4));
    result.bits = static_cast<int>(littleEndian(bytes, at + 14, 2));
    if (format != kFormatPcm || (result.bits != 8 && result.bits != 16) ||
        (result.channels != 1 && result.channels != 2) || result.rate <= 0) {
        throw HostError(path + ": not 8- or 16-bit PCM in one or two channels");
    }
    return result;
}

std::int16_t sampleAt(const std::string& bytes, std::size_t at, int bits) {
    if (bits == 8) {
        // 8-bit WAV samples are unsigned, silence at 128.
        return static_cast<std::int16_t>((static_cast<unsigned char>(bytes[at]) - 128) * 256);
    }
    return static_cast<std::int16_t>(littleEndian(bytes, at, 2));
}

WavSound decode(const std::string& bytes, const Format& format, std::size_t at, std::size_t size) {
    WavSound sound;
    sound.sampleRate = format.rate;
    sound.fileChannels = format.channels;
    sound.fileBits = format.bits;
    const std::size_t sampleBytes = static_cast<std::size_t>(format.bits / 8);
    const std::size_t frameBytes = sampleBytes * static_cast<std::size_t>(format.channels);
    const std::size_t frames = size / frameBytes;
    sound.frames.reserve(frames * 2);
    for (std::size_t frame = 0; frame < frames; ++frame) {
        const std::size_t start = at + frame * frameBytes;
        const std::int16_t left = sampleAt(bytes, start, format.bits);
        const std::int16_t right =
            format.channels == 2 ? sampleAt(bytes, start + sampleBytes, format.bits) : left;
        sound.frames.push_back(left);
        sound.frames.push_back(right);
    }
    return sound;
}

void appendLittleEndian(std::string& bytes, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) {
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

}  // namespace

std::optional<WavSound> readWav(const std::string& path) {
    std::ifstream file(filePath(path), std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    const std::string bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    if (bytes.size() < kRiffHeaderSize || bytes.compare(0, 4, "RIFF") != 0 ||
        bytes.compare(8, 4, "WAVE") != 0) {
        throw HostError(path + ": not a RIFF WAVE file");
    }
    std::optional<Format> format;
    for (std::size_t at = kRiffHeaderSize; at + kChunkHeaderSize <= bytes.size();) {
        const std::string id = bytes.substr(at, 4);
        const std::size_t declared = littleEndian(bytes, at + 4, 4);
        const std::size_t body = at + kChunkHeaderSize;
        // A data chunk written while recording may claim more than the file holds.
        const std::size_t size = std::min(declared, bytes.size() - body);
        if (id == "fmt ") {
            format = readFormat(bytes, body, size, path);
        } else if (id == "data") {
            if (!format) {
                throw HostError(path + ": data before the format chunk");
            }
            return decode(bytes, *format, body, size);
        }
        // Chunks are padded to an even length.
        at = body + size + (size % 2);
    }
    throw HostError(path + ": no data chunk");
}

void writeTestWav(const std::string& path, int sampleRate, int bits, int channels, int silentMs,
                  int toneMs) {
    constexpr double kPi = 3.14159265358979323846;
    const long silentFrames = static_cast<long>(silentMs) * sampleRate / 1000;
    const long frames = silentFrames + static_cast<long>(toneMs) * sampleRate / 1000;
    const int sampleBytes = bits / 8;
    std::string data;
    for (long frame = 0; frame < frames; ++frame) {
        for (int channel = 0; channel < channels; ++channel) {
            double value = 0;
            if (frame >= silentFrames) {
                const double cycle = channel == 0 ? 4.0 : 8.0;
                value = 0.5 * std::sin(2 * kPi * static_cast<double>(frame - silentFrames) / cycle);
            }
            if (bits == 8) {
                appendLittleEndian(data, static_cast<std::uint32_t>(128 + std::lround(value * 128)),
                                   1);
            } else {
                appendLittleEndian(data,
                                   static_cast<std::uint32_t>(
                                       static_cast<std::uint16_t>(std::lround(value * 32768))),
                                   2);
            }
        }
    }
    std::string bytes = "RIFF";
    appendLittleEndian(bytes, static_cast<std::uint32_t>(36 + data.size()), 4);
    bytes += "WAVEfmt ";
    appendLittleEndian(bytes, kPcmFormatSize, 4);
    appendLittleEndian(bytes, kFormatPcm, 2);
    appendLittleEndian(bytes, static_cast<std::uint32_t>(channels), 2);
    appendLittleEndian(bytes, static_cast<std::uint32_t>(sampleRate), 4);
    appendLittleEndian(bytes, static_cast<std::uint32_t>(sampleRate * channels * sampleBytes), 4);
    appendLittleEndian(bytes, static_cast<std::uint32_t>(channels * sampleBytes), 2);
    appendLittleEndian(bytes, static_cast<std::uint32_t>(bits), 2);
    bytes += "data";
    appendLittleEndian(bytes, static_cast<std::uint32_t>(data.size()), 4);
    bytes += data;
    if (data.size() % 2 != 0) {
        bytes += '\0';
    }
    std::ofstream out(filePath(path), std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out.flush()) {
        throw HostError("wav: cannot write " + path);
    }
}

}  // namespace zor::hostsim
