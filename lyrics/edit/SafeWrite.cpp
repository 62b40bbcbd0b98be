#include "lyrics/edit/SafeWrite.h"

#include <memory>

namespace zor {

namespace {

// A leftover from an earlier run may hold a name; a few more names are tried before giving up.
constexpr int kTemporaryNameAttempts = 8;

struct Temporary {
    std::unique_ptr<OutputFile> file;
    std::string name;
    int error = 0;
};

Temporary createTemporary(FileSystem& files, const std::string& target) {
    Temporary temporary;
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        temporary.name = temporaryNameFor(target, attempt);
        temporary.file = files.createExclusive(temporary.name, true);
        if (temporary.file) {
            return temporary;
        }
        temporary.error = files.lastError();
        // Only a name that is taken is worth another try; any other failure is the folder's.
        if (!files.openShared(temporary.name)) {
            break;
        }
    }
    return temporary;
}

SafeWriteResult failed(FileSystem& files, const std::string& temporaryName,
                       SafeWriteStatus status = SafeWriteStatus::Failed) {
    const int error = files.lastError();
    files.remove(temporaryName);
    return SafeWriteResult{status, error};
}

}  // namespace

std::string temporaryNameFor(const std::string& target, int attempt) {
    std::string name = target + ".zortmp";
    if (attempt > 0) {
        name += std::to_string(attempt);
    }
    return name;
}

SafeWriteResult writeThroughTemporary(FileSystem& files, const std::string& target,
                                      const ContentWriter& writeContent) {
    Temporary temporary = createTemporary(files, target);
    if (!temporary.file) {
        return SafeWriteResult{SafeWriteStatus::NotCreated, temporary.error};
    }
    if (!writeContent(*temporary.file)) {
        temporary.file.reset();  // closed before it is removed, as Windows needs
        return failed(files, temporary.name);
    }
    const bool closed = temporary.file->close();
    temporary.file.reset();
    if (!closed) {
        return failed(files, temporary.name);
    }
    if (!files.replace(temporary.name, target)) {
        return failed(files, temporary.name, SafeWriteStatus::NotReplaced);
    }
    return SafeWriteResult{SafeWriteStatus::Written, 0};
}

}  // namespace zor
