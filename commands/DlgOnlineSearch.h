#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "framework/Dialog.h"
#include "lyrics/online/LyricsRecord.h"

namespace zor {

class CLyricsPluginApp;

// The search by hand (template 2010): artist, title and album as the host reports them, open
// to editing; "Search" runs the search on the online worker, whose answer comes back to this
// dialog as a message, so the dialog never waits for the network; a record's lyrics show when
// it is selected, and "Use" ends the dialog with that record chosen.
class CDlgOnlineSearch : public fw::CDialog {
    ZOR_MESSAGE_MAP(CDlgOnlineSearch);

  public:
    CDlgOnlineSearch(CLyricsPluginApp& app, HWND owner, TrackSignature song);

    // The record "Use" chose; none when the dialog was closed.
    const std::optional<LyricsRecord>& chosen() const { return chosen_; }

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;  // "Search", also the ENTER key

  private:
    void showRecords();
    LRESULT onAnswer(const fw::WindowMessage& m);
    LRESULT onSelect(const fw::WindowMessage& m);
    LRESULT onUse(const fw::WindowMessage& m);

    CLyricsPluginApp& app_;
    TrackSignature song_;
    std::uint32_t generation_ = 0;  // the search under way; 0 for none
    std::vector<LyricsRecord> records_;
    std::optional<LyricsRecord> chosen_;
};

// Posted by the online worker to the dialog; wParam is the search's generation.
inline constexpr UINT kSearchAnswerMessage = WM_APP + 3;

// One line of the result list: title, artist, album, duration (m:ss), and synced, plain or
// instrumental, separated by tabs.
std::string recordLine(const LyricsRecord& record);

}  // namespace zor
