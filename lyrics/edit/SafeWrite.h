#pragma once

#include <functional>
#include <string>

#include "lyrics/platform/FileSystem.h"

namespace zor {

enum class SafeWriteStatus {
    Written,      // the target holds the new content
    NotCreated,   // no temporary file could be created beside the target; nothing changed
    Failed,       // a write or the close failed; the target is as it was
    NotReplaced,  // the content was complete but could not take the target's place (a
                  // read-only or locked target); the target is as it was
};

struct SafeWriteResult {
    SafeWriteStatus status;
    int error = 0;  // the system's code for the failure, from the file system
};

// Writes the content into the open file; false as soon as a write fails.
using ContentWriter = std::function<bool(OutputFile&)>;

// The temporary name tried on the given attempt (0, 1, ...): target + ".zortmp", then with a
// number after it.
std::string temporaryNameFor(const std::string& target, int attempt);

// Writes a new temporary file in the target's folder and puts it in place of the target only
// once it is complete, so a failure at any point leaves the old file intact. The temporary file
// never outlives the call.
SafeWriteResult writeThroughTemporary(FileSystem& files, const std::string& target,
                                      const ContentWriter& writeContent);

}  // namespace zor
