// SHA-256 through BCrypt (CNG), a system DLL: the prefix's hash object is kept and duplicated
// per ending. bcrypt.dll is loaded from the system folder on first use rather than imported, so
// the plug-in still loads on a Windows without it; there publishing has no hasher.
#include <windows.h>

#include <bcrypt.h>

#include <memory>
#include <string>
#include <vector>

#include "lyrics/ports/Sha256.h"

namespace zor {

namespace {

bool succeeded(NTSTATUS status) {
    return status >= 0;
}

// The functions used, from the system's bcrypt.dll. It stays loaded for the life of the process:
// a library must not be freed from another library's unload, under the loader's lock.
class BCryptLibrary {
  public:
    BCryptLibrary() {
        wchar_t folder[MAX_PATH] = {};
        const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) {
            return;
        }
        const std::wstring path = std::wstring(folder, length) + L"\\bcrypt.dll";
        module_ = ::LoadLibraryW(path.c_str());
        if (module_ == nullptr) {
            return;
        }
        const bool all =
            find(openAlgorithm, "BCryptOpenAlgorithmProvider") &&
            find(closeAlgorithm, "BCryptCloseAlgorithmProvider") &&
            find(getProperty, "BCryptGetProperty") && find(createHash, "BCryptCreateHash") &&
            find(duplicateHash, "BCryptDuplicateHash") && find(hashData, "BCryptHashData") &&
            find(finishHash, "BCryptFinishHash") && find(destroyHash, "BCryptDestroyHash");
        if (!all) {
            ::FreeLibrary(module_);
            module_ = nullptr;
        }
    }
    BCryptLibrary(const BCryptLibrary&) = delete;
    BCryptLibrary& operator=(const BCryptLibrary&) = delete;

    bool loaded() const { return module_ != nullptr; }

    decltype(&::BCryptOpenAlgorithmProvider) openAlgorithm = nullptr;
    decltype(&::BCryptCloseAlgorithmProvider) closeAlgorithm = nullptr;
    decltype(&::BCryptGetProperty) getProperty = nullptr;
    decltype(&::BCryptCreateHash) createHash = nullptr;
    decltype(&::BCryptDuplicateHash) duplicateHash = nullptr;
    decltype(&::BCryptHashData) hashData = nullptr;
    decltype(&::BCryptFinishHash) finishHash = nullptr;
    decltype(&::BCryptDestroyHash) destroyHash = nullptr;

  private:
    template <typename Function>
    bool find(Function& function, const char* name) {
        function =
            reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module_, name)));
        return function != nullptr;
    }

    HMODULE module_ = nullptr;
};

// Loaded once, by whichever thread hashes first; never while the library is being loaded.
const BCryptLibrary& bcrypt() {
    static const BCryptLibrary library;
    return library;
}

struct AlgorithmClose {
    void operator()(void* algorithm) const {
        bcrypt().closeAlgorithm(static_cast<BCRYPT_ALG_HANDLE>(algorithm), 0);
    }
};
using Algorithm = std::unique_ptr<void, AlgorithmClose>;

struct HashDestroy {
    void operator()(void* hash) const {
        bcrypt().destroyHash(static_cast<BCRYPT_HASH_HANDLE>(hash));
    }
};
using Hash = std::unique_ptr<void, HashDestroy>;

PUCHAR bytesOf(std::string_view text) {
    // BCrypt takes a non-const pointer but does not write through it.
    return reinterpret_cast<PUCHAR>(const_cast<char*>(text.data()));
}

class BCryptPrefixHasher final : public PrefixHasher {
  public:
    BCryptPrefixHasher(Algorithm algorithm, DWORD objectSize)
        : algorithm_(std::move(algorithm)), prefixObject_(objectSize), workObject_(objectSize) {}

    bool start(std::string_view prefix) {
        BCRYPT_HASH_HANDLE hash = nullptr;
        if (!succeeded(bcrypt().createHash(algorithm_.get(), &hash, prefixObject_.data(),
                                           static_cast<ULONG>(prefixObject_.size()), nullptr, 0,
                                           0))) {
            return false;
        }
        prefixHash_.reset(hash);
        return succeeded(
            bcrypt().hashData(hash, bytesOf(prefix), static_cast<ULONG>(prefix.size()), 0));
    }

    Sha256Digest digestWith(std::string_view ending) override {
        Sha256Digest digest{};
        BCRYPT_HASH_HANDLE copy = nullptr;
        if (!succeeded(bcrypt().duplicateHash(prefixHash_.get(), &copy, workObject_.data(),
                                              static_cast<ULONG>(workObject_.size()), 0))) {
            digest.fill(0xFF);  // never below a target: a failed hash proves nothing
            return digest;
        }
        const Hash work(copy);
        if (!succeeded(
                bcrypt().hashData(copy, bytesOf(ending), static_cast<ULONG>(ending.size()), 0)) ||
            !succeeded(
                bcrypt().finishHash(copy, digest.data(), static_cast<ULONG>(digest.size()), 0))) {
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
    const BCryptLibrary& library = bcrypt();
    BCRYPT_ALG_HANDLE opened = nullptr;
    if (!library.loaded() ||
        !succeeded(library.openAlgorithm(&opened, BCRYPT_SHA256_ALGORITHM, nullptr, 0))) {
        return nullptr;
    }
    Algorithm algorithm(opened);
    DWORD objectSize = 0;
    ULONG written = 0;
    if (!succeeded(library.getProperty(opened, BCRYPT_OBJECT_LENGTH,
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

}  // namespace zor
