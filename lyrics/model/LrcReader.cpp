// The reader that turns every lyrics source, LRC or plain text, into list items and time tags.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <string_view>
#include <utility>

#include "lyrics/model/LineSplitter.h"
#include "lyrics/model/LyricsCore.h"
#include "lyrics/model/TextFunctions.h"
#include "lyrics/platform/CodePage.h"

namespace zor {

namespace {

// Large enough that a lyrics file is one or two reads, small enough to sit on any heap.
constexpr std::size_t kReadBlockSize = std::size_t{64} * 1024;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";  // U+FEFF in UTF-8

constexpr std::int64_t kLargestTagValue = std::numeric_limits<std::int32_t>::max();

// The ID tags whose lines the lyrics list hides; compared up to the tag's first colon.
constexpr std::array<std::string_view, 9> kHiddenTagNames{
    "[title", "[ti", "[artist", "[ar", "[album", "[al", "[language", "[la", "[offset"};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

char lowerCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isHiddenTagName(std::string_view name) {
    return std::any_of(kHiddenTagNames.begin(), kHiddenTagNames.end(), [name](std::string_view id) {
        return name.size() == id.size() &&
               std::equal(name.begin(), name.end(), id.begin(),
                          [](char a, char b) { return lowerCase(a) == b; });
    });
}

// The value of the digits at the start of text; any value above the largest tag value comes
// out as one more than it, so arbitrarily long digit runs stay exact enough to be refused.
std::int64_t leadingNumber(std::string_view text) {
    std::int64_t value = 0;
    for (const char c : text) {
        if (!isDigit(c)) {
            break;
        }
        value = value * 10 + (c - '0');
        if (value > kLargestTagValue) {
            return kLargestTagValue + 1;
        }
    }
    return value;
}

// What one bracketed text is: "[" minutes ":" seconds [fraction] "]", the fraction being
// dropped.
struct TagReading {
    enum class Kind { Time, Malformed, HiddenIdTag } kind;
    std::int64_t seconds;
};

TagReading readTag(std::string_view tag, bool displayMode) {
    const std::size_t colon = tag.find(':');
    if (colon == std::string_view::npos) {
        return {TagReading::Kind::Malformed, 0};
    }
    if (!isDigit(tag[1])) {
        const bool hidden = displayMode && isHiddenTagName(tag.substr(0, colon));
        return {hidden ? TagReading::Kind::HiddenIdTag : TagReading::Kind::Malformed, 0};
    }
    if (!isDigit(tag[colon + 1])) {
        return {TagReading::Kind::Malformed, 0};
    }
    const std::int64_t seconds =
        leadingNumber(tag.substr(1)) * 60 + leadingNumber(tag.substr(colon + 1));
    return {TagReading::Kind::Time, seconds};
}

void removeTrailingBlanksKeepingOne(std::string& line) {
    std::size_t size = line.size();
    while (size > 1 && line[size - 1] == kBlank) {
        --size;
    }
    line.resize(size);
}

// One read of a source into the visible list: the rules that decide, line by line, what the
// list shows and which line each time tag belongs to.
class SourceReader {
  public:
    SourceReader(LyricsCore& core, int count)
        : core_(core), list_(core.visibleList()), firstIndex_(count), lineIndex_(count) {
        core_.timeTags[0].line = kEndOfTable;
    }

    void operator()(std::string& line) {
        // The list and every consumer hold NUL-terminated texts: a NUL byte ends the line.
        const std::size_t nul = line.find('\0');
        if (nul != std::string::npos) {
            line.resize(nul);
        }
        const bool displayMode = core_.isLyricsListVisible();
        if (displayMode && !line.empty() && line[0] == kByteOrderMark[0] &&
            std::string_view(line).substr(0, kByteOrderMark.size()) == kByteOrderMark) {
            // A mark inside the text, left where files were joined, is no part of the lyrics.
            line.erase(0, kByteOrderMark.size());
        }
        removeTrailingBlanksKeepingOne(line);
        const int before = tagCount_;
        int keep = core_.parseTimeTags(line, tagCount_, lineIndex_, kMaxTimeTags);
        line = blankToEmpty(std::move(line));
        if (displayMode && line.empty()) {
            dropZeroTagsSince(before);
            if (lineIndex_ == firstIndex_) {
                keep = 0;
            }
        }
        if (keep == 0) {
            ++core_.droppedLines;
            return;
        }
        if (displayMode && before == 0 && tagCount_ > 0) {
            dropUntimedLinesAhead();
        }
        list_.append(line);
        ++lineIndex_;
    }

    // Empty lines at the end are not shown; tags already recorded for them stay.
    int finish() {
        if (core_.isLyricsListVisible()) {
            while (lineIndex_ > firstIndex_ && trimSpaces(list_.text(lineIndex_ - 1)).empty()) {
                list_.remove(lineIndex_ - 1);
                --lineIndex_;
            }
        }
        return lineIndex_;
    }

  private:
    TimeTag& entry(int index) { return core_.timeTags[static_cast<std::size_t>(index)]; }

    // An empty line carrying only [00:00] tags loses them; a later tag stays, so the line is
    // highlighted at that time (or, at the top, the tag goes to the next line shown).
    void dropZeroTagsSince(int before) {
        for (int i = before; i < tagCount_; ++i) {
            if (entry(i).seconds != 0) {
                return;
            }
        }
        tagCount_ = before;
        entry(tagCount_).line = kEndOfTable;
    }

    // Untimed text ahead of the first timed line, typically credits, is not shown.
    void dropUntimedLinesAhead() {
        const int dropped = lineIndex_ - firstIndex_;
        for (int index = lineIndex_ - 1; index >= firstIndex_; --index) {
            list_.remove(index);
        }
        lineIndex_ -= dropped;
        for (int i = 0; i < tagCount_; ++i) {
            entry(i).line -= dropped;
        }
        core_.droppedLines += dropped;
    }

    LyricsCore& core_;
    LineList& list_;
    const int firstIndex_;
    int lineIndex_;
    int tagCount_ = 0;
};

}  // namespace

namespace {

// The whole file: its encoding can only be decided once every byte is known. The buffer is
// not filled before the reads fill it.
class FileBytes {
  public:
    explicit FileBytes(InputFile& file) {
        const std::int64_t size = file.size();
        grow((size > 0 ? static_cast<std::size_t>(size) : 0) + kReadBlockSize);
        for (;;) {
            if (capacity_ - size_ < kReadBlockSize) {
                grow(capacity_ * 2);
            }
            // A read error ends the source as its end would.
            const std::int64_t got = file.read(data_.get() + size_, kReadBlockSize);
            if (got <= 0) {
                return;
            }
            size_ += static_cast<std::size_t>(got);
        }
    }
    std::string_view view() const { return {data_.get(), size_}; }

  private:
    void grow(std::size_t capacity) {
        std::unique_ptr<char[]> larger(new char[capacity]);
        if (size_ > 0) {
            std::memcpy(larger.get(), data_.get(), size_);
        }
        data_ = std::move(larger);
        capacity_ = capacity;
    }

    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

}  // namespace

int LyricsCore::fallbackCodePage() const {
    const int codePage = resolveCodePage(CodePage);
    return codePageAvailable(codePage) ? codePage : ansiCodePage();
}

namespace {

// Feeds the source's text, in as many pieces as it likes, through the reader into the visible
// list; the first line end of the text, if it has a break.
template <typename Source>
std::optional<LineEnd> splitLines(LyricsCore& core, int& count, Source feedText) {
    SourceReader reader(core, count);
    LineSplitter<SourceReader> splitter(reader);
    feedText([&splitter](std::string_view text) { splitter.feed(text.data(), text.size()); });
    splitter.finish();
    count = reader.finish();
    return splitter.firstLineEnd();
}

}  // namespace

int LyricsCore::readLines(InputFile& file, int& count) {
    const FileBytes fileBytes(file);
    const std::string_view bytes = fileBytes.view();
    const int codePage = fallbackCodePage();
    const FileForm form = fileForm(bytes);
    std::optional<LineEnd> lineEnd;
    if (form == FileForm::Ascii || form == FileForm::Utf8) {
        // UTF-8 as it stands: read in place.
        lyricsEncoding = form == FileForm::Utf8 ? TextEncoding{EncodingKind::Utf8, 0}
                                                : TextEncoding{EncodingKind::CodePage, codePage};
        lineEnd = splitLines(*this, count, [bytes](const auto& feed) { feed(bytes); });
    } else if (form == FileForm::CodePage) {
        // Piece by piece, each ending after a line feed, which no code page uses inside a
        // character: the decoded copy of a large file never exists whole.
        lyricsEncoding = TextEncoding{EncodingKind::CodePage, codePage};
        lineEnd = splitLines(*this, count, [&](const auto& feed) {
            for (std::size_t start = 0; start < bytes.size();) {
                const std::size_t lineFeed = bytes.find('\n', start + kReadBlockSize);
                const std::size_t end =
                    lineFeed == std::string_view::npos ? bytes.size() : lineFeed + 1;
                feed(decodeCodePage(codePage, bytes.substr(start, end - start)));
                start = end;
            }
        });
    } else {
        DecodedText decoded = decodeFileText(std::string(bytes), codePage, form);
        lyricsEncoding = decoded.encoding;
        lineEnd = splitLines(*this, count, [&decoded](const auto& feed) { feed(decoded.text); });
    }
    lyricsLineEnd = lineEnd.value_or(LineEnd::CrLf);
    return 1;
}

int LyricsCore::readLines(std::string_view text, int& count) {
    text = text.substr(0, text.find('\0'));
    splitLines(*this, count, [text](const auto& feed) { feed(text); });
    return 1;
}

int LyricsCore::parseTimeTags(std::string& line, int& tagCount, int lineIndex, int maxTags) {
    const bool displayMode = isLyricsListVisible();
    // The end entry must always fit behind the last tag.
    const int limit = std::clamp(maxTags, 0, kMaxTimeTags);
    std::string backup;
    bool backedUp = false;
    for (;;) {
        const std::size_t open = line.find('[');
        if (open == std::string::npos || tagCount >= limit) {
            break;
        }
        if (!backedUp) {
            backup = line;
            backedUp = true;
        }
        const std::size_t close = line.find(']', open + 1);
        if (close == std::string::npos) {
            // Malformed: the line is shown with all its brackets; tags taken from it stay.
            line = backup;
            return 1;
        }
        const TagReading tag =
            readTag(std::string_view(line).substr(open, close - open + 1), displayMode);
        if (tag.kind == TagReading::Kind::HiddenIdTag) {
            return 0;
        }
        if (tag.kind == TagReading::Kind::Malformed) {
            line = backup;
            return 1;
        }
        if (tag.seconds <= kLargestTagValue) {
            timeTags[static_cast<std::size_t>(tagCount)] =
                TimeTag{static_cast<std::int32_t>(tag.seconds), lineIndex};
            ++tagCount;
            timeTags[static_cast<std::size_t>(tagCount)].line = kEndOfTable;
        }
        line.erase(open, close - open + 1);
    }
    // The edit list shows every line exactly as written; the table still gets its tags.
    if (!displayMode && backedUp) {
        line = backup;
    }
    return 1;
}

}  // namespace zor
