#pragma once

#include <windows.h>

#include <string>

#include "framework/MessageMap.h"

// The window framework's base window. Names follow the classic framework the plug-in's classes
// are written against (Create, SubclassWindow, GetClientRect, ...), so the plug-in reads the same.
namespace zor::fw {

// A window object owns nothing but its association with one HWND. The object of a window is
// found through the window property "ZorFwWindowObject" (set at WM_NCCREATE for windows of our
// own classes, at subclassing for all others), so a control's GWLP_USERDATA stays its own.
//
// Windows of a system class (list box, button, ...) and dialogs are subclassed: their previous
// window procedure is kept and is what Default() calls. Windows of our own classes are handled by
// the framework's procedure from WM_NCCREATE on; their Default() is DefWindowProcW.
//
// Every window is a Unicode window: texts pass in and out as UTF-8 and are UTF-16 at the call,
// and SendMessage is SendMessageW, so a message that carries text carries UTF-16.
class CWnd {
  public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return hwnd_; }
    // The object attached to a window, or null.
    static CWnd* FromHandle(HWND hwnd);

    // Creates a window of a registered class of ours or of a system class (which is subclassed
    // at once, so messages sent during its creation do not reach the object). For a child, id is
    // the control id.
    bool CreateEx(DWORD exStyle, const char* className, const char* text, DWORD style,
                  const RECT& rect, HWND parent, UINT id);
    bool SubclassWindow(HWND hwnd);
    bool SubclassDlgItem(int id, HWND parent);
    // Puts the previous window procedure back and lets go of the window.
    HWND UnsubclassWindow();
    BOOL DestroyWindow();

    // ---- everyday operations; each does nothing (answers 0) without a window ----
    bool IsWindow() const { return hwnd_ != nullptr && ::IsWindow(hwnd_) != FALSE; }
    RECT GetClientRect() const;
    RECT GetWindowRect() const;
    BOOL MoveWindow(int x, int y, int width, int height, bool repaint = true);
    BOOL MoveWindow(const RECT& rect, bool repaint = true);
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int width, int height, UINT flags);
    BOOL ShowWindow(int command);
    bool IsWindowVisible() const;
    BOOL EnableWindow(bool enable);
    void Invalidate(bool erase = true);
    void InvalidateRect(const RECT* rect, bool erase = true);
    void UpdateWindow();
    HWND SetFocus();
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    HWND GetParent() const;
    int GetDlgCtrlID() const;
    HWND GetDlgItem(int id) const;
    void SetWindowText(const std::string& text);
    std::string GetWindowText() const;
    void SetDlgItemText(int id, const std::string& text);
    std::string GetDlgItemText(int id) const;
    bool IsDlgButtonChecked(int id) const;
    void CheckDlgButton(int id, bool checked);
    void SetFont(HFONT font, bool redraw = true);
    HFONT GetFont() const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    void ModifyStyle(DWORD remove, DWORD add);
    void ModifyStyleEx(DWORD remove, DWORD add);

    // The framework's procedure for the window classes we register.
    static LRESULT CALLBACK OwnClassProcedure(HWND hwnd, UINT message, WPARAM wParam,
                                              LPARAM lParam);

  protected:
    // The root of every map chain: no entries.
    static const MessageMap& classMessageMap();
    virtual const MessageMap& GetMessageMap() const { return classMessageMap(); }

    // The window's default processing of m: the previous procedure of a subclassed window,
    // DefWindowProcW for a window of our own class.
    LRESULT Default(const WindowMessage& m);

    // Called after WM_NCDESTROY, when the window is gone and the object detached. A frame window
    // deletes itself here; nothing else owns itself.
    virtual void PostNcDestroy() {}

    // A reflected message (kReflectBase + message) that the map of this object does not handle:
    // controls route reflected owner draw to their DrawItem/MeasureItem here.
    virtual bool OnReflectedDefault(const WindowMessage& reflected, LRESULT& result);

    // Reflection, then the message map, then Default.
    LRESULT HandleMessage(const WindowMessage& m);

  private:
    static LRESULT CALLBACK SubclassProcedure(HWND hwnd, UINT message, WPARAM wParam,
                                              LPARAM lParam);
    static LRESULT OwnClassMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // What a window gets when its handler threw: its default processing of the message.
    static LRESULT DefaultAnswer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    bool Attach(HWND hwnd);
    void Detach();
    bool DispatchToMap(const WindowMessage& m, LRESULT& result);
    bool ReflectToChild(const WindowMessage& m, LRESULT& result);

    HWND hwnd_ = nullptr;
    WNDPROC previousProc_ = nullptr;  // set while subclassed
    bool creating_ = false;           // inside CreateEx: a failed creation keeps the object
};

}  // namespace zor::fw
