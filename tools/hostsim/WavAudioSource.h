#pragma once

#include <memory>

#include "tools/hostsim/AudioSource.h"

namespace zor::hostsim {

// The sound of the WAV file beside the song (Song.mp3 -> Song.wav) at the playback position,
// or the fallback's when the song has none. Waveform bytes are the signed 8-bit samples, as the
// host hands them over; the spectrum is the magnitude of the same window, 0 to half the file's
// sample rate over the 576 bins, a full-scale tone reaching 255.
std::unique_ptr<AudioSource> makeSongAudioSource(std::unique_ptr<AudioSource> fallback);

}  // namespace zor::hostsim
