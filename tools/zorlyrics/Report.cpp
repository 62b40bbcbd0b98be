// What read and show print, one fact a line.
#include "Report.h"

namespace zor::cli {

namespace {

const char* sourceLabel(const LyricsCore& core) {
    if (core.lyricsFound == 0) {
        return "none";
    }
    const bool tagged = !core.timeTags.empty();
    if (core.internalLyrics != 0) {
        return tagged ? "I.T.L" : "I.L";
    }
    return tagged ? "E.T.L" : "E.L";
}

}  // namespace

void printSource(std::ostream& out, const LyricsCore& core) {
    out << "source " << sourceLabel(core) << '\n';
    out << "lyricsPath " << core.lyricsPath << '\n';
    out << "currentExt " << core.currentExt << '\n';
    printEncoding(out, core);
    out << "headerLines " << core.headerLines << '\n';
}

void printEncoding(std::ostream& out, const LyricsCore& core) {
    out << "encoding " << core.lyricsEncoding.name()
        << (core.lyricsEncoding.guessed ? " (guessed)" : "") << '\n';
}

void printLines(std::ostream& out, LyricsCore& core, const std::vector<AtTime>& atTimes,
                bool sameTime) {
    const LineList& list = core.visibleList();
    out << "items " << list.count() << '\n';
    for (int i = 0; i < list.count(); ++i) {
        out << i << '\t' << list.text(i) << '\n';
    }
    out << "dropped " << core.droppedLines << '\n';
    const bool precise = core.PreciseTiming != 0;
    if (precise) {
        // What moves the lyrics against the playback position, in milliseconds.
        out << "offset " << core.fileOffset.value_or(0) << '\n';
        out << "adjustment " << core.liveAdjustMs << '\n';
    }
    out << "tags " << core.timeTags.size() << '\n';
    for (const TimeTag& tag : core.timeTags) {
        out << (precise ? tag.ms : tag.seconds) << '\t' << tag.line << '\n';
    }
    for (const AtTime& at : atTimes) {
        const int entry = precise ? core.lineAtMs(core.lyricsTimeAt(at.ms))
                                  : core.lineAtSecond(static_cast<int>(at.ms / 1000));
        out << "at " << at.text << '\t';
        if (entry == kNoEntry) {
            out << "none";
        } else if (sameTime) {
            const char* separator = "";
            for (const int line : core.linesTimedLike(entry)) {
                out << separator << line;
                separator = ",";
            }
        } else {
            out << core.timeTags[entry].line;
        }
        out << '\n';
    }
}

}  // namespace zor::cli
