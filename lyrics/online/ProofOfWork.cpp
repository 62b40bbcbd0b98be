#include "lyrics/online/ProofOfWork.h"

#include <algorithm>
#include <charconv>
#include <exception>
#include <thread>
#include <vector>

namespace zor {

namespace {

// Hashes a thread does between looks at the cancel flag and the shared count.
constexpr std::uint64_t kHashesPerLook = 4096;

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

struct SharedSearch {
    const ProofOfWorkSearch& search;
    const CancelFlag& cancel;
    std::atomic<std::uint64_t>& hashes;
    std::atomic<bool> found{false};
    std::atomic<std::uint64_t> nonce{0};
    std::atomic<bool> noHasher{false};
};

void searchFrom(SharedSearch& shared, std::uint64_t first) {
    const auto hasher = makePrefixHasher(shared.search.prefix);
    if (!hasher) {
        shared.noHasher = true;
        return;
    }
    const std::uint64_t step = std::max(1U, shared.search.threads);
    std::uint64_t nonce = first;
    char text[24];
    for (;;) {
        if (shared.cancel.load(std::memory_order_relaxed) ||
            shared.found.load(std::memory_order_relaxed)) {
            return;
        }
        for (std::uint64_t i = 0; i < kHashesPerLook; ++i, nonce += step) {
            const auto written = std::to_chars(text, text + sizeof text, nonce);
            const Sha256Digest digest = hasher->digestWith(
                std::string_view(text, static_cast<std::size_t>(written.ptr - text)));
            if (meetsTarget(digest, shared.search.target)) {
                shared.hashes.fetch_add(i + 1, std::memory_order_relaxed);
                if (!shared.found.exchange(true)) {
                    shared.nonce = nonce;
                }
                return;
            }
        }
        shared.hashes.fetch_add(kHashesPerLook, std::memory_order_relaxed);
    }
}

}  // namespace

std::optional<Sha256Digest> parseTarget(std::string_view hex) {
    Sha256Digest target{};
    if (hex.size() != target.size() * 2) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < target.size(); ++i) {
        const int high = hexValue(hex[2 * i]);
        const int low = hexValue(hex[2 * i + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        target[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return target;
}

bool meetsTarget(const Sha256Digest& digest, const Sha256Digest& target) {
    // Big-endian bytes compare as numbers do.
    return !std::lexicographical_compare(target.begin(), target.end(), digest.begin(),
                                         digest.end());
}

bool nonceSolves(std::string_view prefix, std::uint64_t nonce, const Sha256Digest& target) {
    return meetsTarget(sha256(std::string(prefix) + std::to_string(nonce)), target);
}

ProofOfWorkOutcome solveProofOfWork(const ProofOfWorkSearch& search, const CancelFlag& cancel,
                                    std::atomic<std::uint64_t>& hashes) {
    ProofOfWorkSearch plan = search;
    plan.threads = std::max(1U, search.threads);
    SharedSearch shared{plan, cancel, hashes};
    std::vector<std::thread> helpers;
    try {
        for (unsigned k = 1; k < plan.threads; ++k) {
            helpers.emplace_back([&shared, k] { searchFrom(shared, k); });
        }
    } catch (const std::exception&) {
        // Each nonce belongs to one thread by its remainder, so a thread that cannot start
        // would leave its share untried: stop the others and search alone.
        shared.found = true;
        for (auto& helper : helpers) {
            helper.join();
        }
        helpers.clear();
        plan.threads = 1;
        shared.found = false;
    }
    searchFrom(shared, 0);
    for (auto& helper : helpers) {
        helper.join();
    }
    ProofOfWorkOutcome outcome;
    outcome.hashes = hashes.load();
    if (shared.found) {
        outcome.result = ProofOfWorkResult::Solved;
        outcome.nonce = shared.nonce;
    } else if (shared.noHasher) {
        outcome.result = ProofOfWorkResult::NoHasher;
    }
    return outcome;
}

unsigned proofOfWorkThreads() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores > 1 ? cores - 1 : 1;
}

}  // namespace zor
