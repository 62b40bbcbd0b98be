#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

// SHA-256 from the system: BCrypt (CNG) on Windows, OpenSSL's libcrypto elsewhere. A proof of
// work hashes one fixed prefix followed by millions of different endings, so the prefix is hashed
// once and its state copied for each ending.
namespace zor {

using Sha256Digest = std::array<std::uint8_t, 32>;

class PrefixHasher {
  public:
    virtual ~PrefixHasher() = default;
    // The digest of the prefix followed by ending. Not for use from two threads at once: each
    // thread makes a hasher of its own.
    virtual Sha256Digest digestWith(std::string_view ending) = 0;
};

// Nothing when the system's hashing cannot be set up.
std::unique_ptr<PrefixHasher> makePrefixHasher(std::string_view prefix);

// The digest of one text, for checks and tests.
Sha256Digest sha256(std::string_view text);

}  // namespace zor
