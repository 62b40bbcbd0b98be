#pragma once

#include <optional>
#include <string>

namespace zor {

// One initialisation file, looked up by section and key, both found without regard to case.
// Nothing is cached: every read and every write goes to the file.
class ProfileFile {
  public:
    virtual ~ProfileFile() = default;
    // The value of the key, or none when the file, the section or the key is missing.
    virtual std::optional<std::string> read(const std::string& section, const std::string& key) = 0;
    // Sets the key's value, creating the file, the section or the key as needed; false when the
    // file could not be written, and then the file is as it was.
    virtual bool write(const std::string& section, const std::string& key,
                       const std::string& value) = 0;
};

}  // namespace zor
