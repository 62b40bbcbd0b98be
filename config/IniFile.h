#pragma once

#include <optional>
#include <string>
#include <utility>

#include "config/ProfileFile.h"
#include "lyrics/platform/CodePage.h"
#include "lyrics/platform/FileSystem.h"

namespace zor {

// The initialisation-file format on systems without profile services: "[section]" lines, then
// "key=value" lines, CR LF line ends. A write keeps every other section, key and line as it is,
// replaces an existing value in place and appends a new key at the end of its section; the new
// text goes to a temporary file that then replaces the old one, so a failed write loses nothing.
//
// The file is in the ANSI code page, as the platform's profile services keep it, until a text
// that code page cannot hold is written: then it becomes UTF-16LE with a byte-order mark, which
// the services read natively. Both forms are read (and a UTF-8 file with a mark too); a file
// keeps its form on every later write. Texts are UTF-8.
class IniFile final : public ProfileFile {
  public:
    IniFile(FileSystem& files, std::string path, int ansiCodePage = zor::ansiCodePage())
        : files_(files), path_(std::move(path)), codePage_(ansiCodePage) {}

    std::optional<std::string> read(const std::string& section, const std::string& key) override;
    bool write(const std::string& section, const std::string& key,
               const std::string& value) override;

  private:
    enum class Form { Ansi, Utf16Le, Utf8Bom };
    struct Text {
        std::string text;  // UTF-8
        Form form = Form::Ansi;
    };

    // The whole file; empty text when it does not exist, none when it exists but cannot be read.
    std::optional<Text> loadText();
    bool replaceText(const Text& text);

    FileSystem& files_;
    std::string path_;
    int codePage_;
};

}  // namespace zor
