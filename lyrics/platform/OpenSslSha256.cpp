// SHA-256 through OpenSSL's EVP interface: the prefix's state is kept and copied per ending.
#include <openssl/evp.h>

#include <memory>

#include "lyrics/ports/Sha256.h"

namespace zor {

namespace {

struct ContextFree {
    void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};
using Context = std::unique_ptr<EVP_MD_CTX, ContextFree>;

class OpenSslPrefixHasher final : public PrefixHasher {
  public:
    OpenSslPrefixHasher(Context prefixState, Context work)
        : prefixState_(std::move(prefixState)), work_(std::move(work)) {}

    Sha256Digest digestWith(std::string_view ending) override {
        Sha256Digest digest{};
        unsigned int length = 0;
        if (EVP_MD_CTX_copy_ex(work_.get(), prefixState_.get()) != 1 ||
            EVP_DigestUpdate(work_.get(), ending.data(), ending.size()) != 1 ||
            EVP_DigestFinal_ex(work_.get(), digest.data(), &length) != 1) {
            digest.fill(0xFF);  // never below a target: a failed hash proves nothing
        }
        return digest;
    }

  private:
    Context prefixState_;
    Context work_;
};

}  // namespace

std::unique_ptr<PrefixHasher> makePrefixHasher(std::string_view prefix) {
    Context prefixState(EVP_MD_CTX_new());
    Context work(EVP_MD_CTX_new());
    if (!prefixState || !work || EVP_DigestInit_ex(prefixState.get(), EVP_sha256(), nullptr) != 1 ||
        EVP_DigestUpdate(prefixState.get(), prefix.data(), prefix.size()) != 1) {
        return nullptr;
    }
    return std::make_unique<OpenSslPrefixHasher>(std::move(prefixState), std::move(work));
}

}  // namespace zor
