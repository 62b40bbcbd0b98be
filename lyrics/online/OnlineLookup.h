#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "lyrics/online/FoundLyricsSaver.h"
#include "lyrics/online/LrclibRequest.h"
#include "lyrics/online/LyricsRecord.h"
#include "lyrics/online/MissMemory.h"
#include "lyrics/ports/HttpTransport.h"

namespace zor {

// The song the online step is for.
struct OnlineSong {
    std::string path;
    TrackSignature signature;
    std::string alternativeFolder;
};

enum class OnlineResult {
    Found,         // a record with lyrics (find), saved or already on disk (run, deliver)
    Instrumental,  // the service says the song has no words; nothing is saved
    NotFound,      // nothing acceptable: a miss
    Remembered,    // a recent miss or instrumental mark; nothing was asked
    NoSignature,   // no title to ask by; nothing was asked
    Unreachable,   // the transport failed (see failure)
    Busy,          // 429 or 5xx: the service asks to be left alone for a while
    BadAnswer,     // an answer that is not what the service documents
    Cancelled,     // the caller gave up (a song change, unloading)
    NotSaved,      // found, but no file could be written (see save)
};

struct OnlineOutcome {
    OnlineResult result = OnlineResult::NotFound;
    std::optional<LyricsRecord> record;  // the record found
    HttpFailure failure = HttpFailure::None;
    int status = 0;             // the status of the answer that decided, when one came
    int retryAfterSeconds = 0;  // from a Busy answer's Retry-After, when it gave one
    std::string detail;         // a short reason, for a trace or a status line
    FoundSaveOutcome save;      // after deliver: where the lyrics went
};

// The listing the search dialog shows.
struct OnlineSearch {
    OnlineResult result = OnlineResult::NotFound;  // Found when the answer was read
    std::vector<LyricsRecord> records;             // best first, lengths that fit only
    HttpFailure failure = HttpFailure::None;
    int status = 0;
    std::string detail;
};

// The online step of the lookup: ask for the song's signature; if that finds nothing, search
// and match; save what was found as a lyrics file and load it through the ordinary lookup.
// find() does the network part and may run on a worker thread; deliver() writes and reloads and
// belongs on the thread that owns the lists. run() is both, for callers with one thread.
class OnlineLookup {
  public:
    // misses may be null: nothing remembered.
    OnlineLookup(HttpTransport& transport, FileSystem& files, std::string server,
                 MissMemory* misses = nullptr);

    OnlineOutcome find(const OnlineSong& song, const CancelFlag& cancel, std::int64_t now);
    // For a Found outcome: saves the record (never over an existing file unless
    // replaceExisting), then calls reload when a file is there to load.
    void deliver(OnlineOutcome& outcome, const OnlineSong& song,
                 const std::function<void()>& reload, bool replaceExisting = false);
    OnlineOutcome run(const OnlineSong& song, const CancelFlag& cancel, std::int64_t now,
                      const std::function<void()>& reload);

    // The search by hand: every record whose length fits, best first. Ignores the misses.
    OnlineSearch search(const TrackSignature& signature, const CancelFlag& cancel);

  private:
    struct Asked;
    Asked ask(const HttpRequest& request, const CancelFlag& cancel);
    void rememberMiss(const OnlineSong& song, MissMemory::Reason reason, std::int64_t now);

    HttpTransport& transport_;
    FoundLyricsSaver saver_;
    LrclibRequest requests_;
    MissMemory* misses_;
};

// The song's length as the memory of misses keys it: whole seconds, -1 when unknown.
std::int64_t missLength(const TrackSignature& signature);

}  // namespace zor
