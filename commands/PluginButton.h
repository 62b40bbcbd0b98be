#pragma once

#include <windows.h>

#include <string>
#include <utility>

#include "framework/Button.h"

namespace zor {

class CLyricsPluginApp;

// One owner-drawn toolbar button: a command id, an icon resource and a tooltip text.
class CPluginButton : public fw::CButton {
  public:
    CPluginButton(CLyricsPluginApp& owner, int iconResource, std::string tooltipText)
        : app(&owner), icon(iconResource), tooltip(std::move(tooltipText)) {}

    bool createButton(HWND parent, UINT id) {
        return Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, RECT{0, 0, 20, 20}, parent, id);
    }

    void setTooltip(const std::string& text) { tooltip = text; }
    void setIcon(int iconResource) { icon = iconResource; }

    CLyricsPluginApp* app;
    int icon;
    std::string tooltip;
};

}  // namespace zor
