// SHIFT+F9: the lyrics the user timed, to the online service. The dialog asks first; the proof
// of work and the sending run on the publishing worker while the title strip counts the hashes;
// the outcome shows there for a few seconds. Nothing local changes, whatever happens.
#include <string>
#include <vector>

#include "commands/DlgPublish.h"
#include "display/PluginWnd.h"
#include "framework/WinApp.h"
#include "host/LyricsPluginApp.h"

namespace zor {

namespace {

constexpr UINT kPublishTickMs = 250;
constexpr const char* kNothingTimed =
    "These lyrics have no time tags: there is nothing to publish.";
constexpr const char* kPublishCaption = "Publish";

}  // namespace

void CLyricsPluginApp::publishKey() {
    if (!isWindowUsable()) {
        return;
    }
    if (publishRun.running()) {
        cancelPublish();
        return;
    }
    // In edit mode the lines as they stand, stamps not yet saved included; in display mode
    // the song's lyrics as written.
    const bool editing = isWindowUsable(pluginWnd->editList.get(), true);
    const std::vector<std::string> lines =
        editing ? allItems(editList)
                : songRawLines(static_cast<const AppSettings&>(*this), host, files, songFile);
    const PublishText text = makePublishText(lines, {LatencyMs, liveAdjustMs});
    if (text.timedLines == 0) {
        prompt.show(PromptOwner::PluginWindow, kNothingTimed, kPublishCaption, PromptButtons::Ok);
        pluginWnd->focusList();
        return;
    }
    const TrackSignature song = songSignature();
    PublishTrack track{song.artist, song.title, song.album, song.durationSeconds.value_or(0)};
    CDlgPublish dialog(pluginWnd->GetSafeHwnd(), std::move(track), text);
    const INT_PTR answer = dialog.DoModal(fw::frameworkModule());
    pluginWnd->focusList();
    if (answer != IDOK || !isWindowUsable()) {
        return;
    }
    const HWND window = pluginWnd->GetSafeHwnd();
    if (!publishRun.start(PublishJob{dialog.track(), text, nullptr}, OnlineServer, window,
                          kPublishAnswerMessage)) {
        prompt.show(PromptOwner::PluginWindow, "Publishing could not start.", kPublishCaption,
                    PromptButtons::Ok);
        return;
    }
    ::SetTimer(window, kPublishTimer, kPublishTickMs, nullptr);
    refreshTitleStrip();
}

void CLyricsPluginApp::cancelPublish() {
    if (!publishRun.running()) {
        return;
    }
    publishRun.cancel(::GetTickCount());
    refreshTitleStrip();
}

void CLyricsPluginApp::publishAnswered(std::uint32_t generation) {
    if (publishRun.finish(generation, ::GetTickCount())) {
        refreshTitleStrip();
    }
}

void CLyricsPluginApp::publishTick() {
    if (publishRun.noticeChanged(::GetTickCount())) {
        refreshTitleStrip();
    }
    if (!publishRun.running() && publishRun.notice().empty() && isWindowUsable()) {
        ::KillTimer(pluginWnd->GetSafeHwnd(), kPublishTimer);
    }
}

}  // namespace zor
