// What read and show print, one fact a line.
#include "Report.h"

namespace zor::cli {

namespace {

const char* sourceLabel(const LyricsCore& core) {
    if (core.lyricsFound == 0) {
        return "none";
    }
    const bool tagged = core.timeTags[0].line != kEndOfTable;
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
    out << "encoding " << core.lyricsEncoding.name() << '\n';
}

void printLines(std::ostream& out, LyricsCore& core, const std::vector<int>& atSeconds) {
    const LineList& list = core.visibleList();
    out << "items " << list.count() << '\n';
    for (int i = 0; i < list.count(); ++i) {
        out << i << '\t' << list.text(i) << '\n';
    }
    out << "dropped " << core.droppedLines << '\n';
    int tags = 0;
    while (tags < kTimeTagTableSize && core.timeTags[tags].line != kEndOfTable) {
        ++tags;
    }
    out << "tags " << tags << '\n';
    for (int i = 0; i < tags; ++i) {
        out << core.timeTags[i].seconds << '\t' << core.timeTags[i].line << '\n';
    }
    for (const int second : atSeconds) {
        const int entry = core.lineAtSecond(second);
        out << "at " << second << '\t';
        if (entry == kNoEntry) {
            out << "none";
        } else {
            out << core.timeTags[entry].line;
        }
        out << '\n';
    }
}

}  // namespace zor::cli
