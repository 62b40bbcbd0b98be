#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "config/ConfigDialogChoices.h"
#include "framework/Gdi.h"

namespace zor {

class CLyricsPluginApp;

// The system's colour and font choosers, behind a seam so that a chosen result can be handed to
// the dialog's operations without a user at the chooser.
class ConfigChoosers {
  public:
    virtual ~ConfigChoosers() = default;
    // The chosen colour, or nothing when the user cancels.
    virtual std::optional<Colour> chooseColour(HWND owner, Colour initial) = 0;
    // The chosen font, or nothing when the user cancels.
    virtual std::optional<FontChoice> chooseFont(HWND owner, const LOGFONTW& initial) = 0;
};

// The real choosers of the platform's common dialogs.
class SystemChoosers final : public ConfigChoosers {
  public:
    std::optional<Colour> chooseColour(HWND owner, Colour initial) override;
    std::optional<FontChoice> chooseFont(HWND owner, const LOGFONTW& initial) override;
};

// The configuration dialog (resource 101) over the application's settings. It keeps no state of
// its own but the brushes its colour swatches are painted with, which live as long as it is open.
// Check boxes take effect through OK; colours, the font and the folder at once.
class ConfigDialog {
  public:
    ConfigDialog(CLyricsPluginApp& app, ConfigChoosers& choosers);
    ~ConfigDialog() = default;
    ConfigDialog(const ConfigDialog&) = delete;
    ConfigDialog& operator=(const ConfigDialog&) = delete;

    // Runs the dialog modally from module, owned by owner; -1 when it cannot be made.
    INT_PTR run(HINSTANCE module, HWND owner);

    // Nonzero for a message it handled; for a colour request the brush, or zero.
    INT_PTR configDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    void setCheckFromSetting(int controlId, int setting);
    int settingFromCheck(int controlId) const;
    std::string dialogText(int controlId) const;
    void showFontSummary();
    // The brush a colour swatch is painted with; zero for any other static control.
    HBRUSH swatchBrush(HWND control);
    // A click at (x, y), dialog client coordinates, on a swatch opens the colour chooser.
    void pickColour(int x, int y, Colour& setting, int controlId);
    // A click on the font summary opens the font chooser.
    void pickFont(int x, int y);
    void browseAlternativePath();

  private:
    ConfigSettings settings() const;
    void initialise(HWND dialog);
    void onCommand(int controlId);
    void onLeftButtonDown(int x, int y);
    void close();
    void takeCodePage();
    bool hitsControl(int x, int y, int controlId) const;
    void repaintPluginWindow();
    void repaintControl(int controlId);
    void replaceOscPen(Colour colour);

    CLyricsPluginApp& app_;
    ConfigChoosers& choosers_;
    HWND dialog_ = nullptr;
    std::array<fw::Brush, std::size(kSwatchIds)> swatchBrushes_;
};

}  // namespace zor
