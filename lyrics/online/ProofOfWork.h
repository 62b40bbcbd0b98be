#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "lyrics/ports/HttpTransport.h"
#include "lyrics/ports/Sha256.h"

// The service's proof of work before a publish: a nonce such that the SHA-256 of the challenge's
// prefix followed by the nonce in decimal is, as a 256-bit number, at most the target.
namespace zor {

// The target's 64 hexadecimal digits as big-endian bytes; nothing for any other text.
std::optional<Sha256Digest> parseTarget(std::string_view hex);

// The digest, read as a big-endian number, is at most the target.
bool meetsTarget(const Sha256Digest& digest, const Sha256Digest& target);

// The check the service makes of a token's prefix and nonce.
bool nonceSolves(std::string_view prefix, std::uint64_t nonce, const Sha256Digest& target);

struct ProofOfWorkSearch {
    std::string prefix;
    Sha256Digest target{};
    unsigned threads = 1;  // nonces are shared out: thread k tries k, k + threads, ...
};

enum class ProofOfWorkResult { Solved, Cancelled, NoHasher };

struct ProofOfWorkOutcome {
    ProofOfWorkResult result = ProofOfWorkResult::Cancelled;
    std::uint64_t nonce = 0;   // with Solved
    std::uint64_t hashes = 0;  // tried, over all threads
};

// Hashes until a nonce solves the challenge or cancel is set. hashes counts as it goes, for a
// progress line read from another thread. Blocks; run it on a worker.
ProofOfWorkOutcome solveProofOfWork(const ProofOfWorkSearch& search, const CancelFlag& cancel,
                                    std::atomic<std::uint64_t>& hashes);

// The threads worth using: the cores the system reports, less one for the player when there
// are more than one, at least one.
unsigned proofOfWorkThreads();

}  // namespace zor
