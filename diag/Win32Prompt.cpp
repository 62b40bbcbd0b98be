// Message boxes for the plug-in on Windows.
#include "diag/Win32Prompt.h"

#include "lyrics/platform/WideText.h"

namespace zor {

namespace {

UINT buttonStyle(PromptButtons buttons) {
    switch (buttons) {
        case PromptButtons::YesNo:
            return MB_YESNO;
        case PromptButtons::YesNoCancel:
            return MB_YESNOCANCEL;
        case PromptButtons::Ok:
        default:
            return MB_OK;
    }
}

UINT iconStyle(PromptIcon icon) {
    return icon == PromptIcon::Information ? MB_ICONINFORMATION : 0;
}

PromptAnswer answerFor(int result) {
    switch (result) {
        case IDYES:
            return PromptAnswer::Yes;
        case IDNO:
            return PromptAnswer::No;
        case IDCANCEL:
            return PromptAnswer::Cancel;
        default:
            return PromptAnswer::Ok;
    }
}

}  // namespace

PromptAnswer Win32Prompt::show(PromptOwner owner, const std::string& text,
                               const std::string& caption, PromptButtons buttons, PromptIcon icon) {
    const int result =
        ::MessageBoxW(windowFor(owner), win::toWide(text).c_str(), win::toWide(caption).c_str(),
                      buttonStyle(buttons) | iconStyle(icon));
    return answerFor(result);
}

HWND Win32Prompt::windowFor(PromptOwner owner) const {
    if (owner == PromptOwner::None || !ownerWindow_) {
        return nullptr;
    }
    const HWND window = ownerWindow_(owner);
    return window != nullptr && ::IsWindow(window) ? window : nullptr;
}

}  // namespace zor
