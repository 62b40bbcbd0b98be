#include "tools/hostsim/WavAudioSource.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

#include "tools/hostsim/WavFile.h"

namespace zor::hostsim {
namespace {

// Zero-padded well past the window, so that each of the 576 bins has a transform bin of its own.
constexpr std::size_t kTransformSize = 2048;
constexpr double kPi = 3.14159265358979323846;
constexpr double kFullScale = 32768.0;

std::string wavBeside(const std::string& songPath) {
    const std::size_t slash = songPath.find_last_of("\\/");
    const std::size_t dot = songPath.find_last_of('.');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? songPath.substr(0, dot) : songPath) + ".wav";
}

void transform(std::vector<std::complex<double>>& values) {
    const std::size_t n = values.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; (j & bit) != 0; bit >>= 1) {
            j ^= bit;
        }
        j ^= bit;
        if (i < j) {
            std::swap(values[i], values[j]);
        }
    }
    for (std::size_t length = 2; length <= n; length <<= 1) {
        const double angle = -2 * kPi / static_cast<double>(length);
        const std::complex<double> step(std::cos(angle), std::sin(angle));
        for (std::size_t start = 0; start < n; start += length) {
            std::complex<double> twiddle(1.0);
            for (std::size_t k = 0; k < length / 2; ++k) {
                const std::complex<double> even = values[start + k];
                const std::complex<double> odd = values[start + k + length / 2] * twiddle;
                values[start + k] = even + odd;
                values[start + k + length / 2] = even - odd;
                twiddle *= step;
            }
        }
    }
}

class SongAudioSource : public AudioSource {
  public:
    explicit SongAudioSource(std::unique_ptr<AudioSource> fallbackSource)
        : fallback(std::move(fallbackSource)) {
        for (std::size_t i = 0; i < window.size(); ++i) {
            window[i] = 0.5 - 0.5 * std::cos(2 * kPi * static_cast<double>(i) /
                                             static_cast<double>(window.size() - 1));
            windowSum += window[i];
        }
    }

    void fill(const std::string& songPath, int positionMs, bool playing,
              const VisData& data) override {
        if (songPath != soundSong) {
            // Read once per song; the sound stays until another song plays.
            sound.reset();
            if (!songPath.empty()) {
                sound = readWav(wavBeside(songPath));
            }
            soundSong = songPath;
        }
        if (!sound) {
            fallback->fill(songPath, positionMs, playing, data);
            return;
        }
        for (int channel = 0; channel < kVisChannels; ++channel) {
            std::memset(data.waveform[channel], 0, kVisSamples);
            std::memset(data.spectrum[channel], 0, kVisSamples);
            if (playing && positionMs >= 0) {
                fillChannel(channel, positionMs, data);
            }
        }
    }

  private:
    void fillChannel(int channel, int positionMs, const VisData& data) {
        const std::size_t first =
            static_cast<std::size_t>(static_cast<long long>(positionMs) * sound->sampleRate / 1000);
        std::vector<std::complex<double>> values(kTransformSize);
        for (std::size_t i = 0; i < static_cast<std::size_t>(kVisSamples); ++i) {
            const std::size_t frame = first + i;
            if (frame >= sound->frameCount()) {
                break;  // past the end: silence
            }
            const std::int16_t sample =
                sound->frames[frame * 2 + static_cast<std::size_t>(channel)];
            // The high byte is the signed 8-bit sample.
            data.waveform[channel][i] =
                static_cast<unsigned char>(static_cast<signed char>(sample >> 8));
            values[i] = window[i] * sample / kFullScale;
        }
        transform(values);
        for (int bin = 0; bin < kVisSamples; ++bin) {
            const std::size_t at =
                static_cast<std::size_t>(std::lround(bin * (kTransformSize / 2.0) / kVisSamples));
            // A sine of amplitude A has a peak of A times half the window's sum.
            const double level = 255.0 * std::abs(values[at]) / (windowSum / 2);
            data.spectrum[channel][bin] =
                static_cast<unsigned char>(std::min(255L, std::lround(level)));
        }
    }

    std::unique_ptr<AudioSource> fallback;
    std::string soundSong;
    std::optional<WavSound> sound;
    std::vector<double> window = std::vector<double>(kVisSamples);
    double windowSum = 0;
};

}  // namespace

std::unique_ptr<AudioSource> makeSongAudioSource(std::unique_ptr<AudioSource> fallback) {
    return std::make_unique<SongAudioSource>(std::move(fallback));
}

}  // namespace zor::hostsim
