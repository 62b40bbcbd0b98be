// The key help dialog.
#include "commands/HelpDialog.h"

#include "framework/EntryGuard.h"
#include "framework/WinApp.h"
#include "host/LyricsPluginApp.h"
#include "lyrics/platform/WideText.h"
#include "resources/resource.h"

namespace zor {

namespace {

HINSTANCE libraryInstance(const CLyricsPluginApp& app) {
    const winampVisModule* module = app.visModule;
    return module != nullptr && module->hDllInstance != nullptr ? module->hDllInstance
                                                                : fw::frameworkModule();
}

}  // namespace

void runHelpDialog(CLyricsPluginApp& app) {
    ::DialogBoxParamW(libraryInstance(app), MAKEINTRESOURCEW(IDD_HELP), app.hostFrame,
                      &helpDialogProc, 0);
}

std::string helpText(HINSTANCE module) {
    const HRSRC found =
        ::FindResourceW(module, MAKEINTRESOURCEW(IDR_HELP_TEXT), MAKEINTRESOURCEW(HELP_TEXT_TYPE));
    if (found == nullptr) {
        return {};
    }
    const HGLOBAL loaded = ::LoadResource(module, found);
    const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
        return {};
    }
    return std::string(static_cast<const char*>(bytes), ::SizeofResource(module, found));
}

namespace {

INT_PTR helpDialogMessage(HWND dialog, UINT message, WPARAM wParam) {
    switch (message) {
        case WM_INITDIALOG:
            // The resource is Windows-1252 whatever the system's code page is.
            ::SetDlgItemTextW(
                dialog, IDC_HELP_TEXT,
                win::widenFrom(kHelpTextCodePage, helpText(libraryInstance(pluginApp()))).c_str());
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                ::EndDialog(dialog, 1);
            }
            return TRUE;
        case WM_CLOSE:
            ::EndDialog(dialog, 1);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK helpDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    return fw::guardEntry(
        "help dialog", [&] { return helpDialogMessage(dialog, message, wParam); },
        []() -> INT_PTR { return FALSE; });
}

}  // namespace zor
