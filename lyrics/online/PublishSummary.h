#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "lyrics/online/PublishRequest.h"
#include "lyrics/online/PublishText.h"

// What a user is shown before a publish, in the plug-in's dialog and on zorlyrics's output
// alike, and the checks made of what they confirm.
namespace zor {

// The lines of the synced text a summary shows.
inline constexpr int kPublishPreviewLines = 5;

// "3 timed lines", "1 timed line".
std::string timedLinesText(int count);

// The first lines of the synced text, each ended by LF.
std::string publishPreview(const PublishText& text, int lines = kPublishPreviewLines);

// The sentence that says where the lyrics go: "These lyrics become public on lrclib.net, ...".
std::string publicSentence(const std::string& where);

// A duration as a user types it: whole seconds, or seconds with a decimal fraction; more than 0
// and at most a day.
std::optional<double> parseSeconds(std::string_view text);
// The host's length as the dialog shows it: "214", "214.5"; empty for none.
std::string secondsText(double seconds);

// Why the song as confirmed cannot be sent ("An artist is needed", ...); empty when it can.
std::string publishTrackProblem(const PublishTrack& track);

}  // namespace zor
