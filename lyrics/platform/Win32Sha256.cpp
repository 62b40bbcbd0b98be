// SHA-256 through BCrypt (CNG), a system DLL: the prefix's hash object is kept and duplicated
// per ending.
#include <windows.h>

#include <bcrypt.h>

#include <memory>
#include <vector>

#include "lyrics/ports/Sha256.h"

namespace zor {

namespace {

bool succeeded(NTSTATUS status) {
    return status >= 0;
}

struct AlgorithmClose {
    void operator()(void* algorithm) const {
        ::BCryptCloseAlgorithmProvider(static_cast<BCRYPT_ALG_HANDLE>(algorithm), 0);
    }
};
using Algorithm = std::unique_ptr<void, AlgorithmClose>;

struct HashDestroy {
    void operator()(void* hash) const {
        ::BCryptDestroyHash(static_cast<BCRYPT_HASH_HANDLE>(hash));
    }
};
using Hash = std::unique_ptr<void, HashDestroy>;

class BCryptPrefixHasher final : public PrefixHasher {
  public:
    BCryptPrefixHasher(Algorithm algorithm, DWORD objectSize)
        : algorithm_(std::move(algorithm)), prefixObject_(objectSize), workObject_(objectSize) {}

    bool start(std::string_view prefix) {
        BCRYPT_HASH_HANDLE hash = nullptr;
        if (!succeeded(::BCryptCreateHash(algorithm_.get(), &hash, prefixObject_.data(),
                                          static_cast<ULONG>(prefixObject_.size()), nullptr, 0,
                                          0))) {
            return false;
        }
        prefixHash_.reset(hash);
        return succeeded(
            ::BCryptHashData(hash, reinterpret_cast<PUCHAR>(const_cast<char*>(prefix.data())),
                             static_cast<ULONG>(prefix.size()), 0));
    }

    Sha256Digest digestWith(std::string_view ending) override {
        Sha256Digest digest{};
        BCRYPT_HASH_HANDLE copy = nullptr;
        if (!succeeded(::BCryptDuplicateHash(prefixHash_.get(), &copy, workObject_.data(),
                                             static_cast<ULONG>(workObject_.size()), 0))) {
            digest.fill(0xFF);  // never below a target: a failed hash proves nothing
            return digest;
        }
        const Hash work(copy);
        if (!succeeded(::BCryptHashData(copy,
                                        reinterpret_cast<PUCHAR>(const_cast<char*>(ending.data())),
                                        static_cast<ULONG>(ending.size()), 0)) ||
            !succeeded(
                ::BCryptFinishHash(copy, digest.data(), static_cast<ULONG>(digest.size()), 0))) {
            digest.fill(0xFF);
        }
        return digest;
    }

  private:
    Algorithm algorithm_;
    std::vector<UCHAR> prefixObject_;
    std::vector<UCHAR> workObject_;
    Hash prefixHash_;
};

}  // namespace

std::unique_ptr<PrefixHasher> makePrefixHasher(std::string_view prefix) {
    BCRYPT_ALG_HANDLE opened = nullptr;
    if (!succeeded(::BCryptOpenAlgorithmProvider(&opened, BCRYPT_SHA256_ALGORITHM, nullptr, 0))) {
        return nullptr;
    }
    Algorithm algorithm(opened);
    DWORD objectSize = 0;
    ULONG written = 0;
    if (!succeeded(::BCryptGetProperty(opened, BCRYPT_OBJECT_LENGTH,
                                       reinterpret_cast<PUCHAR>(&objectSize), sizeof(objectSize),
                                       &written, 0))) {
        return nullptr;
    }
    auto hasher = std::make_unique<BCryptPrefixHasher>(std::move(algorithm), objectSize);
    if (!hasher->start(prefix)) {
        return nullptr;
    }
    return hasher;
}

Sha256Digest sha256(std::string_view text) {
    const auto hasher = makePrefixHasher({});
    if (!hasher) {
        Sha256Digest failed{};
        failed.fill(0xFF);
        return failed;
    }
    return hasher->digestWith(text);
}

}  // namespace zor
