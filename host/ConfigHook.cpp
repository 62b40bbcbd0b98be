// Config's dialog. Until the configuration dialog exists, Config only loads and saves.
#include "host/LyricsPluginApp.h"

namespace zor {

void CLyricsPluginApp::runConfigDialog(HWND /*owner*/) {}

}  // namespace zor
