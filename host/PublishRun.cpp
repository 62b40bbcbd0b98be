#include "host/PublishRun.h"

namespace zor {

namespace {

constexpr DWORD kOutcomeMs = 4000;
constexpr std::uint64_t kMillion = 1000000;

}  // namespace

bool PublishRun::start(PublishJob job, const std::string& server, HWND window, UINT message) {
    hashes_ = std::make_shared<std::atomic<std::uint64_t>>(0);
    job.hashes = hashes_;
    generation_ = worker_.publish(std::move(job), server, window, message);
    shownMillions_ = 0;
    outcome_.clear();
    outcomeEnd_ = 0;
    return generation_ != 0;
}

void PublishRun::cancel(DWORD now) {
    worker_.abandon();
    generation_ = 0;
    showOutcome("Publishing cancelled", now);
}

bool PublishRun::finish(std::uint32_t generation, DWORD now) {
    const std::optional<OnlineAnswer> answer = worker_.take(generation);
    if (!answer || answer->kind != OnlineJobKind::Publish || generation != generation_) {
        return false;
    }
    generation_ = 0;
    showOutcome(publishOutcomeText(answer->published), now);
    return true;
}

void PublishRun::stop() {
    worker_.stop();
    generation_ = 0;
    outcome_.clear();
    outcomeEnd_ = 0;
}

std::string PublishRun::notice() const {
    if (running()) {
        return publishProgressText(hashes_->load(std::memory_order_relaxed));
    }
    return outcome_;
}

bool PublishRun::noticeChanged(DWORD now) {
    if (running()) {
        const std::uint64_t millions = hashes_->load(std::memory_order_relaxed) / kMillion;
        if (millions == shownMillions_) {
            return false;
        }
        shownMillions_ = millions;
        return true;
    }
    if (outcome_.empty() || static_cast<LONG>(now - outcomeEnd_) < 0) {
        return false;
    }
    outcome_.clear();
    outcomeEnd_ = 0;
    return true;
}

void PublishRun::showOutcome(const std::string& text, DWORD now) {
    outcome_ = text;
    outcomeEnd_ = now + kOutcomeMs;
}

}  // namespace zor
