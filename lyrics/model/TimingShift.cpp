// Precise timing's shift between the playback position and the lyrics' time: the file's
// [offset:], the user's live adjustment and the output latency.
#include <algorithm>

#include "lyrics/model/LyricsCore.h"

namespace zor {

namespace {

// The live adjustment stays within a minute either way.
constexpr int kLargestAdjustmentMs = 60000;

}  // namespace

int LyricsCore::timingShiftMs() const {
    if (PreciseTiming == 0) {
        return 0;
    }
    return fileOffset.value_or(0) + liveAdjustMs - LatencyMs;
}

std::int64_t LyricsCore::lyricsTimeAt(std::int64_t positionMs) const {
    return positionMs + timingShiftMs();
}

std::int64_t LyricsCore::positionAt(std::int64_t lyricsMs) const {
    return std::max<std::int64_t>(lyricsMs - timingShiftMs(), 0);
}

int LyricsCore::adjustTiming(int stepMs) {
    liveAdjustMs = std::clamp(liveAdjustMs + stepMs, -kLargestAdjustmentMs, kLargestAdjustmentMs);
    return liveAdjustMs;
}

}  // namespace zor
