#include "lyrics/ports/Sha256.h"

namespace zor {

Sha256Digest sha256(std::string_view text) {
    const auto hasher = makePrefixHasher({});
    if (!hasher) {
        Sha256Digest failed{};
        failed.fill(0xFF);  // never below a target: no hash proves nothing
        return failed;
    }
    return hasher->digestWith(text);
}

}  // namespace zor
