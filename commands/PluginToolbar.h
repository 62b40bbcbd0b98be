#pragma once

#include <windows.h>

#include "framework/Static.h"

namespace zor {

class CLyricsPluginApp;

// A static strip of the plug-in window: the toolbar row (it runs its buttons' commands), the
// song-title strip inside it (owner-drawn) and the oscilloscope's pane.
class CPluginToolbar : public fw::CStatic {
    ZOR_MESSAGE_MAP(CPluginToolbar);

  public:
    explicit CPluginToolbar(CLyricsPluginApp& owner) : app(&owner) {}

    CLyricsPluginApp* app;

  private:
    LRESULT onDrawTitle(const fw::WindowMessage& m);
    LRESULT onTimeTags(const fw::WindowMessage& m);
    LRESULT onHelpOrSave(const fw::WindowMessage& m);
    LRESULT onTextEditor(const fw::WindowMessage& m);
    LRESULT onRefresh(const fw::WindowMessage& m);
    LRESULT onConfig(const fw::WindowMessage& m);
    LRESULT onSongInfo(const fw::WindowMessage& m);
};

}  // namespace zor
