#include "lyrics/online/LyricsMatcher.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "lyrics/online/NameMatch.h"

namespace zor {

namespace {

int contentRank(const LyricsRecord& record) {
    if (record.hasSynced()) {
        return 3;
    }
    if (record.hasPlain()) {
        return 2;
    }
    return record.instrumental ? 1 : 0;
}

// With no artist asked for, the title alone.
bool namesEqual(const LyricsRecord& record, const TrackSignature& signature) {
    return relateNames(record.trackName, signature.title) == NameRelation::Equal &&
           (normaliseName(signature.artist).empty() ||
            relateNames(record.artistName, signature.artist) == NameRelation::Equal);
}

double durationGap(const LyricsRecord& record, const TrackSignature& signature) {
    return signature.durationSeconds ? std::fabs(record.duration - *signature.durationSeconds)
                                     : 0.0;
}

// Smaller is better.
auto sortKey(const LyricsRecord& record, const TrackSignature& signature) {
    return std::make_tuple(-contentRank(record), namesEqual(record, signature) ? 0 : 1,
                           durationGap(record, signature), record.id);
}

}  // namespace

bool durationFits(const LyricsRecord& record, const TrackSignature& signature) {
    if (!signature.durationSeconds) {
        return true;
    }
    return std::fabs(record.duration - *signature.durationSeconds) <= kDurationToleranceSeconds;
}

bool isAcceptable(const LyricsRecord& record, const TrackSignature& signature) {
    if (contentRank(record) == 0 || !durationFits(record, signature)) {
        return false;
    }
    const NameRelation title = relateNames(record.trackName, signature.title);
    const NameRelation artist = relateNames(record.artistName, signature.artist);
    if (title == NameRelation::Unrelated) {
        return false;
    }
    const bool artistKnown = !normaliseName(signature.artist).empty();
    if (artistKnown && signature.durationSeconds) {
        return artist != NameRelation::Unrelated;
    }
    // With the length or the artist unknown, what is left must agree exactly; with neither
    // known, a title alone says too little.
    if (artistKnown) {
        return title == NameRelation::Equal && artist == NameRelation::Equal;
    }
    return signature.durationSeconds.has_value() && title == NameRelation::Equal;
}

std::vector<LyricsRecord> rankRecords(std::vector<LyricsRecord> records,
                                      const TrackSignature& signature) {
    records.erase(std::remove_if(
                      records.begin(), records.end(),
                      [&](const LyricsRecord& record) { return !durationFits(record, signature); }),
                  records.end());
    std::stable_sort(records.begin(), records.end(),
                     [&](const LyricsRecord& a, const LyricsRecord& b) {
                         return sortKey(a, signature) < sortKey(b, signature);
                     });
    return records;
}

std::optional<LyricsRecord> chooseRecord(const std::vector<LyricsRecord>& records,
                                         const TrackSignature& signature) {
    for (const LyricsRecord& record : rankRecords(records, signature)) {
        if (isAcceptable(record, signature)) {
            return record;
        }
    }
    return std::nullopt;
}

}  // namespace zor
