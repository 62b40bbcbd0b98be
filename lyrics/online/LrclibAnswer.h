#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lyrics/online/LyricsRecord.h"

// The service's JSON answers read into records, every field checked for its type. An answer of
// the wrong shape is an error with a reason, never an exception or a guess.
namespace zor {

struct RecordAnswer {
    std::optional<LyricsRecord> record;
    std::string error;  // why there is no record; empty with one
};

struct SearchAnswer {
    std::vector<LyricsRecord> records;  // in the answer's order
    int skipped = 0;                    // records of the wrong shape, left out
    std::string error;                  // the answer as a whole is unusable; empty otherwise
};

// The most records of a search answer that are read; the service sends at most 20.
inline constexpr std::size_t kMaxSearchRecords = 100;

// A single record: the body of /api/get and /api/get/ID.
RecordAnswer parseRecordAnswer(std::string_view body);
// An array of records: the body of /api/search.
SearchAnswer parseSearchAnswer(std::string_view body);

}  // namespace zor
