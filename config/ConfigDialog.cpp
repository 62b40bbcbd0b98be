// The configuration dialog: check boxes for the switches, colour swatches, the font summary and
// the alternative lyrics folder. Config runs it, from the host's preferences or from F12.
#include "config/ConfigDialog.h"

#include <commdlg.h>

#include <cwchar>
#include <string>

#include "config/DlgGetPath.h"
#include "display/PluginWnd.h"
#include "framework/EntryGuard.h"
#include "host/LyricsPluginApp.h"
#include "lyrics/platform/WideText.h"
#include "lyrics/ports/ErrorReport.h"
#include "resources/resource.h"

namespace zor {

namespace {

constexpr const char* kErrorCaption = "Error";

// The dialog procedure the template runs with; every message goes to the dialog object, which
// the initialisation message brings along.
INT_PTR CALLBACK configDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    }
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the object the dialog was started with
    auto* object = reinterpret_cast<ConfigDialog*>(::GetWindowLongPtrW(dialog, DWLP_USER));
    if (object == nullptr) {
        return FALSE;
    }
    return fw::guardEntry(
        "configuration dialog",
        [&] { return object->configDialogProc(dialog, message, wParam, lParam); },
        []() -> INT_PTR { return FALSE; });
}

// A mouse position in a message's second parameter; negative beyond the left or top edge.
int pointX(LPARAM lParam) {
    return static_cast<short>(LOWORD(static_cast<DWORD_PTR>(lParam)));
}
int pointY(LPARAM lParam) {
    return static_cast<short>(HIWORD(static_cast<DWORD_PTR>(lParam)));
}

std::size_t swatchIndex(int controlId) {
    std::size_t index = 0;
    while (index < std::size(kSwatchIds) && kSwatchIds[index] != controlId) {
        ++index;
    }
    return index;
}

}  // namespace

// ---- the system's choosers ------------------------------------------------------------------

std::optional<Colour> SystemChoosers::chooseColour(HWND owner, Colour initial) {
    std::array<COLORREF, 16> customColours{};  // all black, not remembered between openings
    CHOOSECOLORW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.rgbResult = initial;
    request.lpCustColors = customColours.data();
    request.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR;
    if (::ChooseColorW(&request) == FALSE) {
        return std::nullopt;
    }
    return static_cast<Colour>(request.rgbResult);
}

std::optional<FontChoice> SystemChoosers::chooseFont(HWND owner, const LOGFONTW& initial) {
    LOGFONTW font = initial;
    CHOOSEFONTW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpLogFont = &font;
    request.Flags = CF_SCREENFONTS | CF_PRINTERFONTS | CF_INITTOLOGFONTSTRUCT;
    request.rgbColors = 0;
    if (::ChooseFontW(&request) == FALSE) {
        return std::nullopt;
    }
    FontChoice choice;
    choice.faceName =
        win::toUtf8(std::wstring_view(font.lfFaceName, wcsnlen(font.lfFaceName, LF_FACESIZE)));
    choice.weight = static_cast<int>(font.lfWeight);
    choice.italic = font.lfItalic;
    choice.pointSizeTenths = request.iPointSize;
    return choice;
}

// ---- Config's dialog ------------------------------------------------------------------------

void CLyricsPluginApp::runConfigDialog(HWND owner) {
    SystemChoosers choosers;
    ConfigDialog dialog(*this, choosers);
    const HINSTANCE module = visModule != nullptr && visModule->hDllInstance != nullptr
                                 ? visModule->hDllInstance
                                 : fw::frameworkModule();
    dialog.run(module, owner);
}

ConfigDialog::ConfigDialog(CLyricsPluginApp& app, ConfigChoosers& choosers)
    : app_(app), choosers_(choosers) {}

INT_PTR ConfigDialog::run(HINSTANCE module, HWND owner) {
    return ::DialogBoxParamW(module, MAKEINTRESOURCEW(IDD_CONFIG), owner, &configDialogProcedure,
                             reinterpret_cast<LPARAM>(this));
}

ConfigSettings ConfigDialog::settings() const {
    return ConfigSettings{app_, *app_.pluginWnd, *app_.pluginWnd->lyricsList};
}

INT_PTR ConfigDialog::configDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            initialise(dialog);
            return TRUE;
        case WM_COMMAND:
            onCommand(LOWORD(wParam));
            return TRUE;
        case WM_CLOSE:
            close();
            return TRUE;
        case WM_CTLCOLORSTATIC:
            // NOLINTNEXTLINE(performance-no-int-to-ptr): the control asking for its colours
            return reinterpret_cast<INT_PTR>(swatchBrush(reinterpret_cast<HWND>(lParam)));
        case WM_LBUTTONDOWN:
            onLeftButtonDown(pointX(lParam), pointY(lParam));
            return FALSE;
        case WM_DESTROY:
            // Nothing of the dialog outlives it: the swatch brushes go with it.
            for (fw::Brush& brush : swatchBrushes_) {
                brush.reset();
            }
            app_.configDialog = nullptr;
            dialog_ = nullptr;
            return FALSE;
        default:
            return FALSE;
    }
}

void ConfigDialog::initialise(HWND dialog) {
    dialog_ = dialog;
    app_.configDialog = dialog;
    ::SetDlgItemTextW(dialog_, IDC_ALTERNATIVE_PATH, win::toWide(app_.AlternativeLRCPath).c_str());
    ::SetDlgItemInt(dialog_, IDC_CODE_PAGE, static_cast<UINT>(app_.CodePage), FALSE);
    const ConfigSettings current = settings();
    for (int id : kCheckBoxIds) {
        setCheckFromSetting(id, *checkBoxSetting(current, id));
    }
    ::SetDlgItemTextW(dialog_, IDC_LATENCY_MS, std::to_wstring(app_.LatencyMs).c_str());
    showFontSummary();
}

void ConfigDialog::onCommand(int controlId) {
    switch (controlId) {
        case IDOK: {
            const ConfigSettings current = settings();
            for (int id : kCheckBoxIds) {
                *checkBoxSetting(current, id) = settingFromCheck(id);
            }
            takeCodePage();
            app_.LatencyMs = latencyFromText(dialogText(IDC_LATENCY_MS)).value_or(app_.LatencyMs);
            close();
            break;
        }
        case IDCANCEL:
            close();
            break;
        case IDC_BROWSE_PATH:
            browseAlternativePath();
            break;
        default:
            break;
    }
}

// A code page the system does not know would read no file; the setting then stays as it was.
void ConfigDialog::takeCodePage() {
    BOOL isNumber = FALSE;
    const UINT codePage = ::GetDlgItemInt(dialog_, IDC_CODE_PAGE, &isNumber, FALSE);
    if (isNumber != FALSE && (codePage == 0 || ::IsValidCodePage(codePage) != FALSE)) {
        app_.CodePage = static_cast<int>(codePage);
    }
}

// Closing takes the same way for OK, Cancel and the close box: the new settings reach the
// window only while the lyrics list shows.
void ConfigDialog::close() {
    ::EndDialog(dialog_, 1);
    if (app_.isWindowUsable(app_.pluginWnd->lyricsList.get(), true)) {
        app_.pluginWnd->layoutChildren();
        app_.refreshLyrics();
    }
}

void ConfigDialog::setCheckFromSetting(int controlId, int setting) {
    // The template leaves every box unticked.
    if (setting != 0) {
        ::CheckDlgButton(dialog_, controlId, BST_CHECKED);
    }
}

int ConfigDialog::settingFromCheck(int controlId) const {
    return ::IsDlgButtonChecked(dialog_, controlId) == BST_CHECKED ? 1 : 0;
}

std::string ConfigDialog::dialogText(int controlId) const {
    std::array<wchar_t, 32> text{};
    ::GetDlgItemTextW(dialog_, controlId, text.data(), static_cast<int>(text.size()));
    return win::toUtf8(std::wstring_view(text.data(), wcsnlen(text.data(), text.size())));
}

void ConfigDialog::showFontSummary() {
    ::SetDlgItemTextW(dialog_, IDC_FONT_SUMMARY, win::toWide(fontSummary(settings().list)).c_str());
}

// Each colour request gets a new brush; the swatch's previous one has done its painting by then.
HBRUSH ConfigDialog::swatchBrush(HWND control) {
    const int controlId = ::GetDlgCtrlID(control);
    const Colour* colour = swatchColour(settings(), controlId);
    if (colour == nullptr) {
        return nullptr;
    }
    if (controlId == kOscColourSwatchId) {
        replaceOscPen(settings().window.OscColor);
    }
    fw::Brush& brush = swatchBrushes_[swatchIndex(controlId)];
    brush.reset(::CreateSolidBrush(*colour));
    return brush.get();
}

// The oscilloscope draws with the line colour from its next frame on. The new pen is selected
// before the old one is deleted, so the surface never holds a deleted pen.
void ConfigDialog::replaceOscPen(Colour colour) {
    fw::Pen pen(::CreatePen(PS_SOLID, 1, colour));
    if (app_.oscDC) {
        ::SelectObject(app_.oscDC.get(), pen.get());
    }
    app_.oscPen = std::move(pen);
}

bool ConfigDialog::hitsControl(int x, int y, int controlId) const {
    const HWND control = ::GetDlgItem(dialog_, controlId);
    if (control == nullptr) {
        return false;
    }
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&rect), 2);
    return hitsRect(x, y, rect.left, rect.top, rect.right, rect.bottom);
}

void ConfigDialog::onLeftButtonDown(int x, int y) {
    const ConfigSettings current = settings();
    for (int id : kSwatchIds) {
        pickColour(x, y, *swatchColour(current, id), id);
    }
    pickFont(x, y);
}

void ConfigDialog::repaintPluginWindow() {
    if (app_.isWindowUsable()) {
        app_.pluginWnd->Invalidate();
        app_.pluginWnd->UpdateWindow();
    }
}

void ConfigDialog::repaintControl(int controlId) {
    const HWND control = ::GetDlgItem(dialog_, controlId);
    ::InvalidateRect(control, nullptr, TRUE);
    ::UpdateWindow(control);
}

void ConfigDialog::pickColour(int x, int y, Colour& setting, int controlId) {
    if (!hitsControl(x, y, controlId)) {
        return;
    }
    const std::optional<Colour> chosen =
        choosers_.chooseColour(::GetDlgItem(dialog_, controlId), setting);
    if (!chosen) {
        return;
    }
    setting = *chosen;
    repaintPluginWindow();
    repaintControl(controlId);
}

void ConfigDialog::pickFont(int x, int y) {
    app_.measureLineHeight();  // the chooser starts from the font in use
    if (!hitsControl(x, y, kFontSummaryId)) {
        return;
    }
    const bool wasOneLine = app_.isReducedMode();
    const std::optional<FontChoice> chosen = choosers_.chooseFont(dialog_, app_.chosenFont);
    if (!chosen) {
        return;
    }
    applyFontChoice(settings().list, *chosen);
    app_.measureLineHeight();
    app_.reloadLyrics = 1;  // the next render call rebuilds the lists at the new line height
    if (app_.pluginWnd->lyricsList->IsWindow()) {
        repaintPluginWindow();
        repaintControl(kFontSummaryId);
        app_.Render(app_.visModule);
        if (wasOneLine && !app_.isReducedMode()) {
            app_.doOneLine();  // back to one line, at the new line height
        }
    }
    showFontSummary();
}

void ConfigDialog::browseAlternativePath() {
    CDlgGetPath browser(dialog_);
    browser.SetPath(browserStartPath(app_.AlternativeLRCPath));
    const INT_PTR result = browser.DoModal();
    if (result == -1) {
        const auto code = static_cast<int>(::GetLastError());
        reportError(app_.prompt, PromptOwner::ConfigDialog, code, kErrorCaption);
        return;
    }
    if (result == IDOK) {
        app_.AlternativeLRCPath = storedAlternativePath(browser.GetPath());
        ::SetDlgItemTextW(dialog_, IDC_ALTERNATIVE_PATH,
                          win::toWide(app_.AlternativeLRCPath).c_str());
    }
}

}  // namespace zor
