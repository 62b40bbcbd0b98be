#pragma once

#include "lyrics/model/LineList.h"
#include "lyrics/platform/FileSystem.h"

namespace zor {

// The LRC dump: every item in list order, each but the last followed by CR LF, one write per
// line so an item of any length is written whole. False as soon as a write fails.
bool writeLrcLines(const LineList& lines, OutputFile& file);

}  // namespace zor
