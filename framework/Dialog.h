#pragma once

#include <windows.h>

#include "framework/Wnd.h"

namespace zor::fw {

// A modal dialog from a dialog template resource. At WM_INITDIALOG the dialog window is
// subclassed, so from then on its messages go through the message maps like any window's and
// Default() is the system dialog procedure (DefDlgProc). Controls are reached by id
// (GetDlgItem, SetDlgItemText, ..., or SubclassDlgItem for a control object); they still exist
// when the dialog gets WM_DESTROY, the place to tidy them up.
class CDialog : public CWnd {
    ZOR_MESSAGE_MAP(CDialog);

  public:
    CDialog(UINT templateId, HWND owner) : templateId_(templateId), owner_(owner) {}

    // Runs the dialog from the template in module (the framework's module when null); answers
    // the value given to EndDialog, or -1 when the dialog could not be made.
    INT_PTR DoModal(HINSTANCE module = nullptr);
    void EndDialog(INT_PTR result);

  protected:
    // Answers TRUE to let the system put the focus on the first control.
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }  // also ESC and the close box

  private:
    static INT_PTR CALLBACK DialogProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onInitDialogMessage(const WindowMessage& m);
    LRESULT onOkCommand(const WindowMessage& m);
    LRESULT onCancelCommand(const WindowMessage& m);

    UINT templateId_;
    HWND owner_;
};

}  // namespace zor::fw
