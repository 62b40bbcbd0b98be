#include "lyrics/online/OnlineLookup.h"

#include <cmath>

#include "lyrics/online/LrclibAnswer.h"
#include "lyrics/online/LyricsMatcher.h"

namespace zor {

namespace {

constexpr int kTooManyRequests = 429;
constexpr int kNotFound = 404;
constexpr int kBadRequest = 400;
constexpr int kOk = 200;
constexpr int kMaxRetryAfterSeconds = 24 * 60 * 60;

bool isBusy(int status) {
    return status == kTooManyRequests || (status >= 500 && status <= 599);
}

// Retry-After in seconds (the date form is not used by the service); 0 when absent or odd.
int retryAfter(const HttpResponse& response) {
    const std::string text = response.header("Retry-After");
    if (text.empty() || text.size() > 6 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return 0;
    }
    return std::min(std::stoi(text), kMaxRetryAfterSeconds);
}

}  // namespace

// One request's fate: an answer to read, or the outcome that ends the step.
struct OnlineLookup::Asked {
    std::optional<OnlineOutcome> ended;
    HttpResponse response;
};

std::int64_t missLength(const TrackSignature& signature) {
    if (!signature.durationSeconds || !std::isfinite(*signature.durationSeconds)) {
        return -1;
    }
    return std::llround(*signature.durationSeconds);
}

OnlineLookup::OnlineLookup(HttpTransport& transport, FileSystem& files, std::string server,
                           MissMemory* misses)
    : transport_(transport), saver_(files), requests_(std::move(server)), misses_(misses) {}

OnlineLookup::Asked OnlineLookup::ask(const HttpRequest& request, const CancelFlag& cancel) {
    Asked asked;
    asked.response = transport_.send(request, cancel);
    const HttpResponse& response = asked.response;
    OnlineOutcome outcome;
    outcome.failure = response.failure;
    outcome.status = response.status;
    if (response.failure == HttpFailure::Cancelled || cancel.load()) {
        outcome.result = OnlineResult::Cancelled;
        outcome.detail = "cancelled";
        asked.ended = outcome;
    } else if (!response.ok()) {
        outcome.result = OnlineResult::Unreachable;
        outcome.detail = failureName(response.failure);
        asked.ended = outcome;
    } else if (isBusy(response.status)) {
        outcome.result = OnlineResult::Busy;
        outcome.retryAfterSeconds = retryAfter(response);
        outcome.detail = response.status == kTooManyRequests
                             ? "too many requests"
                             : "server error " + std::to_string(response.status);
        asked.ended = outcome;
    } else if (response.status != kOk && response.status != kNotFound &&
               response.status != kBadRequest) {
        outcome.result = OnlineResult::BadAnswer;
        outcome.detail = "unexpected status " + std::to_string(response.status);
        asked.ended = outcome;
    }
    return asked;
}

void OnlineLookup::rememberMiss(const OnlineSong& song, MissMemory::Reason reason,
                                std::int64_t now) {
    if (misses_ != nullptr) {
        misses_->remember(song.path, missLength(song.signature), reason, now);
    }
}

OnlineOutcome OnlineLookup::find(const OnlineSong& song, const CancelFlag& cancel,
                                 std::int64_t now) {
    const TrackSignature& signature = song.signature;
    OnlineOutcome outcome;
    if (signature.title.empty()) {
        outcome.result = OnlineResult::NoSignature;
        outcome.detail = "no title to search by";
        return outcome;
    }
    if (misses_ != nullptr && misses_->remembers(song.path, missLength(signature), now)) {
        outcome.result = OnlineResult::Remembered;
        outcome.detail = "searched recently without result";
        return outcome;
    }

    // The signature first: the service matches it itself, and the matcher checks its answer.
    // The service wants an artist for it.
    if (!signature.artist.empty()) {
        Asked asked = ask(requests_.get(signature), cancel);
        if (asked.ended) {
            return *asked.ended;
        }
        if (asked.response.status == kOk) {
            RecordAnswer answer = parseRecordAnswer(asked.response.body);
            if (!answer.record) {
                outcome.result = OnlineResult::BadAnswer;
                outcome.status = kOk;
                outcome.detail = answer.error;
                return outcome;
            }
            if (isAcceptable(*answer.record, signature)) {
                outcome.status = kOk;
                outcome.record = std::move(answer.record);
                outcome.result = outcome.record->instrumental && !outcome.record->hasSynced() &&
                                         !outcome.record->hasPlain()
                                     ? OnlineResult::Instrumental
                                     : OnlineResult::Found;
                if (outcome.result == OnlineResult::Instrumental) {
                    rememberMiss(song, MissMemory::Reason::Instrumental, now);
                }
                return outcome;
            }
        }
    }

    // The service searches by name only; the matcher keeps what fits the song's length.
    TrackSignature byName = signature;
    byName.album.clear();  // albums are named too differently to narrow a search by
    Asked asked = ask(requests_.search(byName), cancel);
    if (asked.ended) {
        return *asked.ended;
    }
    outcome.status = asked.response.status;
    std::vector<LyricsRecord> records;
    if (asked.response.status == kOk) {
        SearchAnswer answer = parseSearchAnswer(asked.response.body);
        if (!answer.error.empty()) {
            outcome.result = OnlineResult::BadAnswer;
            outcome.detail = answer.error;
            return outcome;
        }
        records = std::move(answer.records);
    }
    outcome.record = chooseRecord(records, signature);
    if (!outcome.record) {
        outcome.result = OnlineResult::NotFound;
        outcome.detail = "nothing found";
        rememberMiss(song, MissMemory::Reason::NotFound, now);
    } else if (!outcome.record->hasSynced() && !outcome.record->hasPlain()) {
        outcome.result = OnlineResult::Instrumental;
        outcome.detail = "instrumental";
        rememberMiss(song, MissMemory::Reason::Instrumental, now);
    } else {
        outcome.result = OnlineResult::Found;
    }
    return outcome;
}

void OnlineLookup::deliver(OnlineOutcome& outcome, const OnlineSong& song,
                           const std::function<void()>& reload, bool replaceExisting) {
    if (outcome.result != OnlineResult::Found || !outcome.record) {
        return;
    }
    outcome.save = saver_.save(*outcome.record, song.path, song.alternativeFolder, replaceExisting);
    const FoundSaveStatus status = outcome.save.status;
    if (status != FoundSaveStatus::Saved && status != FoundSaveStatus::Exists) {
        outcome.result = OnlineResult::NotSaved;
        outcome.detail = "the lyrics could not be saved";
        return;
    }
    if (misses_ != nullptr) {
        misses_->forget(song.path);
    }
    if (reload) {
        reload();
    }
}

OnlineOutcome OnlineLookup::run(const OnlineSong& song, const CancelFlag& cancel, std::int64_t now,
                                const std::function<void()>& reload) {
    OnlineOutcome outcome = find(song, cancel, now);
    deliver(outcome, song, reload);
    return outcome;
}

OnlineSearch OnlineLookup::search(const TrackSignature& signature, const CancelFlag& cancel) {
    OnlineSearch listing;
    Asked asked = ask(requests_.search(signature), cancel);
    listing.status = asked.response.status;
    listing.failure = asked.response.failure;
    if (asked.ended) {
        listing.result = asked.ended->result;
        listing.detail = asked.ended->detail;
        return listing;
    }
    if (asked.response.status != kOk) {
        listing.result = OnlineResult::NotFound;
        return listing;
    }
    SearchAnswer answer = parseSearchAnswer(asked.response.body);
    if (!answer.error.empty()) {
        listing.result = OnlineResult::BadAnswer;
        listing.detail = answer.error;
        return listing;
    }
    listing.records = rankRecords(std::move(answer.records), signature);
    listing.result = OnlineResult::Found;
    return listing;
}

}  // namespace zor
