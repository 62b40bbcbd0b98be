#pragma once

#include <optional>
#include <vector>

#include "lyrics/online/LyricsRecord.h"

// Which of the service's records are this song's, and which is best. A record is this song's
// only when its length is within two seconds of the song's and its artist and title are the
// song's (equal, or one beginning with the other's whole words, once normalised); anything else is
// a near miss and never taken. Among this song's records: synced lyrics first, then plain, then an
// instrumental mark; then equal names before contained ones; then the nearest length.
namespace zor {

inline constexpr double kDurationToleranceSeconds = 2.0;

// Within the tolerance of the signature's length; true when the length is unknown.
bool durationFits(const LyricsRecord& record, const TrackSignature& signature);
// The record is this song's and says something of it (lyrics, or that there are none).
bool isAcceptable(const LyricsRecord& record, const TrackSignature& signature);

// Every record whose length fits, best first: what a listing shows.
std::vector<LyricsRecord> rankRecords(std::vector<LyricsRecord> records,
                                      const TrackSignature& signature);
// The best acceptable record, or none: a miss.
std::optional<LyricsRecord> chooseRecord(const std::vector<LyricsRecord>& records,
                                         const TrackSignature& signature);

}  // namespace zor
