// The plain-text lyrics editor dialog.
#include "commands/DlgEditor.h"

#include <string>
#include <vector>

#include "display/PluginWnd.h"
#include "lyrics/edit/EditorText.h"
#include "lyrics/platform/WideText.h"
#include "resources/resource.h"

namespace zor {

namespace {

// The lyrics list's font at its full size.
fw::Font fontOfList(const CLyricsListBox& list) {
    const fw::WindowDC dc(list.GetSafeHwnd());
    LOGFONTW font{};
    font.lfHeight = -::MulDiv(list.FontSize, ::GetDeviceCaps(dc.get(), LOGPIXELSY), 72);
    font.lfWeight = list.FontWeight;
    font.lfItalic = static_cast<BYTE>(list.FontItalic & 0xFF);
    font.lfCharSet = ANSI_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = FIXED_PITCH;
    win::toWide(list.FontFamily).copy(font.lfFaceName, LF_FACESIZE - 1);
    return fw::Font(::CreateFontIndirectW(&font));
}

}  // namespace

const fw::MessageEntry<CDlgEditor> CDlgEditor::messages[] = {
    fw::mapCommand(IDC_SAVE_AS_LRC, &CDlgEditor::onSaveAsLrc),
    fw::mapMessage(WM_PAINT, &CDlgEditor::onPaint),
    fw::mapCtlColor(&CDlgEditor::onCtlColor),
};
const fw::MessageMap CDlgEditor::messageMap =
    fw::chainMessageMap(messages, &fw::CDialog::classMessageMap);

CDlgEditor::CDlgEditor(CPluginWnd& parent)
    : fw::CDialog(IDD_EDITOR, parent.GetSafeHwnd()),
      editorFont(fontOfList(*parent.lyricsList)),
      parentWnd(&parent) {}

BOOL CDlgEditor::OnInitDialog() {
    fw::CDialog::OnInitDialog();
    std::vector<std::string> lines;
    if (editLines != nullptr) {
        const int count = editLines->count();
        lines.reserve(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) {
            lines.push_back(editLines->text(i));
        }
    }
    const HWND edit = GetDlgItem(IDC_EDITOR_TEXT);
    ::SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(editorFont.get()), TRUE);
    SetDlgItemText(IDC_EDITOR_TEXT, joinEditorLines(lines));
    ::EnableWindow(GetDlgItem(IDOK), canSaveInMp3 != 0 ? TRUE : FALSE);
    ::SetFocus(edit);
    return FALSE;  // the focus is placed
}

void CDlgEditor::takeText() {
    if (editLines == nullptr) {
        return;
    }
    const std::vector<std::string> lines = splitEditorText(GetDlgItemText(IDC_EDITOR_TEXT));
    editLines->setRedraw(false);
    editLines->resetList();
    for (const std::string& line : lines) {
        editLines->append(line);
    }
    editLines->setRedraw(true);
}

// "Save in MP3".
void CDlgEditor::OnOK() {
    takeText();
    EndDialog(kSaveInMp3);
}

LRESULT CDlgEditor::onSaveAsLrc(const fw::WindowMessage& /*m*/) {
    takeText();
    EndDialog(kSaveAsLrc);
    return 0;
}

// Nothing of its own to paint; every repaint hands the focus back to the text.
LRESULT CDlgEditor::onPaint(const fw::WindowMessage& /*m*/) {
    { const fw::PaintDC paint(GetSafeHwnd()); }
    ::SetFocus(GetDlgItem(IDC_EDITOR_TEXT));
    return 0;
}

// The text takes the lyrics' colours; the background and brush are the plug-in window's.
LRESULT CDlgEditor::onCtlColor(const fw::WindowMessage& m) {
    switch (m.message) {
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            if (editLines != nullptr) {
                ::SetTextColor(reinterpret_cast<HDC>(m.wParam), editLines->TXTColor);
            }
            break;
        default:
            break;
    }
    return parentWnd->SendMessage(m.message, m.wParam, m.lParam);
}

}  // namespace zor
