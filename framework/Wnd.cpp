#include "framework/Wnd.h"

#include <mutex>
#include <unordered_map>

#include "framework/EntryGuard.h"
#include "framework/WinApp.h"
#include "lyrics/platform/WideText.h"

namespace zor::fw {

namespace {

// The object of every window the framework manages, found on every message. A window property
// would also do, but under wine each property call is a round trip to the wine server, which made
// a song change's list updates cost a few milliseconds. Windows of the plug-in live on more than
// one thread (a dialog may run on the host's), hence the lock.
class WindowObjects {
  public:
    // A window has one object: attaching another replaces it.
    void set(HWND hwnd, CWnd* wnd) {
        const std::lock_guard<std::mutex> lock(mutex_);
        objects_[hwnd] = wnd;
    }
    void remove(HWND hwnd) {
        const std::lock_guard<std::mutex> lock(mutex_);
        objects_.erase(hwnd);
    }
    CWnd* find(HWND hwnd) const {
        const std::lock_guard<std::mutex> lock(mutex_);
        const auto found = objects_.find(hwnd);
        return found == objects_.end() ? nullptr : found->second;
    }

  private:
    mutable std::mutex mutex_;
    std::unordered_map<HWND, CWnd*> objects_;
};

WindowObjects& windowObjects() {
    static WindowObjects objects;
    return objects;
}

bool isCtlColor(UINT message) {
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

// The child control a parent message is about, for the messages the parent reflects.
HWND reflectedChild(HWND parent, const WindowMessage& m) {
    if (m.message == WM_DRAWITEM && m.lParam != 0) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam);
        return item->CtlType == ODT_MENU ? nullptr : item->hwndItem;
    }
    if (m.message == WM_MEASUREITEM && m.lParam != 0) {
        const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(m.lParam);
        return item->CtlType == ODT_MENU ? nullptr
                                         : ::GetDlgItem(parent, static_cast<int>(item->CtlID));
    }
    if (m.message == WM_COMMAND || isCtlColor(m.message)) {
        return reinterpret_cast<HWND>(m.lParam);
    }
    return nullptr;
}

}  // namespace

const MessageMap& CWnd::classMessageMap() {
    static const MessageMap root{nullptr, 0, nullptr, nullptr};
    return root;
}

// Made before any window object, so that it outlives static ones (the plug-in object's windows).
CWnd::CWnd() {
    windowObjects();
}

CWnd::~CWnd() {
    if (hwnd_ != nullptr) {
        Detach();
    }
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    return hwnd == nullptr ? nullptr : windowObjects().find(hwnd);
}

bool CWnd::CreateEx(DWORD exStyle, const char* className, const char* text, DWORD style,
                    const RECT& rect, HWND parent, UINT id) {
    if (hwnd_ != nullptr) {
        return false;
    }
    HMENU menuOrId =
        (style & WS_CHILD) != 0 ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    creating_ = true;
    const std::wstring wideClass = win::toWide(className);
    const std::wstring wideText = win::toWide(text);
    HWND hwnd = ::CreateWindowExW(exStyle, wideClass.c_str(), wideText.c_str(), style, rect.left,
                                  rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                                  menuOrId, frameworkModule(), this);
    creating_ = false;
    if (hwnd == nullptr) {
        return false;
    }
    // A window of our own class attached itself at WM_NCCREATE; any other is subclassed now.
    if (hwnd_ == nullptr && !SubclassWindow(hwnd)) {
        ::DestroyWindow(hwnd);
        return false;
    }
    return hwnd_ == hwnd;
}

bool CWnd::SubclassWindow(HWND hwnd) {
    if (hwnd_ != nullptr || ::IsWindow(hwnd) == FALSE || FromHandle(hwnd) != nullptr) {
        return false;
    }
    if (!Attach(hwnd)) {
        return false;
    }
    previousProc_ = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
        hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProcedure)));
    if (previousProc_ == nullptr) {
        Detach();
        return false;
    }
    return true;
}

bool CWnd::SubclassDlgItem(int id, HWND parent) {
    return SubclassWindow(::GetDlgItem(parent, id));
}

HWND CWnd::UnsubclassWindow() {
    if (previousProc_ == nullptr) {
        return nullptr;
    }
    HWND hwnd = hwnd_;
    Detach();
    return hwnd;
}

BOOL CWnd::DestroyWindow() {
    return hwnd_ == nullptr ? FALSE : ::DestroyWindow(hwnd_);
}

bool CWnd::Attach(HWND hwnd) {
    if (hwnd == nullptr) {
        return false;
    }
    windowObjects().set(hwnd, this);
    hwnd_ = hwnd;
    return true;
}

void CWnd::Detach() {
    if (previousProc_ != nullptr) {
        ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc_));
        previousProc_ = nullptr;
    }
    windowObjects().remove(hwnd_);
    hwnd_ = nullptr;
}

LRESULT CWnd::DefaultAnswer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (CWnd* wnd = FromHandle(hwnd)) {
        return guardEntry(
            "default window procedure",
            [&] {
                return wnd->Default(WindowMessage{message, wParam, lParam});
            },
            [&] { return ::DefWindowProcW(hwnd, message, wParam, lParam); });
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK CWnd::OwnClassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardEntry(
        "window procedure", [&] { return OwnClassMessage(hwnd, message, wParam, lParam); },
        [&] { return DefaultAnswer(hwnd, message, wParam, lParam); });
}

LRESULT CWnd::OwnClassMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = FromHandle(hwnd);
    if (wnd == nullptr && message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        wnd = static_cast<CWnd*>(create->lpCreateParams);
        if (wnd != nullptr && !wnd->Attach(hwnd)) {
            return FALSE;
        }
    }
    if (wnd == nullptr) {
        // Messages before WM_NCCREATE (WM_GETMINMAXINFO) and after the object let go.
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return wnd->HandleMessage(WindowMessage{message, wParam, lParam});
}

LRESULT CALLBACK CWnd::SubclassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardEntry(
        "subclass procedure",
        [&] {
            CWnd* wnd = FromHandle(hwnd);
            if (wnd == nullptr) {
                return ::DefWindowProcW(hwnd, message, wParam, lParam);
            }
            return wnd->HandleMessage(WindowMessage{message, wParam, lParam});
        },
        [&] { return DefaultAnswer(hwnd, message, wParam, lParam); });
}

LRESULT CWnd::HandleMessage(const WindowMessage& m) {
    LRESULT result = 0;
    if (!ReflectToChild(m, result) && !DispatchToMap(m, result)) {
        result = Default(m);
    }
    if (m.message == WM_NCDESTROY) {
        Detach();
        if (!creating_) {
            PostNcDestroy();  // may delete this
        }
    }
    return result;
}

LRESULT CWnd::Default(const WindowMessage& m) {
    if (previousProc_ != nullptr) {
        return ::CallWindowProcW(previousProc_, hwnd_, m.message, m.wParam, m.lParam);
    }
    return ::DefWindowProcW(hwnd_, m.message, m.wParam, m.lParam);
}

bool CWnd::OnReflectedDefault(const WindowMessage& /*reflected*/, LRESULT& /*result*/) {
    return false;
}

bool CWnd::DispatchToMap(const WindowMessage& m, LRESULT& result) {
    for (const MessageMap* map = &GetMessageMap(); map != nullptr;
         map = map->base != nullptr ? &map->base() : nullptr) {
        if (map->dispatch != nullptr && map->dispatch(*this, *map, m, result)) {
            return true;
        }
    }
    return false;
}

bool CWnd::ReflectToChild(const WindowMessage& m, LRESULT& result) {
    CWnd* child = FromHandle(reflectedChild(hwnd_, m));
    if (child == nullptr || child == this) {
        return false;
    }
    const WindowMessage reflected{kReflectBase + m.message, m.wParam, m.lParam};
    return child->DispatchToMap(reflected, result) || child->OnReflectedDefault(reflected, result);
}

// ---- everyday operations --------------------------------------------------------------------

RECT CWnd::GetClientRect() const {
    RECT rect{};
    if (hwnd_ != nullptr) {
        ::GetClientRect(hwnd_, &rect);
    }
    return rect;
}

RECT CWnd::GetWindowRect() const {
    RECT rect{};
    if (hwnd_ != nullptr) {
        ::GetWindowRect(hwnd_, &rect);
    }
    return rect;
}

BOOL CWnd::MoveWindow(int x, int y, int width, int height, bool repaint) {
    return hwnd_ == nullptr ? FALSE
                            : ::MoveWindow(hwnd_, x, y, width, height, repaint ? TRUE : FALSE);
}

BOOL CWnd::MoveWindow(const RECT& rect, bool repaint) {
    return MoveWindow(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
}

BOOL CWnd::SetWindowPos(HWND insertAfter, int x, int y, int width, int height, UINT flags) {
    return hwnd_ == nullptr ? FALSE
                            : ::SetWindowPos(hwnd_, insertAfter, x, y, width, height, flags);
}

BOOL CWnd::ShowWindow(int command) {
    return hwnd_ == nullptr ? FALSE : ::ShowWindow(hwnd_, command);
}

bool CWnd::IsWindowVisible() const {
    return hwnd_ != nullptr && ::IsWindowVisible(hwnd_) != FALSE;
}

BOOL CWnd::EnableWindow(bool enable) {
    return hwnd_ == nullptr ? FALSE : ::EnableWindow(hwnd_, enable ? TRUE : FALSE);
}

void CWnd::Invalidate(bool erase) {
    InvalidateRect(nullptr, erase);
}

void CWnd::InvalidateRect(const RECT* rect, bool erase) {
    if (hwnd_ != nullptr) {
        ::InvalidateRect(hwnd_, rect, erase ? TRUE : FALSE);
    }
}

void CWnd::UpdateWindow() {
    if (hwnd_ != nullptr) {
        ::UpdateWindow(hwnd_);
    }
}

HWND CWnd::SetFocus() {
    return hwnd_ == nullptr ? nullptr : ::SetFocus(hwnd_);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return hwnd_ == nullptr ? 0 : ::SendMessageW(hwnd_, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return hwnd_ == nullptr ? FALSE : ::PostMessageW(hwnd_, message, wParam, lParam);
}

HWND CWnd::GetParent() const {
    return hwnd_ == nullptr ? nullptr : ::GetParent(hwnd_);
}

int CWnd::GetDlgCtrlID() const {
    return hwnd_ == nullptr ? 0 : ::GetDlgCtrlID(hwnd_);
}

HWND CWnd::GetDlgItem(int id) const {
    return hwnd_ == nullptr ? nullptr : ::GetDlgItem(hwnd_, id);
}

void CWnd::SetWindowText(const std::string& text) {
    if (hwnd_ != nullptr) {
        ::SetWindowTextW(hwnd_, win::toWide(text).c_str());
    }
}

namespace {

std::string windowText(HWND hwnd) {
    if (hwnd == nullptr) {
        return {};
    }
    const int length = ::GetWindowTextLengthW(hwnd);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return win::toUtf8(text);
}

}  // namespace

std::string CWnd::GetWindowText() const {
    return windowText(hwnd_);
}

void CWnd::SetDlgItemText(int id, const std::string& text) {
    if (hwnd_ != nullptr) {
        ::SetDlgItemTextW(hwnd_, id, win::toWide(text).c_str());
    }
}

std::string CWnd::GetDlgItemText(int id) const {
    return windowText(GetDlgItem(id));
}

bool CWnd::IsDlgButtonChecked(int id) const {
    return hwnd_ != nullptr && ::IsDlgButtonChecked(hwnd_, id) == BST_CHECKED;
}

void CWnd::CheckDlgButton(int id, bool checked) {
    if (hwnd_ != nullptr) {
        ::CheckDlgButton(hwnd_, id, checked ? BST_CHECKED : BST_UNCHECKED);
    }
}

void CWnd::SetFont(HFONT font, bool redraw) {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
}

HFONT CWnd::GetFont() const {
    return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
}

DWORD CWnd::GetStyle() const {
    return hwnd_ == nullptr ? 0 : static_cast<DWORD>(::GetWindowLongPtrW(hwnd_, GWL_STYLE));
}

DWORD CWnd::GetExStyle() const {
    return hwnd_ == nullptr ? 0 : static_cast<DWORD>(::GetWindowLongPtrW(hwnd_, GWL_EXSTYLE));
}

void CWnd::ModifyStyle(DWORD remove, DWORD add) {
    if (hwnd_ != nullptr) {
        ::SetWindowLongPtrW(hwnd_, GWL_STYLE, static_cast<LONG_PTR>((GetStyle() & ~remove) | add));
    }
}

void CWnd::ModifyStyleEx(DWORD remove, DWORD add) {
    if (hwnd_ != nullptr) {
        ::SetWindowLongPtrW(hwnd_, GWL_EXSTYLE,
                            static_cast<LONG_PTR>((GetExStyle() & ~remove) | add));
    }
}

}  // namespace zor::fw
