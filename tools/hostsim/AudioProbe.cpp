// The `audio` probe: what the plug-in was handed before its last render call.
#include <string>

#include "tools/hostsim/HostSession.h"
#include "tools/hostsim/Output.h"

namespace zor::hostsim {
namespace {

constexpr int kSamplesShown = 4;

// The first samples as the signed values they stand for, and the strongest spectrum bin.
std::string channelText(int channel, const unsigned char* waveform, const unsigned char* spectrum) {
    std::string text = " wave" + std::to_string(channel) + "=";
    for (int i = 0; i < kSamplesShown; ++i) {
        text += (i == 0 ? "" : ",") + std::to_string(static_cast<signed char>(waveform[i]));
    }
    int peak = 0;
    for (int bin = 1; bin < kVisSamples; ++bin) {
        peak = spectrum[bin] > spectrum[peak] ? bin : peak;
    }
    text += " peak" + std::to_string(channel) + "=";
    text += spectrum[peak] == 0 ? std::string("none")
                                : std::to_string(peak) + ":" + std::to_string(spectrum[peak]);
    return text;
}

}  // namespace

void HostSession::printAudio() const {
    requireRunning("audio");
    std::string line = "audio";
    for (int channel = 0; channel < kVisChannels; ++channel) {
        line += channelText(channel, visModule->waveformData[channel],
                            visModule->spectrumData[channel]);
    }
    printLine(line);
}

}  // namespace zor::hostsim
