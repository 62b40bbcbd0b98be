#pragma once

#include <windows.h>

#include <string>

namespace zor {

class CLyricsPluginApp;

// Runs the help dialog modally from the library's resources, owned by the host frame.
void runHelpDialog(CLyricsPluginApp& app);

// The help dialog's procedure (template 106): it shows the key help text resource unchanged.
INT_PTR CALLBACK helpDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The help text resource's bytes, exactly as many as the resource holds (it has no terminating
// zero); empty when the resource is missing. The bytes are Windows-1252 (0x92 is the right
// single quote), CR LF.
std::string helpText(HINSTANCE module);
inline constexpr UINT kHelpTextCodePage = 1252;

}  // namespace zor
