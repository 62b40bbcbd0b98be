#pragma once

#include <optional>
#include <string>
#include <utility>

#include "config/ProfileFile.h"

namespace zor {

// An initialisation file through the Windows profile services; texts are UTF-8.
class Win32ProfileFile final : public ProfileFile {
  public:
    explicit Win32ProfileFile(std::string path) : path_(std::move(path)) {}

    std::optional<std::string> read(const std::string& section, const std::string& key) override;
    bool write(const std::string& section, const std::string& key,
               const std::string& value) override;

  private:
    std::string path_;
};

}  // namespace zor
