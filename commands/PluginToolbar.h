#pragma once

#include <windows.h>

#include "framework/Static.h"

namespace zor {

class CLyricsPluginApp;

// A static strip of the plug-in window: the toolbar row, the song-title strip inside it and the
// oscilloscope's window.
class CPluginToolbar : public fw::CStatic {
  public:
    explicit CPluginToolbar(CLyricsPluginApp& owner) : app(&owner) {}

    CLyricsPluginApp* app;
};

}  // namespace zor
