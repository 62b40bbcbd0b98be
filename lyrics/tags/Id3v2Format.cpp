// Lyrics in the ID3v2 tag of an MP3 through TagLib, which reads every version and writes 2.4: the
// lyrics frame, a synchronised lyrics frame turned into timed lines, a user text frame.
#include <taglib/id3v2framefactory.h>
#include <taglib/id3v2header.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/synchronizedlyricsframe.h>
#include <taglib/textidentificationframe.h>
#include <taglib/unsynchronizedlyricsframe.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <vector>

#include "lyrics/model/TextFunctions.h"
#include "lyrics/tags/Mp3Layout.h"
#include "lyrics/tags/SongTagFormat.h"
#include "lyrics/tags/TagLibText.h"

namespace zor {

namespace {

constexpr const char* kLyricsFrame = "USLT";
constexpr const char* kSyncedLyricsFrame = "SYLT";
constexpr const char* kUserTextFrame = "TXXX";
constexpr std::array<const char*, 2> kUserTextNames = {"LYRICS", "SYNCEDLYRICS"};
constexpr const char* kStoreLanguage = "XXX";

// "[mm:ss.xx]", minutes as many as it takes.
std::string timeTagFor(unsigned int ms) {
    char tag[32];
    std::snprintf(tag, sizeof tag, "[%02u:%02u.%02u]", ms / 60000, ms / 1000 % 60, ms / 10 % 100);
    return tag;
}

bool hasLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

// The synchronised text as timed lines. Where the frame's text breaks lines (syllables or words
// with their own times, a line break where a line ends), a line takes the time of the entry that
// starts it; where no entry breaks a line, every entry is a line of its own.
std::string timedLines(const TagLib::ID3v2::SynchronizedLyricsFrame& frame) {
    const bool timed =
        frame.timestampFormat() == TagLib::ID3v2::SynchronizedLyricsFrame::AbsoluteMilliseconds;
    std::vector<std::pair<unsigned int, std::string>> entries;
    bool breaksLines = false;
    for (const auto& entry : frame.synchedText()) {
        entries.emplace_back(entry.time, utf8Of(entry.text));
        breaksLines = breaksLines || hasLineBreak(entries.back().second);
    }
    std::string text;
    bool lineStarted = false;
    auto startLine = [&](unsigned int time) {
        if (timed) {
            text += timeTagFor(time);
        }
        lineStarted = true;
    };
    for (const auto& [time, entryText] : entries) {
        if (!breaksLines) {
            if (!text.empty()) {
                text += "\r\n";
            }
            startLine(time);
            text += entryText;
            continue;
        }
        for (std::size_t i = 0; i < entryText.size(); ++i) {
            const char c = entryText[i];
            if (c == '\r' || c == '\n') {
                if (c == '\r' && i + 1 < entryText.size() && entryText[i + 1] == '\n') {
                    ++i;
                }
                text += "\r\n";
                lineStarted = false;
                continue;
            }
            if (!lineStarted) {
                startLine(time);
            }
            text += c;
        }
    }
    return text;
}

std::string joined(const TagLib::StringList& values, std::size_t first) {
    std::string text;
    for (std::size_t i = first; i < values.size(); ++i) {
        if (i > first) {
            text += "\r\n";
        }
        text += utf8Of(values[static_cast<unsigned int>(i)]);
    }
    return text;
}

std::optional<std::string> userTextLyrics(const TagLib::ID3v2::Tag& tag) {
    for (const char* wanted : kUserTextNames) {
        for (auto* frame : tag.frameList(kUserTextFrame)) {
            const auto* userText =
                dynamic_cast<const TagLib::ID3v2::UserTextIdentificationFrame*>(frame);
            if (userText != nullptr && userText->fieldList().size() > 1 &&
                equalsIgnoringCase(utf8Of(userText->description()), wanted)) {
                return joined(userText->fieldList(), 1);
            }
        }
    }
    return std::nullopt;
}

std::optional<std::string> lyricsOf(const TagLib::ID3v2::Tag& tag) {
    // A frame without text does not hide the sources after it.
    for (auto* frame : tag.frameList(kLyricsFrame)) {
        const auto* lyrics = dynamic_cast<const TagLib::ID3v2::UnsynchronizedLyricsFrame*>(frame);
        if (lyrics != nullptr && !lyrics->text().isEmpty()) {
            return utf8Of(lyrics->text());
        }
    }
    for (auto* frame : tag.frameList(kSyncedLyricsFrame)) {
        const auto* synced = dynamic_cast<const TagLib::ID3v2::SynchronizedLyricsFrame*>(frame);
        if (synced != nullptr && !synced->synchedText().isEmpty()) {
            return timedLines(*synced);
        }
    }
    return userTextLyrics(tag);
}

// The frames of a well-formed tag, counted by their headers: TagLib leaves out a frame it cannot
// parse, and a tag rewritten without it would lose it. -1 when the tag is not well formed.
int countFrames(std::string_view song) {
    const Id3v2Header header = readId3v2Header(song);
    if (!header.wellFormed || header.major != 4 ||
        song.size() < static_cast<std::size_t>(header.tagSize)) {
        return -1;
    }
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(song[i]); };
    const auto syncSafe = [&](std::size_t i) {
        return (std::int64_t{byte(i)} << 21) | (byte(i + 1) << 14) | (byte(i + 2) << 7) |
               byte(i + 3);
    };
    const bool footer = (byte(5) & 0x10) != 0;
    const std::int64_t end = header.tagSize - (footer ? 10 : 0);
    std::int64_t at = 10;
    if ((byte(5) & 0x40) != 0) {
        if (at + 4 > end) {
            return -1;
        }
        at += syncSafe(static_cast<std::size_t>(at));
    }
    int frames = 0;
    while (at + 10 <= end && byte(static_cast<std::size_t>(at)) != 0) {
        const std::int64_t size = syncSafe(static_cast<std::size_t>(at + 4));
        at += 10 + size;
        if (at > end) {
            return -1;
        }
        ++frames;
    }
    return frames;
}

class Id3v2Format : public SongTagFormat {
  public:
    std::string name() const override { return "MP3"; }

    std::optional<std::string> readLyrics(TagLib::IOStream& song) const override {
        TagLib::MPEG::File file(&song, TagLib::ID3v2::FrameFactory::instance(), false);
        const TagLib::ID3v2::Tag* tag = file.isValid() ? file.ID3v2Tag(false) : nullptr;
        return tag == nullptr ? std::nullopt : lyricsOf(*tag);
    }

    bool canStore() const override { return true; }

    std::string storeLyrics(TagLib::IOStream& song, const std::string& text) const override {
        song.seek(0, TagLib::IOStream::Beginning);
        const TagLib::ByteVector start = song.readBlock(static_cast<unsigned long>(song.length()));
        const int frames = countFrames(std::string_view(start.data(), start.size()));
        TagLib::MPEG::File file(&song, TagLib::ID3v2::FrameFactory::instance(), false);
        TagLib::ID3v2::Tag* tag = file.isValid() ? file.ID3v2Tag(false) : nullptr;
        if (frames < 0 || tag == nullptr || static_cast<int>(tag->frameList().size()) != frames) {
            return "The ID3v2 tag of the MP3 file cannot be read in full, so it cannot be "
                   "rewritten. The lyrics were not stored.";
        }
        tag->removeFrames(kLyricsFrame);
        auto frame =
            std::make_unique<TagLib::ID3v2::UnsynchronizedLyricsFrame>(TagLib::String::UTF8);
        frame->setLanguage(kStoreLanguage);
        frame->setText(tagLibString(text));
        tag->addFrame(frame.release());  // the tag owns its frames
        if (!file.save(TagLib::MPEG::File::ID3v2, TagLib::File::StripNone, TagLib::ID3v2::v4,
                       TagLib::File::DoNotDuplicate)) {
            return "The MP3 file could not be rewritten. The lyrics were not stored.";
        }
        return {};
    }

    std::optional<std::string> audioOf(std::string_view song) const override {
        return std::string(zor::audioOf(song));
    }

    // The tag's version and every frame but the lyrics frames, as TagLib renders them.
    std::string otherTagsOf(TagLib::IOStream& song) const override {
        TagLib::MPEG::File file(&song, TagLib::ID3v2::FrameFactory::instance(), false);
        const TagLib::ID3v2::Tag* tag = file.isValid() ? file.ID3v2Tag(false) : nullptr;
        if (tag == nullptr) {
            return "no tag";
        }
        std::vector<std::string> frames;
        for (const auto* frame : tag->frameList()) {
            if (frame->frameID() != kLyricsFrame) {
                const TagLib::ByteVector bytes = frame->render();
                frames.emplace_back(bytes.data(), bytes.size());
            }
        }
        std::sort(frames.begin(), frames.end());
        std::string all = "ID3v2." + std::to_string(tag->header()->majorVersion());
        for (const std::string& frame : frames) {
            all += '\0' + std::to_string(frame.size()) + ':' + frame;
        }
        return all;
    }
};

}  // namespace

const SongTagFormat& id3v2Format() {
    static const Id3v2Format format;
    return format;
}

}  // namespace zor
