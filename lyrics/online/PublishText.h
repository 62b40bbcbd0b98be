#pragma once

#include <string>
#include <vector>

#include "lyrics/platform/FileSystem.h"
#include "lyrics/ports/HostLink.h"
#include "lyrics/ports/Settings.h"

// The lyrics as the service stores them, made from the lines a user timed: one "[mm:ss.xx]text"
// line per time tag, in time order, at the moment the line lights up for that user.
namespace zor {

struct PublishTiming {
    int latencyMs = 0;     // the output latency setting: lyrics show this much later
    int liveAdjustMs = 0;  // the adjustment made while listening: lyrics show this much earlier
};

struct PublishText {
    std::string
        synced;         // LRC with [mm:ss.xx] tags and LF line ends; no header, word or offset tags
    std::string plain;  // the same lines without tags
    int timedLines = 0;  // lines of synced
};

// rawLines are the lines as written (a file's lines, or the edit list's). The file's own
// [offset:] and the timing are put into the times, which never go below zero.
PublishText makePublishText(const std::vector<std::string>& rawLines, const PublishTiming& timing);

// The song's lyrics as written, read through the ordinary lookup with settings, as time-tag edit
// mode would load them: what the display shows, before its reader took the tags out. Empty when
// the song has none.
std::vector<std::string> songRawLines(const AppSettings& settings, HostLink& host,
                                      FileSystem& files, const std::string& songPath);

// "[mm:ss.xx]" for a time in milliseconds, rounded to the nearest hundredth.
std::string hundredthsTag(long long ms);

}  // namespace zor
