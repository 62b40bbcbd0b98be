// The oscilloscope surface and its frames. Without a surface the band stays in its background
// colour; the render cycle and Quit call these in every case.
#include "host/LyricsPluginApp.h"

namespace zor {

void CLyricsPluginApp::createOscSurface() {}

void CLyricsPluginApp::releaseOscSurface() {}

void CLyricsPluginApp::drawOscFrame() {}

}  // namespace zor
