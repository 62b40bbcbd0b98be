#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "lyrics/online/OnlineLookup.h"
#include "lyrics/online/Publisher.h"

namespace zor {

// What the worker was asked to do, and the answer it posts back.
enum class OnlineJobKind { Find, Search, Forget, Publish };

struct OnlineAnswer {
    OnlineJobKind kind = OnlineJobKind::Find;
    std::uint32_t generation = 0;
    OnlineOutcome outcome;     // of a Find
    OnlineSearch listing;      // of a Search
    PublishOutcome published;  // of a Publish
};

// What a publish sends, and the count of hashes its proof of work has tried so far, which the
// window's thread reads for its progress line while the worker adds to it.
struct PublishJob {
    PublishTrack track;
    PublishText text;
    std::shared_ptr<std::atomic<std::uint64_t>> hashes;
};

// The plug-in's one network thread. It runs one request at a time; a new request abandons the
// one under way (its transfer is cancelled and its answer never posted). When an answer is
// ready the worker posts `message` to the window that asked, with the request's generation as
// wParam; that window's thread then takes the answer with take(). Nothing here waits for the
// network, except stop(), and that for a short, fixed time only.
//
// The thread shares what it touches (the queue, the transport, the memory of misses) with this
// object and holds a reference on the library while it runs, so that a thread left to finish
// a stalled transfer after stop() never runs code of a library the host has freed.
class OnlineWorker {
  public:
    OnlineWorker();
    ~OnlineWorker();
    OnlineWorker(const OnlineWorker&) = delete;
    OnlineWorker& operator=(const OnlineWorker&) = delete;

    // The lookup's online step for a song. missFile: the memory of misses.
    std::uint32_t find(const OnlineSong& song, const std::string& server,
                       const std::string& missFile, HWND window, UINT message);
    // The search by hand, for the search dialog.
    std::uint32_t search(const TrackSignature& signature, const std::string& server, HWND window,
                         UINT message);
    // Publishes timed lyrics: the challenge, its proof of work and the lyrics, seconds long.
    std::uint32_t publish(PublishJob job, const std::string& server, HWND window, UINT message);
    // Drops a song from the memory of misses (the user chose lyrics for it), in turn with the
    // requests, since the memory is the worker's.
    void forget(const std::string& songPath, const std::string& missFile);
    // Cancels the request under way and any waiting; nothing of theirs is posted.
    void abandon();
    // The answer posted with generation, once; none when it was abandoned or already taken.
    std::optional<OnlineAnswer> take(std::uint32_t generation);
    // Ends the thread: cancels, waits a moment, and otherwise lets it end on its own.
    void stop();

    struct Shared;
    struct Request;

  private:
    std::uint32_t queue(Request request);
    void startThread();
    void leaveBusyThread();

    std::shared_ptr<Shared> shared_;
    HANDLE thread_ = nullptr;  // owned; closed by stop()
    // Counted here, not per thread, so that no two requests of a run share a number.
    std::uint32_t lastGeneration_ = 0;
};

}  // namespace zor
