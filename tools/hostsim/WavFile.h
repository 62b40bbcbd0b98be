#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/hostsim/HostErrors.h"

namespace zor::hostsim {

// The sound of a PCM WAV file, every sample widened to 16 bits and mono doubled to two
// channels, so that the audio source reads one layout whatever the file held.
struct WavSound {
    int sampleRate = 0;
    int fileChannels = 0;              // 1 or 2, as the file has them
    int fileBits = 0;                  // 8 or 16
    std::vector<std::int16_t> frames;  // interleaved left, right

    std::size_t frameCount() const { return frames.size() / 2; }
};

// Reads an 8- or 16-bit PCM WAV with one or two channels at any rate. Nothing when the file is
// missing; throws HostError for a file that is there but not such a WAV.
std::optional<WavSound> readWav(const std::string& path);

// Writes a test sound: silentMs of silence, then toneMs of a tone at half of full scale, a
// quarter of the sample rate on the first channel and an eighth on the second (a mono file
// has the first). Both start at phase 0, so their first samples are exact: 0, +A, 0, -A on the
// first channel.
void writeTestWav(const std::string& path, int sampleRate, int bits, int channels, int silentMs,
                  int toneMs);

}  // namespace zor::hostsim
