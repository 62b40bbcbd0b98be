#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "lyrics/platform/FileSystem.h"

namespace zor::test {

// A file system that passes everything to a real one and fails where it is told to: at the
// N-th write call or at byte N (both counted over every file it created), at close, at replace,
// and at creates in given folders. It records what was asked of it, so a test can check the
// order of names tried and that nothing was left behind.
class FaultyFileSystem : public FileSystem {
  public:
    explicit FaultyFileSystem(FileSystem& inner) : inner_(inner) {}

    // Faults; 0 or empty for none.
    int failAtWriteCall = 0;               // 1 = the first write call fails
    std::int64_t failAtByte = -1;          // the write that would store this byte (0-based) fails
                                           // after storing the bytes before it
    bool failClose = false;                // close closes the file but reports failure
    bool failReplace = false;              // replace leaves both files and fails
    std::set<std::string> lockedFolders;   // the same for replaces of a file in these folders
    std::set<std::string> refusedFolders;  // creates of a file directly in these folders fail
    int faultError = 13;                   // lastError() after an injected fault (EACCES)

    // What was asked.
    std::vector<std::string> createdPaths;  // every create attempt, in order
    std::vector<std::pair<std::string, std::string>> replacements;  // successful ones
    std::vector<std::string> removedPaths;                          // successful removes
    int writeCalls = 0;
    std::int64_t bytesWritten = 0;

    std::unique_ptr<InputFile> openShared(const std::string& path) override {
        auto file = inner_.openShared(path);
        if (!file) {
            lastError_ = inner_.lastError();
        }
        return file;
    }

    std::unique_ptr<OutputFile> createExclusive(const std::string& path, bool mustBeNew) override {
        createdPaths.push_back(path);
        if (refusedFolders.count(folderOf(path)) > 0) {
            lastError_ = faultError;
            return nullptr;
        }
        auto file = inner_.createExclusive(path, mustBeNew);
        if (!file) {
            lastError_ = inner_.lastError();
            return nullptr;
        }
        return std::make_unique<FaultyOutputFile>(*this, std::move(file));
    }

    bool replace(const std::string& source, const std::string& target) override {
        if (failReplace || lockedFolders.count(folderOf(target)) > 0) {
            lastError_ = faultError;
            return false;
        }
        return passed(inner_.replace(source, target),
                      [&] { replacements.emplace_back(source, target); });
    }

    bool remove(const std::string& path) override {
        return passed(inner_.remove(path), [&] { removedPaths.push_back(path); });
    }

    std::string resolve(const std::string& path) override { return inner_.resolve(path); }
    int lastError() const override { return lastError_; }

    // The folder part of a path, without its last separator.
    static std::string folderOf(const std::string& path) {
        const auto separator = path.find_last_of("\\/");
        return separator == std::string::npos ? std::string() : path.substr(0, separator);
    }

  private:
    class FaultyOutputFile final : public OutputFile {
      public:
        FaultyOutputFile(FaultyFileSystem& owner, std::unique_ptr<OutputFile> inner)
            : owner_(owner), inner_(std::move(inner)) {}

        bool write(const char* data, std::size_t size) override {
            ++owner_.writeCalls;
            if (owner_.writeCalls == owner_.failAtWriteCall) {
                owner_.lastError_ = owner_.faultError;
                return false;
            }
            const std::int64_t end = owner_.bytesWritten + static_cast<std::int64_t>(size);
            if (owner_.failAtByte >= owner_.bytesWritten && owner_.failAtByte < end) {
                const auto stored =
                    static_cast<std::size_t>(owner_.failAtByte - owner_.bytesWritten);
                inner_->write(data, stored);
                owner_.bytesWritten += static_cast<std::int64_t>(stored);
                owner_.lastError_ = owner_.faultError;
                return false;
            }
            if (!inner_->write(data, size)) {
                owner_.lastError_ = owner_.inner_.lastError();
                return false;
            }
            owner_.bytesWritten = end;
            return true;
        }

        bool close() override {
            const bool closed = inner_->close();
            if (owner_.failClose) {
                owner_.lastError_ = owner_.faultError;
                return false;
            }
            return closed;
        }

      private:
        FaultyFileSystem& owner_;
        std::unique_ptr<OutputFile> inner_;
    };

    template <typename OnSuccess>
    bool passed(bool ok, OnSuccess onSuccess) {
        if (ok) {
            onSuccess();
        } else {
            lastError_ = inner_.lastError();
        }
        return ok;
    }

    FileSystem& inner_;
    int lastError_ = 0;
};

}  // namespace zor::test
