#pragma once

#include <windows.h>

#include "framework/Dialog.h"
#include "lyrics/online/PublishRequest.h"
#include "lyrics/online/PublishText.h"

namespace zor {

// The confirmation before a publish (template 2020): the song as the host reports it, open to
// editing, the count of timed lines, the first synced lines and where they go. "Publish" ends
// the dialog with IDOK only for a song that can be sent (an artist, a title, a duration);
// otherwise it says what is missing and stays.
class CDlgPublish : public fw::CDialog {
    ZOR_MESSAGE_MAP(CDlgPublish);

  public:
    CDlgPublish(HWND owner, PublishTrack track, const PublishText& text);

    // The song as the user confirmed it.
    const PublishTrack& track() const { return track_; }

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;  // "Publish", also the ENTER key

  private:
    LRESULT onFieldChange(const fw::WindowMessage& m);  // what was refused is being mended

    PublishTrack track_;
    const PublishText& text_;
};

}  // namespace zor
