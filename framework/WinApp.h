#pragma once

#include <windows.h>

namespace zor::fw {

class CWnd;

// The module (DLL or program) this framework is linked into: where our window classes are
// registered and where dialog templates are looked up by default.
HINSTANCE frameworkModule();

// The application object: one per module, constructed before any window.
class CWinApp {
  public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // The one application object of this module, or null.
    static CWinApp* GetApp() { return current_; }

    virtual bool InitInstance() { return true; }

    HINSTANCE GetInstanceHandle() const { return instance_; }
    void SetInstanceHandle(HINSTANCE instance) { instance_ = instance; }

    // The main window is not owned: a frame window deletes itself when its window is destroyed.
    CWnd* GetMainWnd() const { return mainWnd_; }
    void SetMainWnd(CWnd* wnd) { mainWnd_ = wnd; }

  private:
    static CWinApp* current_;
    HINSTANCE instance_;
    CWnd* mainWnd_ = nullptr;
};

}  // namespace zor::fw
