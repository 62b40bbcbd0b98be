#include "framework/Dialog.h"

#include "framework/EntryGuard.h"
#include "framework/WinApp.h"

namespace zor::fw {

const MessageEntry<CDialog> CDialog::messages[] = {
    mapMessage(WM_INITDIALOG, &CDialog::onInitDialogMessage),
    mapCommand(IDOK, &CDialog::onOkCommand),
    mapCommand(IDCANCEL, &CDialog::onCancelCommand),
};
const MessageMap CDialog::messageMap = chainMessageMap(messages, &CWnd::classMessageMap);

INT_PTR CDialog::DoModal(HINSTANCE module) {
    // The W form makes the dialog and its controls Unicode windows.
    return ::DialogBoxParamW(module != nullptr ? module : frameworkModule(),
                             MAKEINTRESOURCEW(templateId_), owner_, &CDialog::DialogProcedure,
                             reinterpret_cast<LPARAM>(this));
}

void CDialog::EndDialog(INT_PTR result) {
    if (GetSafeHwnd() != nullptr) {
        ::EndDialog(GetSafeHwnd(), result);
    }
}

// Only WM_INITDIALOG is answered here: it attaches the object. Every later message reaches the
// object through the subclass first; what it leaves to Default comes back here and is left to
// the system (FALSE).
INT_PTR CALLBACK CDialog::DialogProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_INITDIALOG) {
        return FALSE;
    }
    return guardEntry(
        "dialog procedure",
        [&]() -> INT_PTR {
            auto* dialog = reinterpret_cast<CDialog*>(lParam);
            if (dialog == nullptr || FromHandle(hwnd) != nullptr || !dialog->SubclassWindow(hwnd)) {
                return TRUE;
            }
            return dialog->HandleMessage(WindowMessage{message, wParam, lParam});
        },
        []() -> INT_PTR { return TRUE; });  // the system sets the focus, as without a handler
}

LRESULT CDialog::onInitDialogMessage(const WindowMessage& /*m*/) {
    return OnInitDialog();
}

LRESULT CDialog::onOkCommand(const WindowMessage& /*m*/) {
    OnOK();
    return 0;
}

LRESULT CDialog::onCancelCommand(const WindowMessage& /*m*/) {
    OnCancel();
    return 0;
}

}  // namespace zor::fw
