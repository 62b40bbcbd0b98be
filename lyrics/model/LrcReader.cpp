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
#include "lyrics/text/CodePageGuess.h"
#include "lyrics/text/Windows1252.h"

namespace zor {

namespace {

// Large enough that a lyrics file is one or two reads, small enough to sit on any heap.
constexpr std::size_t kReadBlockSize = std::size_t{64} * 1024;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";  // U+FEFF in UTF-8

constexpr std::int64_t kLargestTagValue = std::numeric_limits<std::int32_t>::max();

constexpr std::string_view kOffsetTagName = "[offset";
constexpr std::size_t npos = std::string_view::npos;

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

// What a bracketed text that is not a time tag is: an ID tag whose line the lyrics list hides,
// or anything else (malformed, as far as time tags go), and the value of an [offset:] tag.
struct IdTagReading {
    bool hidden = false;
    std::optional<int> offsetMs;
};

IdTagReading readIdTag(std::string_view tag, bool displayMode) {
    const std::size_t colon = tag.find(':');
    if (colon == std::string_view::npos) {
        return {};
    }
    const std::string_view name = tag.substr(0, colon);
    IdTagReading reading;
    reading.hidden = displayMode && isHiddenTagName(name);
    if (equalsIgnoringCase(name, kOffsetTagName)) {
        reading.offsetMs = readOffsetValue(tag.substr(colon + 1, tag.size() - colon - 2));
    }
    return reading;
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

// The next "[" at or after from; tags mostly follow each other, so the first place is looked at
// before the line is searched.
std::size_t findOpening(std::string_view line, std::size_t from) {
    if (from < line.size() && line[from] == '[') {
        return from;
    }
    return line.find('[', from);
}

// Where a tag of the usual shape opening at open closes ("[mm:ss]", "[mm:ss.x]" to
// "[mm:ss.xxx]"): no "]" can come earlier in it, so the search for one is spared. npos for
// any other text.
std::size_t usualTagClose(std::string_view line, std::size_t open) {
    const auto digitAt = [&](std::size_t i) { return i < line.size() && isDigit(line[i]); };
    if (!digitAt(open + 1) || !digitAt(open + 2) || open + 3 >= line.size() ||
        line[open + 3] != ':' || !digitAt(open + 4) || !digitAt(open + 5)) {
        return std::string_view::npos;
    }
    std::size_t close = open + 6;
    if (close < line.size() && line[close] == '.') {
        ++close;
        while (close < open + 10 && digitAt(close)) {
            ++close;
        }
        if (close == open + 7) {
            return std::string_view::npos;  // "[mm:ss.]" is for the general reader
        }
    }
    return close < line.size() && line[close] == ']' ? close : std::string_view::npos;
}

// The "]" closing a tag that opened before from; tags are short, so their usual length is looked
// at in place before the rest of the line is searched.
std::size_t findClosing(std::string_view line, std::size_t from) {
    constexpr std::size_t kUsualTagLength = 16;
    const std::size_t near = std::min(line.size(), from + kUsualTagLength);
    for (std::size_t i = from; i < near; ++i) {
        if (line[i] == ']') {
            return i;
        }
    }
    return line.find(']', near);
}

// The tags found in one line, as ranges of its bytes in order; most lines have one or two.
class TagSpans {
  public:
    void add(std::size_t begin, std::size_t end) {
        if (Span* last = lastSpan(); last != nullptr && last->end == begin) {
            last->end = end;  // "[00:01][00:40]" is one range
        } else if (count_ < spans_.size()) {
            spans_[count_++] = {begin, end};
        } else {
            overflow_.push_back({begin, end});
        }
    }

    // The line without them, each byte after a tag moved once.
    void removeFrom(std::string& line) const {
        if (count_ == 0) {
            return;
        }
        char* const bytes = line.data();
        std::size_t to = spans_[0].begin;
        std::size_t from = spans_[0].end;
        const auto moveUpTo = [&](std::size_t until) {
            std::memmove(bytes + to, bytes + from, until - from);
            to += until - from;
        };
        for (std::size_t i = 1; i < count_; ++i) {
            moveUpTo(spans_[i].begin);
            from = spans_[i].end;
        }
        for (const Span& span : overflow_) {
            moveUpTo(span.begin);
            from = span.end;
        }
        moveUpTo(line.size());
        line.resize(to);
    }

  private:
    struct Span {
        std::size_t begin;
        std::size_t end;
    };
    Span* lastSpan() {
        if (!overflow_.empty()) {
            return &overflow_.back();
        }
        return count_ > 0 ? &spans_[count_ - 1] : nullptr;
    }

    std::array<Span, 4> spans_{};
    std::size_t count_ = 0;
    std::vector<Span> overflow_;
};

// Whether the line, from from on, holds a time tag followed by text: the lyrics of a line that
// starts with an ID tag.
bool holdsTimedText(std::string_view line, std::size_t from) {
    bool timed = false;
    for (;;) {
        while (from < line.size() && line[from] == kBlank) {
            ++from;
        }
        const std::size_t close = from < line.size() ? usualTagClose(line, from) : npos;
        if (close == npos) {
            return timed && from < line.size();
        }
        timed = true;
        from = close + 1;
    }
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

    // Called with each piece of the text before it is split, so that lines are searched for
    // NUL bytes and word tags only when the text holds any.
    void notePiece(std::string_view piece) {
        mayHoldNul_ = mayHoldNul_ || piece.find('\0') != std::string_view::npos;
        facts_.mayHoldWordTags =
            facts_.mayHoldWordTags || piece.find('<') != std::string_view::npos;
    }

    void operator()(std::string& line) {
        // The list and every consumer hold NUL-terminated texts: a NUL byte ends the line.
        if (mayHoldNul_) {
            line.resize(std::min(line.size(), line.find('\0')));
        }
        const bool displayMode = facts_.displayMode;
        if (displayMode && !line.empty() && line[0] == kByteOrderMark[0] &&
            std::string_view(line).substr(0, kByteOrderMark.size()) == kByteOrderMark) {
            // A mark inside the text, left where files were joined, is no part of the lyrics.
            line.erase(0, kByteOrderMark.size());
        }
        removeTrailingBlanksKeepingOne(line);
        const int before = tagCount_;
        int keep = core_.parseTimeTags(line, tagCount_, lineIndex_, facts_);
        if (!line.empty() && line.front() == kBlank) {  // only then can it be all blanks
            line = blankToEmpty(std::move(line));
        }
        if (displayMode && line.empty()) {
            dropZeroTagsSince(before);
            // An empty line at the top is shown only with a time of its own: passed on, its
            // tag would light the first sung line before it is sung.
            if (lineIndex_ == firstIndex_ && tagCount_ == before) {
                keep = 0;
            }
        }
        if (keep == 0 || line.empty()) {
            // The index goes to the next line added; these marks are not its.
            core_.wordTimes.forget(lineIndex_);
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
    LyricsCore::SourceFacts facts_{core_.isLyricsListVisible(), false};
    bool mayHoldNul_ = false;
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

// Windows-1252 bytes onto a line, as UTF-8.
struct AppendWindows1252 {
    void operator()(std::string& line, const char* from, const char* to) const {
        appendWindows1252(line, std::string_view(from, static_cast<std::size_t>(to - from)));
    }
};

// Feeds the source's text, in as many pieces as it likes, through the reader into the visible
// list; the first line end of the text, if it has a break.
template <typename Append = AppendAsIs, typename Source>
std::optional<LineEnd> splitLines(LyricsCore& core, int& count, Source feedText) {
    SourceReader reader(core, count);
    LineSplitter<SourceReader, Append> splitter(reader);
    feedText([&](std::string_view text) {
        reader.notePiece(text);
        splitter.feed(text.data(), text.size());
    });
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
    std::optional<CodePageGuess> guess;
    if (form == FileForm::CodePage && CodePage == 0 && DetectCodePage != 0) {
        guess = guessCodePage(bytes, codePage);
    }
    if (guess) {
        lyricsEncoding = TextEncoding{EncodingKind::CodePage, guess->codePage, true};
        lineEnd = splitLines(*this, count, [&guess](const auto& feed) { feed(guess->text); });
    } else if (form == FileForm::Ascii || form == FileForm::Utf8) {
        // UTF-8 as it stands: read in place.
        lyricsEncoding = form == FileForm::Utf8 ? TextEncoding{EncodingKind::Utf8, 0}
                                                : TextEncoding{EncodingKind::CodePage, codePage};
        lineEnd = splitLines(*this, count, [bytes](const auto& feed) { feed(bytes); });
    } else if (form == FileForm::CodePage && codePage == kWindows1252CodePage) {
        // Each line decoded as it is made, from the file's own bytes: no decoded copy at all.
        lyricsEncoding = TextEncoding{EncodingKind::CodePage, codePage};
        lineEnd =
            splitLines<AppendWindows1252>(*this, count, [bytes](const auto& feed) { feed(bytes); });
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
    return parseTimeTags(line, tagCount, lineIndex, SourceFacts{isLyricsListVisible(), true});
}

int LyricsCore::parseTimeTags(std::string& line, int& tagCount, int lineIndex,
                              const SourceFacts& facts) {
    const bool displayMode = facts.displayMode;
    const int firstTag = timeTags.size();
    // The tags are read where they stand and taken out together at the end, so no copy of the
    // line is kept. Each tag is the first "[" after the previous tag and the first "]" after
    // that; a bracket that is no time tag stays as written and the search goes on after its "[".
    TagSpans spans;
    bool plainBracketSeen = false;
    std::size_t from = 0;
    for (;;) {
        const std::size_t open = findOpening(line, from);
        if (open == std::string::npos) {
            break;
        }
        // "[[00:12.00]]", as some tools write tags, is the tag inside.
        const bool doubled = open + 1 < line.size() && line[open + 1] == '[';
        const std::size_t tagOpen = doubled ? open + 1 : open;
        std::size_t close = usualTagClose(line, tagOpen);
        if (close == std::string::npos) {
            close = findClosing(line, tagOpen + 1);
        }
        if (close == std::string::npos) {
            // Unclosed: the rest of the line is shown as written; tags ahead of it are taken.
            break;
        }
        const std::string_view text = std::string_view(line).substr(tagOpen, close - tagOpen + 1);
        TagTime time;
        if (!isDigit(text[1]) && !doubled) {
            const IdTagReading tag = readIdTag(text, displayMode);
            if (tag.offsetMs && !fileOffset) {
                fileOffset = tag.offsetMs;  // the first well-formed one counts
            }
            if (tag.hidden && !plainBracketSeen) {
                if (!holdsTimedText(line, close + 1)) {
                    tagCount = timeTags.size();
                    return 0;
                }
                // "[offset:102][00:00.17]First line": the line is the lyrics after the tag.
                spans.add(open, close + 1);
                from = close + 1;
                continue;
            }
        }
        const bool closedTwice = !doubled || (close + 1 < line.size() && line[close + 1] == ']');
        if (!isDigit(text[1]) || !closedTwice || !readTagTime(text, time)) {
            // A bracket that is no time tag is shown as written; tags around it are still taken.
            plainBracketSeen = true;
            from = open + 1;
            continue;
        }
        if (time.seconds <= kLargestTagValue) {
            timeTags.add(static_cast<std::int32_t>(time.seconds), lineIndex, time.ms);
        }
        const std::size_t end = doubled ? close + 2 : close + 1;
        spans.add(open, end);
        from = end;
    }
    // The edit list shows every line exactly as written; the table still gets its tags.
    if (displayMode) {
        spans.removeFrom(line);
    }
    tagCount = timeTags.size();
    if (!displayMode) {
        return 1;
    }
    // Word tags are never shown; they time the wipe of a line that has a tag of its own.
    const bool timed = tagCount > firstTag;
    std::vector<WordMark> marks;
    if (facts.mayHoldWordTags) {
        marks = takeWordTags(line, timed ? timeTags[firstTag].ms : 0);
    }
    if (!marks.empty()) {
        // A closing word tag after the last word leaves the blank before it at the end.
        removeTrailingBlanksKeepingOne(line);
        for (WordMark& mark : marks) {
            mark.position = std::min(mark.position, static_cast<int>(line.size()));
        }
    }
    if (timed && !marks.empty()) {
        wordTimes.set(lineIndex, std::move(marks));
    } else {
        wordTimes.forget(lineIndex);
    }
    return 1;
}

}  // namespace zor
