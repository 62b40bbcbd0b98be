#pragma once

#include <string>

#include "lyrics/model/LineList.h"
#include "lyrics/text/TextEncoding.h"

namespace zor {

struct LrcFileBytes {
    TextEncoding encoding;  // the one asked for, or UTF-8 with a mark when the text did not fit
    std::string bytes;
};

// The LRC dump: every item in list order, each but the last followed by the line end, in the
// encoding given. A code page that cannot hold every character gives way to UTF-8 with a
// byte-order mark: no character is ever written as a stand-in.
LrcFileBytes lrcFileBytes(const LineList& lines, const TextEncoding& encoding, LineEnd lineEnd);

}  // namespace zor
