#pragma once

#include <ostream>
#include <vector>

#include "Options.h"
#include "lyrics/model/LyricsCore.h"

namespace zor::cli {

// The state after a load: source label, lyricsPath, currentExt and headerLines (show only).
void printSource(std::ostream& out, const LyricsCore& core);
// How the lyrics were stored: encoding utf-8-bom, utf-8, utf-16le, utf-16be or cpNNNN.
void printEncoding(std::ostream& out, const LyricsCore& core);
// The visible list, the dropped count, the sorted table (in milliseconds, with the offset and
// the adjustment ahead of it, when precise) and one line per asked moment.
// sameTime: each "at" line lists every line highlighted with the selected one, that one last.
void printLines(std::ostream& out, LyricsCore& core, const std::vector<AtTime>& atTimes,
                bool sameTime = false);

}  // namespace zor::cli
