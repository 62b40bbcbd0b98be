#pragma once

#include <optional>
#include <string>
#include <utility>

#include "config/ProfileFile.h"
#include "lyrics/platform/FileSystem.h"

namespace zor {

// The initialisation-file format on systems without profile services: "[section]" lines, then
// "key=value" lines, CR LF line ends. A write keeps every other section, key and line as it is,
// replaces an existing value in place and appends a new key at the end of its section; the new
// text goes to a temporary file that then replaces the old one, so a failed write loses nothing.
class IniFile final : public ProfileFile {
  public:
    IniFile(FileSystem& files, std::string path) : files_(files), path_(std::move(path)) {}

    std::optional<std::string> read(const std::string& section, const std::string& key) override;
    bool write(const std::string& section, const std::string& key,
               const std::string& value) override;

  private:
    // The whole file; empty text when it does not exist, none when it exists but cannot be read.
    std::optional<std::string> loadText();
    bool replaceText(const std::string& text);

    FileSystem& files_;
    std::string path_;
};

}  // namespace zor
