// The search by hand: the dialog that asks the online worker and lists what it found.
#include "commands/DlgOnlineSearch.h"

#include <cmath>
#include <string>

#include "host/LyricsPluginApp.h"
#include "lyrics/model/TextFunctions.h"
#include "lyrics/platform/WideText.h"
#include "resources/resource.h"

namespace zor {

namespace {

constexpr const char* kSearching = "Searching lrclib.net\xE2\x80\xA6";

std::string minutesAndSeconds(double seconds) {
    const long long whole = std::llround(seconds);
    const long long rest = whole % 60;
    return std::to_string(whole / 60) + ":" + (rest < 10 ? "0" : "") + std::to_string(rest);
}

std::string statusOf(const OnlineSearch& listing) {
    switch (listing.result) {
        case OnlineResult::Found:
            return listing.records.empty()
                       ? "Nothing found"
                       : std::to_string(listing.records.size()) +
                             (listing.records.size() == 1 ? " record" : " records");
        case OnlineResult::NotFound:
            return "Nothing found";
        case OnlineResult::Unreachable:
            return listing.failure == HttpFailure::NoAnswer ||
                           listing.failure == HttpFailure::Timeout
                       ? "lrclib.net: no answer"
                       : std::string("lrclib.net: ") + failureName(listing.failure);
        case OnlineResult::Busy:
            return "lrclib.net: busy, try later";
        case OnlineResult::Cancelled:
            return "Cancelled";
        default:
            return "lrclib.net: unexpected answer";
    }
}

}  // namespace

std::string recordLine(const LyricsRecord& record) {
    const char* kind = record.hasSynced() ? "synced" : record.hasPlain() ? "plain" : "instrumental";
    return record.trackName + "\t" + record.artistName + "\t" + record.albumName.value_or("") +
           "\t" + minutesAndSeconds(record.duration) + "\t" + kind;
}

const fw::MessageEntry<CDlgOnlineSearch> CDlgOnlineSearch::messages[] = {
    fw::mapMessage(kSearchAnswerMessage, &CDlgOnlineSearch::onAnswer),
    fw::mapCommand(IDC_SEARCH_RESULTS, LBN_SELCHANGE, &CDlgOnlineSearch::onSelect),
    fw::mapCommand(IDC_SEARCH_USE, BN_CLICKED, &CDlgOnlineSearch::onUse),
};
const fw::MessageMap CDlgOnlineSearch::messageMap =
    fw::chainMessageMap(messages, &fw::CDialog::classMessageMap);

CDlgOnlineSearch::CDlgOnlineSearch(CLyricsPluginApp& app, HWND owner, TrackSignature song)
    : fw::CDialog(IDD_ONLINE_SEARCH, owner), app_(app), song_(std::move(song)) {}

BOOL CDlgOnlineSearch::OnInitDialog() {
    fw::CDialog::OnInitDialog();
    SetDlgItemText(IDC_SEARCH_ARTIST, song_.artist);
    SetDlgItemText(IDC_SEARCH_TITLE, song_.title);
    SetDlgItemText(IDC_SEARCH_ALBUM, song_.album);
    // Tab stops in dialog units: title, artist, album, duration, kind.
    const INT stops[] = {110, 200, 290, 330};
    ::SendMessageW(GetDlgItem(IDC_SEARCH_RESULTS), LB_SETTABSTOPS, 4,
                   reinterpret_cast<LPARAM>(stops));
    return TRUE;
}

void CDlgOnlineSearch::OnOK() {
    TrackSignature signature = song_;  // the length stays the song's
    signature.artist = GetDlgItemText(IDC_SEARCH_ARTIST);
    signature.title = GetDlgItemText(IDC_SEARCH_TITLE);
    signature.album = GetDlgItemText(IDC_SEARCH_ALBUM);
    records_.clear();
    showRecords();
    if (signature.title.empty()) {
        SetDlgItemText(IDC_SEARCH_STATUS, "A title is needed");
        return;
    }
    generation_ =
        app_.onlineWorker.search(signature, app_.OnlineServer, GetSafeHwnd(), kSearchAnswerMessage);
    SetDlgItemText(IDC_SEARCH_STATUS, generation_ != 0 ? kSearching : "The search cannot run");
}

void CDlgOnlineSearch::showRecords() {
    const HWND list = GetDlgItem(IDC_SEARCH_RESULTS);
    ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const LyricsRecord& record : records_) {
        ::SendMessageW(list, LB_ADDSTRING, 0,
                       reinterpret_cast<LPARAM>(win::toWide(recordLine(record)).c_str()));
    }
    SetDlgItemText(IDC_SEARCH_PREVIEW, "");
    ::EnableWindow(GetDlgItem(IDC_SEARCH_USE), FALSE);
}

LRESULT CDlgOnlineSearch::onAnswer(const fw::WindowMessage& m) {
    const auto generation = static_cast<std::uint32_t>(m.wParam);
    std::optional<OnlineAnswer> answer = app_.onlineWorker.take(generation);
    if (!answer || answer->kind != OnlineJobKind::Search || generation != generation_) {
        return 0;  // an earlier search's
    }
    generation_ = 0;
    const std::string status = statusOf(answer->listing);
    records_ = std::move(answer->listing.records);
    showRecords();
    SetDlgItemText(IDC_SEARCH_STATUS, status);
    return 0;
}

LRESULT CDlgOnlineSearch::onSelect(const fw::WindowMessage& /*m*/) {
    const auto index =
        static_cast<int>(::SendMessageW(GetDlgItem(IDC_SEARCH_RESULTS), LB_GETCURSEL, 0, 0));
    if (index < 0 || static_cast<std::size_t>(index) >= records_.size()) {
        return 0;
    }
    const LyricsRecord& record = records_[static_cast<std::size_t>(index)];
    const std::string text = record.hasSynced()  ? *record.syncedLyrics
                             : record.hasPlain() ? *record.plainLyrics
                                                 : "(instrumental)";
    SetDlgItemText(IDC_SEARCH_PREVIEW, withCrLf(text));
    ::EnableWindow(GetDlgItem(IDC_SEARCH_USE),
                   record.hasSynced() || record.hasPlain() ? TRUE : FALSE);
    return 0;
}

LRESULT CDlgOnlineSearch::onUse(const fw::WindowMessage& /*m*/) {
    const auto index =
        static_cast<int>(::SendMessageW(GetDlgItem(IDC_SEARCH_RESULTS), LB_GETCURSEL, 0, 0));
    if (index < 0 || static_cast<std::size_t>(index) >= records_.size()) {
        return 0;
    }
    chosen_ = records_[static_cast<std::size_t>(index)];
    EndDialog(IDOK);
    return 0;
}

}  // namespace zor
