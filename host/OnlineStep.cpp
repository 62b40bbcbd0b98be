// The online step of the lookup on the plug-in's side: when a song shows "Lyrics unavailable"
// and the settings allow it, the worker asks the service; its answer comes back to the plug-in
// window, where what was found is saved and loaded through the ordinary lookup. The title strip
// says what the step is doing.
#include <cstdint>
#include <string>

#include "commands/DlgOnlineSearch.h"
#include "config/SettingsStore.h"
#include "display/PluginWnd.h"
#include "framework/WinApp.h"
#include "host/LyricsPluginApp.h"
#include "lyrics/model/TextFunctions.h"

namespace zor {

namespace {

constexpr DWORD kFailureNoticeMs = 4000;
constexpr const char* kSearching = "Searching lrclib.net\xE2\x80\xA6";
constexpr const char* kSearchHint = "SHIFT+F5: search lrclib.net";
constexpr const char* kCancelPublishHint = "ESC: cancel publishing";
constexpr const char* kNoArtist = "(Artist unavailable)";

// deliver() saves and reloads only; it never sends anything.
class NoNetwork final : public HttpTransport {
  public:
    HttpResponse send(const HttpRequest& /*request*/, const CancelFlag& /*cancel*/) override {
        HttpResponse response;
        response.failure = HttpFailure::Internal;
        return response;
    }
};

// A whole number of milliseconds, as the host gives a length; none for anything else or 0.
std::optional<double> lengthSeconds(const std::string& text) {
    if (text.empty() || text.size() > 12 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    const long long ms = std::stoll(text);
    if (ms <= 0) {
        return std::nullopt;
    }
    return static_cast<double>(ms) / 1000.0;
}

// The short reason a failed step shows; empty for outcomes that say nothing.
std::string noticeFor(const OnlineOutcome& outcome) {
    switch (outcome.result) {
        case OnlineResult::Unreachable:
            switch (outcome.failure) {
                case HttpFailure::NoAnswer:
                    return "lrclib.net: no answer";
                case HttpFailure::Timeout:
                    return "lrclib.net: no answer in time";
                default:
                    return std::string("lrclib.net: ") + failureName(outcome.failure);
            }
        case OnlineResult::Busy:
            return "lrclib.net: busy, try later";
        case OnlineResult::BadAnswer:
            return "lrclib.net: unexpected answer";
        case OnlineResult::NotFound:
            return "lrclib.net: nothing found";
        case OnlineResult::Instrumental:
            return "lrclib.net: instrumental";
        case OnlineResult::NotSaved:
            return "lrclib.net: could not save the lyrics";
        case OnlineResult::Found:
        case OnlineResult::Remembered:
        case OnlineResult::NoSignature:
        case OnlineResult::Cancelled:
            return std::string();
    }
    return std::string();
}

}  // namespace

std::string CLyricsPluginApp::missFilePath() const {
    return missMemoryPathBeside(settingsFilePath(libraryFileName()).value_or("plugin.ini"));
}

TrackSignature CLyricsPluginApp::songSignature() {
    auto ask = [&](const char* key) {
        std::string answer;
        return host.extendedFileInfo(songPath, key, answer) ? trimSpaces(answer) : std::string();
    };
    TrackSignature signature;
    signature.artist = ask("Artist");
    signature.title = ask("Title");
    signature.album = ask("Album");
    // The host's "length" is in milliseconds.
    signature.durationSeconds = lengthSeconds(ask("length"));
    // Without tags the header's reading of the playlist title stands in.
    if (signature.title.empty()) {
        signature.title = songTitle;
    }
    if (signature.artist.empty() && songArtist != kNoArtist) {
        signature.artist = songArtist;
    }
    return signature;
}

void CLyricsPluginApp::startOnlineStep() {
    searchHint = lyricsFound == 0 && isWindowUsable(pluginWnd->lyricsList.get(), true);
    if (!searchHint || OnlineLyrics == 0 || songFile.empty() || songFile == onlineAskedFor ||
        songFile.find("://") != std::string::npos) {
        return;  // a stream has no folder to keep lyrics in
    }
    OnlineSong song;
    song.path = songFile;
    song.signature = songSignature();
    song.alternativeFolder = AlternativeLRCPath;
    onlineAskedFor = songFile;
    onlineGeneration = onlineWorker.find(song, OnlineServer, missFilePath(),
                                         pluginWnd->GetSafeHwnd(), kOnlineAnswerMessage);
    if (onlineGeneration != 0) {
        showOnlineNotice(kSearching, true);
    }
}

void CLyricsPluginApp::abandonOnline() {
    onlineWorker.abandon();
    onlineGeneration = 0;
    onlineAskedFor.clear();
    onlineNoticeText.clear();
    onlineNoticeEnd = 0;
}

void CLyricsPluginApp::onlineAnswered(std::uint32_t generation) {
    std::optional<OnlineAnswer> answer = onlineWorker.take(generation);
    if (!answer || answer->kind != OnlineJobKind::Find || generation != onlineGeneration ||
        songFile != onlineAskedFor) {
        return;  // a song since abandoned: never shown under another one
    }
    onlineGeneration = 0;
    onlineNoticeText.clear();
    OnlineOutcome& outcome = answer->outcome;
    if (outcome.result == OnlineResult::Found) {
        NoNetwork none;
        OnlineLookup saving(none, files, OnlineServer);
        OnlineSong song;
        song.path = songFile;
        song.alternativeFolder = AlternativeLRCPath;
        saving.deliver(outcome, song, [this] {
            reloadLyrics = 1;
            Render(visModule);
        });
    }
    showOnlineNotice(noticeFor(outcome), false);
}

void CLyricsPluginApp::showOnlineNotice(const std::string& text, bool lasting) {
    onlineNoticeText = text;
    onlineNoticeEnd = 0;
    if (!text.empty() && !lasting) {
        onlineNoticeEnd = ::GetTickCount() + kFailureNoticeMs;
        if (onlineNoticeEnd == 0) {
            onlineNoticeEnd = 1;  // 0 stands for a notice that lasts
        }
    }
    refreshTitleStrip();
}

void CLyricsPluginApp::endExpiredOnlineNotice() {
    if (onlineNoticeText.empty() || onlineNoticeEnd == 0 ||
        static_cast<LONG>(::GetTickCount() - onlineNoticeEnd) < 0) {
        return;
    }
    onlineNoticeText.clear();
    onlineNoticeEnd = 0;
    refreshTitleStrip();
}

std::string CLyricsPluginApp::onlineNotice() const {
    return onlineNoticeText;
}

std::string CLyricsPluginApp::titleStripPathLine() const {
    if (publishRun.running()) {
        return kCancelPublishHint;
    }
    return searchHint ? kSearchHint : songPath;
}

void CLyricsPluginApp::refreshTitleStrip() {
    if (!isWindowUsable(pluginWnd->titleStrip.get(), false)) {
        return;
    }
    std::string first = timingNotice();
    if (first.empty()) {
        first = publishRun.notice();
    }
    if (first.empty()) {
        first = onlineNotice();
    }
    if (first.empty()) {
        first = songTitle;
    }
    const std::string text =
        first + "\n" + (songArtist.empty() ? kNoArtist : songArtist) + "\n" + titleStripPathLine();
    if (pluginWnd->titleStrip->GetWindowText() != text) {
        pluginWnd->titleStrip->SetWindowText(text);
    }
    pluginWnd->titleStrip->Invalidate();
}

void CLyricsPluginApp::searchOnlineByHand() {
    if (!isWindowUsable()) {
        return;
    }
    if (onlineGeneration != 0) {
        abandonOnline();  // one request at a time: the user's goes first
        refreshTitleStrip();
    }
    CDlgOnlineSearch dialog(*this, pluginWnd->GetSafeHwnd(), songSignature());
    dialog.DoModal(fw::frameworkModule());
    if (dialog.chosen()) {
        useFoundRecord(*dialog.chosen());
    }
    pluginWnd->focusList();
}

void CLyricsPluginApp::useFoundRecord(const LyricsRecord& record) {
    const std::string target =
        FoundLyricsSaver(files).targetFor(record, songFile, AlternativeLRCPath);
    bool replace = false;
    if (!target.empty() && files.openShared(target)) {
        const PromptAnswer answer =
            prompt.show(PromptOwner::PluginWindow, "Replace " + target + " with the lyrics found?",
                        "Save", PromptButtons::YesNo);
        if (answer != PromptAnswer::Yes) {
            return;
        }
        replace = true;
    }
    NoNetwork none;
    OnlineLookup saving(none, files, OnlineServer);
    OnlineOutcome outcome;
    outcome.result = OnlineResult::Found;
    outcome.record = record;
    OnlineSong song;
    song.path = songFile;
    song.alternativeFolder = AlternativeLRCPath;
    saving.deliver(outcome, song, {}, replace);
    if (outcome.result != OnlineResult::Found) {
        prompt.show(PromptOwner::PluginWindow, "The lyrics could not be saved.", "Error",
                    PromptButtons::Ok);
        return;
    }
    onlineWorker.forget(songFile, missFilePath());
    reloadLyrics = 1;
    Render(visModule);
}

}  // namespace zor
