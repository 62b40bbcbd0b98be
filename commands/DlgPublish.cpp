// The publish confirmation: what will be sent, and the last word before it is.
#include "commands/DlgPublish.h"

#include <string>

#include "lyrics/model/TextFunctions.h"
#include "lyrics/online/PublishSummary.h"
#include "resources/resource.h"

namespace zor {

const fw::MessageEntry<CDlgPublish> CDlgPublish::messages[] = {
    fw::mapCommand(IDC_PUBLISH_ARTIST, EN_CHANGE, &CDlgPublish::onFieldChange),
    fw::mapCommand(IDC_PUBLISH_TITLE, EN_CHANGE, &CDlgPublish::onFieldChange),
    fw::mapCommand(IDC_PUBLISH_DURATION, EN_CHANGE, &CDlgPublish::onFieldChange),
};
const fw::MessageMap CDlgPublish::messageMap =
    fw::chainMessageMap(messages, &fw::CDialog::classMessageMap);

CDlgPublish::CDlgPublish(HWND owner, PublishTrack track, const PublishText& text)
    : fw::CDialog(IDD_PUBLISH, owner), track_(std::move(track)), text_(text) {}

BOOL CDlgPublish::OnInitDialog() {
    fw::CDialog::OnInitDialog();
    SetDlgItemText(IDC_PUBLISH_ARTIST, track_.artist);
    SetDlgItemText(IDC_PUBLISH_TITLE, track_.title);
    SetDlgItemText(IDC_PUBLISH_ALBUM, track_.album);
    SetDlgItemText(IDC_PUBLISH_DURATION, secondsText(track_.durationSeconds));
    SetDlgItemText(IDC_PUBLISH_COUNT, timedLinesText(text_.timedLines));
    SetDlgItemText(IDC_PUBLISH_PREVIEW, withCrLf(publishPreview(text_)));
    SetDlgItemText(IDC_PUBLISH_PUBLIC, publicSentence("lrclib.net"));
    return TRUE;
}

LRESULT CDlgPublish::onFieldChange(const fw::WindowMessage& /*m*/) {
    SetDlgItemText(IDC_PUBLISH_STATUS, "");
    return 0;
}

void CDlgPublish::OnOK() {
    PublishTrack track;
    track.artist = trimSpaces(GetDlgItemText(IDC_PUBLISH_ARTIST));
    track.title = trimSpaces(GetDlgItemText(IDC_PUBLISH_TITLE));
    track.album = trimSpaces(GetDlgItemText(IDC_PUBLISH_ALBUM));
    track.durationSeconds =
        parseSeconds(trimSpaces(GetDlgItemText(IDC_PUBLISH_DURATION))).value_or(0);
    const std::string problem = publishTrackProblem(track);
    if (!problem.empty()) {
        SetDlgItemText(IDC_PUBLISH_STATUS, problem);
        return;
    }
    track_ = std::move(track);
    EndDialog(IDOK);
}

}  // namespace zor
