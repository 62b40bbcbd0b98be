#include "framework/FrameWnd.h"

#include "framework/WinApp.h"

namespace zor::fw {

namespace {

constexpr const char* kFrameClassName = "ZorFwFrame";

// The class stays registered while the module is loaded; a DLL must unregister its classes
// itself, or a reload at another address would find the stale class.
class FrameClass {
  public:
    FrameClass() {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = &CWnd::OwnClassProcedure;
        windowClass.hInstance = frameworkModule();
        windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = nullptr;
        windowClass.lpszClassName = kFrameClassName;
        registered_ = ::RegisterClassExA(&windowClass) != 0;
    }
    ~FrameClass() {
        if (registered_) {
            ::UnregisterClassA(kFrameClassName, frameworkModule());
        }
    }
    FrameClass(const FrameClass&) = delete;
    FrameClass& operator=(const FrameClass&) = delete;

  private:
    bool registered_ = false;
};

}  // namespace

const char* CFrameWnd::ClassName() {
    static const FrameClass frameClass;
    return kFrameClassName;
}

bool CFrameWnd::Create(const char* title, DWORD style, const RECT& rect, HWND parent, UINT id,
                       DWORD exStyle) {
    return CreateEx(exStyle, ClassName(), title, style, rect, parent, id);
}

void CFrameWnd::PostNcDestroy() {
    delete this;  // NOLINT(cppcoreguidelines-owning-memory): a frame window owns itself
}

}  // namespace zor::fw
