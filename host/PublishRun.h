#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "host/OnlineWorker.h"

namespace zor {

// A publish under way and what the title strip says of it. It runs on a worker of its own, so
// that the lookup's requests, which abandon one another as songs change, never cut it short.
// Lives on the plug-in window's thread; times are GetTickCount() readings.
class PublishRun {
  public:
    bool running() const { return generation_ != 0; }

    // False when the worker could not be started.
    bool start(PublishJob job, const std::string& server, HWND window, UINT message);
    // The user gave up: the worker stops at its next look at the flag and posts nothing.
    void cancel(DWORD now);
    // The worker's answer for generation, posted to window; false for any other.
    bool finish(std::uint32_t generation, DWORD now);
    // Ends the worker for good, quickly (the plug-in is going).
    void stop();

    // The title strip's first line while there is something to say, else empty.
    std::string notice() const;
    // True when notice() says something else than at the last call: the million count moved,
    // or the outcome's time is over (then it ends here).
    bool noticeChanged(DWORD now);

  private:
    void showOutcome(const std::string& text, DWORD now);

    OnlineWorker worker_;
    std::uint32_t generation_ = 0;
    std::shared_ptr<std::atomic<std::uint64_t>> hashes_;
    std::uint64_t shownMillions_ = 0;
    std::string outcome_;  // shown from outcomeEnd_ - kOutcomeMs to outcomeEnd_
    DWORD outcomeEnd_ = 0;
};

}  // namespace zor
