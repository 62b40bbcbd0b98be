#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace zor::hostsim {

// Every window of the thread (its top-level windows and all their descendants).
std::vector<HWND> windowsOfThread(DWORD threadId);

// The thread's control with that id: a visible one if there is one, else any.
HWND controlWithId(DWORD threadId, int controlId);

// The centre of the window's client area, in screen coordinates.
POINT clickPointOf(HWND window);

// A point of the window's client area that none of its visible children covers (the centre if
// it is free, else the first free point of a grid over it), in screen coordinates; none when
// the children cover it all.
std::optional<POINT> uncoveredPointOf(HWND window);

// The dump of the plug-in's visible lyrics list: the mode line, the list line and its items.
std::vector<std::string> dumpVisibleList(DWORD threadId);

}  // namespace zor::hostsim
