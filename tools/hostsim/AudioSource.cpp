#include "tools/hostsim/AudioSource.h"

#include <cmath>
#include <cstring>

namespace zor::hostsim {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kSampleRate = 44100.0;
constexpr double kToneHz[kVisChannels] = {440.0, 660.0};
constexpr double kAmplitude = 100.0;

class SineSource : public AudioSource {
  public:
    void fill(const std::string& /*songPath*/, int positionMs, bool playing,
              const VisData& data) override {
        for (int channel = 0; channel < kVisChannels; ++channel) {
            std::memset(data.spectrum[channel], 0, kVisSamples);
            std::memset(data.waveform[channel], 0, kVisSamples);
            if (playing) {
                fillChannel(channel, positionMs, data);
            }
        }
    }

  private:
    static void fillChannel(int channel, int positionMs, const VisData& data) {
        const double start = positionMs / 1000.0;
        for (int i = 0; i < kVisSamples; ++i) {
            const double t = start + i / kSampleRate;
            // Waveform samples are signed 8-bit values stored in unsigned bytes; 0 is silence.
            const auto sample = static_cast<signed char>(
                std::lround(kAmplitude * std::sin(2 * kPi * kToneHz[channel] * t)));
            data.waveform[channel][i] = static_cast<unsigned char>(sample);
        }
        // The spectrum spans 0 to half the sample rate: one peak at the tone's bin.
        const int bin = static_cast<int>(kToneHz[channel] / (kSampleRate / 2) * kVisSamples);
        data.spectrum[channel][bin] = 255;
        if (bin + 1 < kVisSamples) {
            data.spectrum[channel][bin + 1] = 96;
        }
    }
};

}  // namespace

std::unique_ptr<AudioSource> makeSineSource() {
    return std::make_unique<SineSource>();
}

}  // namespace zor::hostsim
