// Reading and writing the initialisation-file format in one linear pass over the file's text.
#include "config/IniFile.h"
#include "lyrics/model/TextFunctions.h"
#include "lyrics/text/Utf16.h"
#include "lyrics/text/Utf8.h"

#include <cstddef>
#include <string_view>

namespace zor {

namespace {

constexpr int kFileNotFound = 2;  // ENOENT and ERROR_FILE_NOT_FOUND alike
constexpr std::size_t kReadChunk = std::size_t{64} * 1024;
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// One line of the file: its text from begin to end, and next, where the line after its line
// break begins. A line break is CR LF, LF or a lone CR.
struct Line {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t next = 0;
    bool hasBreak() const { return next > end; }
};

class LineCursor {
  public:
    explicit LineCursor(std::string_view text) : text_(text) {}

    bool nextLine(Line& line) {
        if (position_ >= text_.size()) {
            return false;
        }
        line.begin = position_;
        std::size_t end = text_.find_first_of("\r\n", position_);
        if (end == std::string_view::npos) {
            end = text_.size();
        }
        line.end = end;
        std::size_t next = end;
        if (next < text_.size() && text_[next] == '\r') {
            ++next;
        }
        if (next < text_.size() && text_[next] == '\n') {
            ++next;
        }
        line.next = next;
        position_ = next;
        return true;
    }

  private:
    std::string_view text_;
    std::size_t position_ = 0;
};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// "[name]": the name; a header without its closing bracket runs to the end of the line.
std::optional<std::string_view> sectionName(std::string_view line) {
    line = trimmed(line);
    if (line.empty() || line.front() != '[') {
        return std::nullopt;
    }
    line.remove_prefix(1);
    return trimmed(line.substr(0, line.find(']')));
}

struct KeyLine {
    std::string_view key;    // cppcheck-suppress unusedStructMember
    std::string_view value;  // cppcheck-suppress unusedStructMember
};

std::optional<KeyLine> keyLine(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    return KeyLine{trimmed(line.substr(0, equals)), trimmed(line.substr(equals + 1))};
}

// Where a key stands in the file: the first section of that name is the one that counts.
struct KeyPlace {
    bool sectionFound = false;
    std::optional<Line> keyLine;
    std::optional<KeyLine> entry;
    // The last line of the section that is not blank (the header at least): a new key goes after
    // it.
    Line lastFilled;
};

KeyPlace findKey(std::string_view text, std::string_view section, std::string_view key) {
    KeyPlace place;
    LineCursor cursor(text);
    Line line;
    while (cursor.nextLine(line)) {
        const std::string_view content = text.substr(line.begin, line.end - line.begin);
        const auto name = sectionName(content);
        if (place.sectionFound) {
            if (name) {
                break;
            }
            const auto entry = keyLine(content);
            if (entry && equalsIgnoringCase(entry->key, key)) {
                place.keyLine = line;
                place.entry = entry;
                break;
            }
            if (!trimmed(content).empty()) {
                place.lastFilled = line;
            }
        } else if (name && equalsIgnoringCase(*name, section)) {
            place.sectionFound = true;
            place.lastFilled = line;
        }
    }
    return place;
}

// A value is one line of text: it ends at the first line break or NUL, as a C string would.
std::string_view singleLine(std::string_view value) {
    return value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3)));
}

std::string withKeyWritten(std::string_view text, const std::string& section,
                           const std::string& key, std::string_view value) {
    const std::string entry = key + "=" + std::string(singleLine(value));
    const KeyPlace place = findKey(text, section, key);
    std::string result;
    result.reserve(text.size() + entry.size() + section.size() + 8);
    if (place.keyLine) {
        // The key keeps the spelling it has in the file, as the platform's profile writer does.
        result.append(text.substr(0, place.keyLine->begin));
        result.append(place.entry->key).append("=").append(singleLine(value));
        result.append(text.substr(place.keyLine->end));
    } else if (place.sectionFound) {
        const Line& after = place.lastFilled;
        result.append(text.substr(0, after.next));
        if (!after.hasBreak()) {
            result.append(kLineEnd);
        }
        result.append(entry).append(kLineEnd);
        result.append(text.substr(after.next));
    } else {
        result.append(text);
        if (!text.empty() && text.back() != '\n' && text.back() != '\r') {
            result.append(kLineEnd);
        }
        result.append("[").append(section).append("]").append(kLineEnd);
        result.append(entry).append(kLineEnd);
    }
    return result;
}

}  // namespace

std::optional<std::string> IniFile::read(const std::string& section, const std::string& key) {
    const std::optional<Text> text = loadText();
    if (!text) {
        return std::nullopt;
    }
    const KeyPlace place = findKey(text->text, section, key);
    if (!place.entry) {
        return std::nullopt;
    }
    return std::string(singleLine(place.entry->value));
}

bool IniFile::write(const std::string& section, const std::string& key, const std::string& value) {
    const std::optional<Text> text = loadText();
    if (!text) {
        return false;
    }
    return replaceText({withKeyWritten(text->text, section, key, value), text->form});
}

std::optional<IniFile::Text> IniFile::loadText() {
    const auto file = files_.openShared(path_);
    if (!file) {
        if (files_.lastError() == kFileNotFound) {
            return Text{};
        }
        return std::nullopt;
    }
    std::string bytes;
    std::string chunk(kReadChunk, '\0');
    for (;;) {
        const std::int64_t got = file->read(chunk.data(), chunk.size());
        if (got < 0) {
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        bytes.append(chunk, 0, static_cast<std::size_t>(got));
    }
    const std::string_view view = bytes;
    if (view.substr(0, kUtf16LeMark.size()) == kUtf16LeMark) {
        return Text{utf16BytesToUtf8(view.substr(kUtf16LeMark.size()), ByteOrder::Little),
                    Form::Utf16Le};
    }
    if (view.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
        return Text{toValidUtf8(view.substr(kUtf8Mark.size())), Form::Utf8Bom};
    }
    return Text{decodeCodePage(codePage_, bytes), Form::Ansi};
}

bool IniFile::replaceText(const Text& text) {
    std::string bytes;
    if (text.form == Form::Utf8Bom) {
        bytes = std::string(kUtf8Mark) + text.text;
    } else if (auto ansi =
                   text.form == Form::Ansi ? encodeCodePage(codePage_, text.text) : std::nullopt) {
        bytes = std::move(*ansi);
    } else {
        bytes = std::string(kUtf16LeMark) + utf8ToUtf16Bytes(text.text, ByteOrder::Little);
    }
    const std::string target = files_.resolve(path_);
    const std::string temporary = target + ".new";
    auto out = files_.createExclusive(temporary, false);
    if (!out) {
        return false;
    }
    const bool written = out->write(bytes.data(), bytes.size());
    const bool closed = out->close();
    if (!written || !closed || !files_.replace(temporary, target)) {
        files_.remove(temporary);
        return false;
    }
    return true;
}

}  // namespace zor
