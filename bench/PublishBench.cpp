// The proof of work's speed: hashes per second with the prefix hashed once and its state
// copied per nonce, against hashing the whole text afresh each time.
#include <benchmark/benchmark.h>
#include <openssl/sha.h>

#include <charconv>
#include <cstdint>
#include <string>

#include "BenchSupport.h"
#include "lyrics/online/ProofOfWork.h"
#include "lyrics/ports/Sha256.h"

namespace zor::bench {

namespace {

// A prefix of the length the service hands out.
const std::string kPrefix = "q3GmnM8WTEl4YJRTRL1QvS8ckFmGkYkq";

void BM_ProofOfWorkHashes(benchmark::State& state) {
    const auto hasher = makePrefixHasher(kPrefix);
    const Sha256Digest impossible{};
    std::uint64_t nonce = 0;
    char text[24];
    for (auto _ : state) {
        const auto written = std::to_chars(text, text + sizeof text, nonce++);
        const Sha256Digest digest = hasher->digestWith(
            std::string_view(text, static_cast<std::size_t>(written.ptr - text)));
        benchmark::DoNotOptimize(meetsTarget(digest, impossible));
    }
    state.counters["hashes_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.SetLabel("prefix state copied per nonce, one thread");
    goalRatio(state, 1.5);
}

void BM_ProofOfWorkFloor(benchmark::State& state) {
    std::uint64_t nonce = 0;
    std::string text = kPrefix;
    unsigned char digest[SHA256_DIGEST_LENGTH];
    for (auto _ : state) {
        text.resize(kPrefix.size());
        text += std::to_string(nonce++);
        SHA256(reinterpret_cast<const unsigned char*>(text.data()), text.size(), digest);
        benchmark::DoNotOptimize(digest);
    }
    state.counters["hashes_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.SetLabel("one-shot SHA-256 of prefix and nonce");
}

}  // namespace

BENCHMARK(BM_ProofOfWorkHashes)->Name("publish_hashes/figure");
BENCHMARK(BM_ProofOfWorkFloor)->Name("publish_hashes/floor");

}  // namespace zor::bench
