#pragma once

#include <windows.h>

#include <string>

namespace zor::hostsim {

// Copies the window's pixels, as they are on the screen, into a 24-bit BMP file. Throws
// HostError when the window is gone or the file cannot be written.
void writeWindowShot(HWND window, const std::string& path);

}  // namespace zor::hostsim
