#pragma once

#include <memory>
#include <string>

namespace zor::hostsim {

inline constexpr int kVisChannels = 2;
inline constexpr int kVisSamples = 576;

// What the host hands the plug-in before each Render: the module's data arrays.
struct VisData {
    unsigned char (*spectrum)[kVisSamples];  // [kVisChannels][kVisSamples], owned by the module
    unsigned char (*waveform)[kVisSamples];
};

// Where the sound the plug-in visualises comes from. The song path is passed so that a source
// can read a sound file beside the song; the sine source ignores it.
class AudioSource {
  public:
    virtual ~AudioSource() = default;
    // Fills both arrays for the moment positionMs of the song; playing false means silence.
    virtual void fill(const std::string& songPath, int positionMs, bool playing,
                      const VisData& data) = 0;
};

// A tone on each channel (a different pitch per channel), moving with the position.
std::unique_ptr<AudioSource> makeSineSource();

}  // namespace zor::hostsim
