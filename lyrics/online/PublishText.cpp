// The lines are read again by the ordinary reader, in display mode with precise timing, so what
// is sent is timed exactly as the highlight shows it: the same tag forms, the same hidden lines.
#include "lyrics/online/PublishText.h"

#include <algorithm>
#include <cstdio>

#include "lyrics/model/LyricsCore.h"
#include "lyrics/model/MemoryLineList.h"

namespace zor {

namespace {

// The reader asks nothing of a host or a user.
class NoHost final : public HostLink {
  public:
    bool isPlaying() override { return false; }
    int outputTime() override { return -1; }
    void jumpToTime(int /*ms*/) override {}
    int listPosition() override { return 0; }
    std::optional<std::string> playlistFile(int /*index*/) override { return std::nullopt; }
    std::optional<std::string> playlistTitle(int /*index*/) override { return std::nullopt; }
    bool extendedFileInfo(const std::string& /*file*/, const std::string& /*key*/,
                          std::string& /*answer*/) override {
        return false;
    }
    void play() override {}
    void showFileInfo() override {}
    std::string mainCaption() override { return {}; }
};

class NoPrompt final : public Prompt {
  public:
    PromptAnswer show(PromptOwner /*owner*/, const std::string& /*text*/,
                      const std::string& /*caption*/, PromptButtons buttons,
                      PromptIcon /*icon*/) override {
        return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::No;
    }
};

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += '\n';
    }
    return text;
}

}  // namespace

std::string hundredthsTag(long long ms) {
    const long long hundredths = (std::max(ms, 0LL) + 5) / 10;
    char tag[32];
    std::snprintf(tag, sizeof tag, "[%02lld:%02lld.%02lld]", hundredths / 6000,
                  hundredths / 100 % 60, hundredths % 100);
    return tag;
}

std::vector<std::string> songRawLines(const AppSettings& settings, HostLink& host,
                                      FileSystem& files, const std::string& songPath) {
    MemoryLineList lyricsList(false);
    MemoryLineList editList(true);
    NoPrompt prompt;
    LyricsCore core(lyricsList, editList, host, prompt, files);
    static_cast<AppSettings&>(core) = settings;
    core.loadLyrics(songPath);
    return editList.items();
}

PublishText makePublishText(const std::vector<std::string>& rawLines, const PublishTiming& timing) {
    MemoryLineList lyricsList(true);
    MemoryLineList editList(false);
    NoHost host;
    NoPrompt prompt;
    LyricsCore core(lyricsList, editList, host, prompt, platformFileSystem());
    core.PreciseTiming = 1;
    core.LatencyMs = timing.latencyMs;
    core.liveAdjustMs = timing.liveAdjustMs;
    int count = 0;
    // A line may hold a NUL only where the reader would end the text; none survives a list.
    core.readLines(joined(rawLines), count);
    core.sortTimeTags();

    PublishText text;
    for (const TimeTag& tag : core.timeTags) {
        const std::string line = lyricsList.text(tag.line);
        text.synced += hundredthsTag(core.positionAt(tag.ms)) + line + '\n';
        text.plain += line + '\n';
        ++text.timedLines;
    }
    return text;
}

}  // namespace zor
