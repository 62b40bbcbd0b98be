// The reader that turns every lyrics source, LRC or plain text, into list items and time tags.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>

#include "lyrics/model/LineSplitter.h"
#include "lyrics/model/LyricsCore.h"
#include "lyrics/model/TagTime.h"
#include "lyrics/model/TextFunctions.h"
#include "lyrics/model/WordTiming.h"
#include "lyrics/platform/CodePage.h"

namespace zor {

namespace {

// Large enough that a lyrics file is one or two reads, small enough to sit on any heap.
constexpr std::size_t kReadBlockSize = std::size_t{64} * 1024;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";  // U+FEFF in UTF-8

constexpr std::int64_t kLargestTagValue = std::numeric_limits<std::int32_t>::max();

constexpr std::string_view kOffsetTagName = "[offset";

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

// What one bracketed text is: a time tag, an [offset:] tag, an ID tag whose line the lyrics
// list hides, or anything else (malformed, as far as time tags go).
struct TagReading {
    enum class Kind { Time, Offset, Malformed, HiddenIdTag } kind;
    TagTime time;
    std::optional<int> offsetMs;
};

TagReading readTag(std::string_view tag, bool displayMode) {
    const std::size_t colon = tag.find(':');
    if (colon == std::string_view::npos) {
        return {TagReading::Kind::Malformed, {}, {}};
    }
    if (!isDigit(tag[1])) {
        const std::string_view name = tag.substr(0, colon);
        const bool hidden = displayMode && isHiddenTagName(name);
        const TagReading::Kind kind =
            hidden ? TagReading::Kind::HiddenIdTag : TagReading::Kind::Malformed;
        if (equalsIgnoringCase(name, kOffsetTagName)) {
            const std::string_view value = tag.substr(colon + 1, tag.size() - colon - 2);
            return {kind, {}, readOffsetValue(value)};
        }
        return {kind, {}, {}};
    }
    if (const std::optional<TagTime> time = readTagTime(tag)) {
        return {TagReading::Kind::Time, *time, {}};
    }
    return {TagReading::Kind::Malformed, {}, {}};
}

// Takes the word tags ("<mm:ss.xx>") out of a shown line, and answers where each word starts
// and when, after the line's own tag at lineMs.
std::vector<WordMark> takeWordTags(std::string& line, std::int64_t lineMs) {
    std::vector<WordMark> marks;
    std::size_t from = 0;
    for (;;) {
        const std::size_t open = line.find('<', from);
        if (open == std::string::npos) {
            return marks;
        }
        const std::size_t close = line.find('>', open + 1);
        if (close == std::string::npos) {
            return marks;
        }
        const std::optional<TagTime> time =
            readTagTime(std::string_view(line).substr(open, close - open + 1));
        if (!time) {
            from = open + 1;  // "<" as text
            continue;
        }
        line.erase(open, close - open + 1);
        marks.push_back(WordMark{static_cast<int>(open), time->ms - lineMs});
        from = open;
    }
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
        core_.timeTags.clear();
        core_.wordTimes.clear();
        core_.fileOffset.reset();
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
        int keep = core_.parseTimeTags(line, tagCount_, lineIndex_);
        line = blankToEmpty(std::move(line));
        if (displayMode && line.empty()) {
            dropZeroTagsSince(before);
            if (lineIndex_ == firstIndex_) {
                keep = 0;
            }
        }
        if (keep == 0 || line.empty()) {
            // The index goes to the next line added; these marks are not its.
            core_.wordTimes.set(lineIndex_, {});
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
    // An empty line carrying only [00:00] tags loses them; a later tag stays, so the line is
    // highlighted at that time (or, at the top, the tag goes to the next line shown).
    void dropZeroTagsSince(int before) {
        for (int i = before; i < tagCount_; ++i) {
            if (core_.timeTags[i].seconds != 0) {
                return;
            }
        }
        tagCount_ = before;
        core_.timeTags.truncate(tagCount_);
    }

    // Untimed text ahead of the first timed line, typically credits, is not shown.
    void dropUntimedLinesAhead() {
        const int dropped = lineIndex_ - firstIndex_;
        for (int index = lineIndex_ - 1; index >= firstIndex_; --index) {
            list_.remove(index);
        }
        core_.wordTimes.removeLinesBefore(lineIndex_, dropped);
        lineIndex_ -= dropped;
        for (TimeTag& tag : core_.timeTags) {
            tag.line -= dropped;
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

int LyricsCore::parseTimeTags(std::string& line, int& tagCount, int lineIndex) {
    const bool displayMode = isLyricsListVisible();
    const int firstTag = timeTags.size();
    std::string backup;
    bool backedUp = false;
    for (;;) {
        const std::size_t open = line.find('[');
        if (open == std::string::npos) {
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
            break;
        }
        const TagReading tag =
            readTag(std::string_view(line).substr(open, close - open + 1), displayMode);
        if (tag.offsetMs && !fileOffset) {
            fileOffset = tag.offsetMs;  // the first well-formed one counts
        }
        if (tag.kind == TagReading::Kind::HiddenIdTag) {
            tagCount = timeTags.size();
            return 0;
        }
        if (tag.kind != TagReading::Kind::Time) {
            line = backup;
            break;
        }
        if (tag.time.seconds <= kLargestTagValue) {
            timeTags.add(
                TimeTag{static_cast<std::int32_t>(tag.time.seconds), lineIndex, tag.time.ms});
        }
        line.erase(open, close - open + 1);
    }
    tagCount = timeTags.size();
    if (!displayMode) {
        // The edit list shows every line exactly as written; the table still gets its tags.
        if (backedUp) {
            line = backup;
        }
        return 1;
    }
    // Word tags are never shown; they time the wipe of a line that has a tag of its own.
    const bool timed = tagCount > firstTag;
    std::vector<WordMark> marks = takeWordTags(line, timed ? timeTags[firstTag].ms : 0);
    if (!marks.empty()) {
        // A closing word tag after the last word leaves the blank before it at the end.
        removeTrailingBlanksKeepingOne(line);
        for (WordMark& mark : marks) {
            mark.position = std::min(mark.position, static_cast<int>(line.size()));
        }
    }
    wordTimes.set(lineIndex, timed ? std::move(marks) : std::vector<WordMark>{});
    return 1;
}

}  // namespace zor
