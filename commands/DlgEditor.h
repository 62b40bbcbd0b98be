#pragma once

#include <windows.h>

#include "framework/Dialog.h"
#include "framework/Gdi.h"

namespace zor {

class CPluginWnd;
class CLyricsListBox;

// The plain-text lyrics editor (template 2000). It moves the lines of one list into its edit
// control and, on either save button, back into the list; the caller saves and reloads.
class CDlgEditor : public fw::CDialog {
    ZOR_MESSAGE_MAP(CDlgEditor);

  public:
    // Dialog results the caller acts on; anything else means nothing changed.
    static constexpr INT_PTR kSaveInMp3 = -1;
    static constexpr INT_PTR kSaveAsLrc = -2;

    explicit CDlgEditor(CPluginWnd& parent);

    void setEditLines(CLyricsListBox& lines) { editLines = &lines; }
    void setCanSaveInMp3(bool enabled) { canSaveInMp3 = enabled ? 1 : 0; }

    fw::Font editorFont;
    CPluginWnd* parentWnd;
    CLyricsListBox* editLines = nullptr;
    int canSaveInMp3 = 0;

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

  private:
    // Puts the edit control's text back into editLines.
    void takeText();

    LRESULT onSaveAsLrc(const fw::WindowMessage& m);
    LRESULT onPaint(const fw::WindowMessage& m);
    LRESULT onCtlColor(const fw::WindowMessage& m);
};

}  // namespace zor
