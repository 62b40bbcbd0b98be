#pragma once

#include <cstddef>

// The arithmetic of one oscilloscope frame, apart from its drawing.
namespace zor::osc {

inline constexpr int kMaxTraces = 2;
inline constexpr int kGlowBands = 10;
inline constexpr double kPi = 3.14159265358;

// Brightness of the low end of the spectrum: 96 for silence, at most 255.
inline double glowLevel(const unsigned char (&spectrum)[2][576]) {
    int sum = 0;
    for (int i = 0; i < kGlowBands; ++i) {
        sum += spectrum[0][i] + spectrum[1][i];
    }
    const double glow = static_cast<double>(sum) / 10.0 / 255.0 * 64.0 + 96.0;
    return glow > 255.0 ? 255.0 : glow;
}

// The waveform's bytes are signed samples with the sign bit flipped; channel 1 of two runs above
// channel 0, a single channel runs through the middle.
inline int traceY(int channel, int channels, unsigned char sample) {
    int offset = -25;
    if (channels == 2) {
        offset = channel == 0 ? 10 : -50;
    }
    const int value = (channel * 256 + sample) ^ 0x80;
    return (value >> (channels - 1)) / 3 + offset;
}

}  // namespace zor::osc
