// An online answer as any bytes: read as one record and as a search, then matched against a
// signature taken from the input's first bytes. Every record read must hold valid UTF-8 without
// NUL, and the choice must be one of the ranked records and fit the song's length.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "lyrics/online/LrclibAnswer.h"
#include "lyrics/online/LyricsMatcher.h"
#include "lyrics/online/NameMatch.h"

namespace {

using zor::fuzz::check;

void checkText(const std::string& text) {
    check(zor::isValidUtf8(text), "a record's text is not valid UTF-8");
    check(text.find('\0') == std::string::npos, "a record's text holds a NUL");
}

void checkRecord(const zor::LyricsRecord& record) {
    checkText(record.trackName);
    checkText(record.artistName);
    checkText(record.albumName.value_or(""));
    checkText(record.plainLyrics.value_or(""));
    checkText(record.syncedLyrics.value_or(""));
    check(std::isfinite(record.duration) && record.duration >= 0, "a duration out of range");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // First byte: the song's length (0: unknown); the next two small texts: artist, title.
    const std::size_t split = std::min<std::size_t>(bytes.size(), 9);
    const std::string_view head = bytes.substr(0, split);
    const std::string_view body = bytes.substr(split);
    zor::TrackSignature signature;
    if (!head.empty() && head[0] != 0) {
        signature.durationSeconds = static_cast<unsigned char>(head[0]) * 2.0;
    }
    signature.artist = std::string(head.substr(std::min<std::size_t>(head.size(), 1), 4));
    signature.title = std::string(head.substr(std::min<std::size_t>(head.size(), 5)));

    const zor::RecordAnswer single = zor::parseRecordAnswer(body);
    check(single.record.has_value() != !single.error.empty(), "a record and an error, or neither");
    if (single.record) {
        checkRecord(*single.record);
        static_cast<void>(zor::isAcceptable(*single.record, signature));
    }

    const zor::SearchAnswer search = zor::parseSearchAnswer(body);
    check(search.records.size() <= zor::kMaxSearchRecords, "more records than are kept");
    for (const zor::LyricsRecord& record : search.records) {
        checkRecord(record);
        checkText(zor::normaliseName(record.trackName));
    }
    const auto ranked = zor::rankRecords(search.records, signature);
    for (const zor::LyricsRecord& record : ranked) {
        check(zor::durationFits(record, signature), "a ranked record does not fit the length");
    }
    if (const auto chosen = zor::chooseRecord(search.records, signature)) {
        check(zor::isAcceptable(*chosen, signature), "the choice is not acceptable");
    }
    checkText(zor::normaliseName(body));
    return 0;
}
