// The live timing adjustment of precise timing: the two keys that nudge the current song, and
// the notice in the title strip that says where the adjustment stands.
#include <string>

#include "display/PluginWnd.h"
#include "host/LyricsPluginApp.h"
#include "lyrics/model/TagTime.h"

namespace zor {

namespace {

constexpr DWORD kNoticeMs = 2000;

// A tick count of 0 means no notice; a notice that would end on it ends a tick later.
DWORD noticeEndFrom(DWORD now) {
    const DWORD end = now + kNoticeMs;
    return end == 0 ? 1 : end;
}

}  // namespace

void CLyricsPluginApp::nudgeTiming(int stepMs) {
    adjustTiming(stepMs);
    noticeEnd = noticeEndFrom(::GetTickCount());
    lastSecond = -1;  // the highlight follows the new timing at once
    if (isWindowUsable()) {
        pluginWnd->titleStrip->Invalidate();
        pluginWnd->titleStrip->UpdateWindow();
    }
    Render(visModule);
}

std::string CLyricsPluginApp::timingNotice() const {
    if (noticeEnd == 0) {
        return std::string();
    }
    return adjustmentNotice(liveAdjustMs);
}

void CLyricsPluginApp::endExpiredNotice() {
    // Compared as a difference, so that the tick count wrapping around does no harm.
    if (noticeEnd == 0 || static_cast<LONG>(::GetTickCount() - noticeEnd) < 0) {
        return;
    }
    noticeEnd = 0;
    if (isWindowUsable()) {
        pluginWnd->titleStrip->Invalidate();
    }
}

}  // namespace zor
