#pragma once

#include <windows.h>

#include "host/WinampVis.h"

namespace zor::hostsim {

// The host's embed function, as IPC_GET_EMBEDIF hands it out. It runs on the thread that calls
// it (the visualization thread during Init), which therefore owns the frame.
EmbedWindowFunction embedFunction();

// With a modern skin the frame is created inside a host window of its own (it has a parent);
// otherwise it is a free-standing top-level window. Set before Init.
void useModernSkin(bool modernSkin);

// The frame the embed function created last, or null.
HWND embeddedFrame();

}  // namespace zor::hostsim
