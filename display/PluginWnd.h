#pragma once

#include <windows.h>

#include <memory>

#include "commands/PluginButton.h"
#include "commands/PluginToolbar.h"
#include "display/LyricsListBox.h"
#include "framework/FrameWnd.h"
#include "framework/Gdi.h"
#include "lyrics/ports/Settings.h"

namespace zor {

class CLyricsPluginApp;

// The plug-in's own window inside the host frame: the two lyrics lists above a 50-pixel band with
// the oscilloscope and the toolbar. It holds the window colours (its settings) and their brushes.
class CPluginWnd : public fw::CFrameWnd, public WindowColours {
    ZOR_MESSAGE_MAP(CPluginWnd);

  public:
    explicit CPluginWnd(CLyricsPluginApp& owner);
    ~CPluginWnd() override;
    CPluginWnd(const CPluginWnd&) = delete;
    CPluginWnd& operator=(const CPluginWnd&) = delete;

    // Creates the window as a child of hostFrame, then its children; false when the window
    // itself could not be made.
    bool createPluginWindow(HWND hostFrame);
    void refreshColours();
    void layoutChildren();
    void collapseChildren(int width, int height);
    void focusList();
    // The settings a fresh object takes over from the one it replaces.
    void takeSettingsFrom(const CPluginWnd& other);

    CLyricsPluginApp* app;
    fw::Brush bkBrush;
    fw::Brush bkWindowBrush;
    fw::Brush oscBkBrush;
    std::unique_ptr<CLyricsListBox> lyricsList;
    std::unique_ptr<CLyricsListBox> editList;
    std::unique_ptr<CPluginToolbar> toolbar;
    std::unique_ptr<CPluginToolbar> titleStrip;
    std::unique_ptr<CPluginToolbar> oscWnd;
    std::unique_ptr<CPluginButton> tagsButton;
    std::unique_ptr<CPluginButton> refreshButton;
    std::unique_ptr<CPluginButton> helpButton;
    std::unique_ptr<CPluginButton> editorButton;
    std::unique_ptr<CPluginButton> configButton;
    std::unique_ptr<CPluginButton> songInfoButton;

  protected:
    void PostNcDestroy() override;

  private:
    void createChildren();
    void layoutToolbar(int width, int oscW);

    LRESULT onCtlColor(const fw::WindowMessage& m);
    LRESULT onSize(const fw::WindowMessage& m);
    LRESULT onKey(const fw::WindowMessage& m);
    LRESULT onNcCalcSize(const fw::WindowMessage& m);
    LRESULT onDestroy(const fw::WindowMessage& m);
    LRESULT onRunConfig(const fw::WindowMessage& m);
    LRESULT onOnlineAnswer(const fw::WindowMessage& m);
    LRESULT onPublishAnswer(const fw::WindowMessage& m);
    LRESULT onTimer(const fw::WindowMessage& m);
};

// Sent to the plug-in window by a Config call from another thread: the dialog runs on the
// window's own thread, where the render calls are.
inline constexpr UINT kRunConfigMessage = WM_APP + 1;
// Posted by the online worker when an answer is ready; wParam is the request's generation.
inline constexpr UINT kOnlineAnswerMessage = WM_APP + 2;
// Posted by the publishing worker when the publish has ended; wParam is its generation.
inline constexpr UINT kPublishAnswerMessage = WM_APP + 4;
// The plug-in window's timer that moves the publish's progress line on, render calls or none.
inline constexpr UINT_PTR kPublishTimer = 1;

}  // namespace zor
