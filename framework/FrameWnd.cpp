#include "framework/FrameWnd.h"

#include "framework/WinApp.h"

namespace zor::fw {

namespace {

constexpr const char* kFrameClassName = "ZorFwFrame";
constexpr const wchar_t* kWideFrameClassName = L"ZorFwFrame";
// IDC_ARROW in the form the W call takes.
const wchar_t* const kArrowCursor = MAKEINTRESOURCEW(32512);

// The class stays registered while the module is loaded; a DLL must unregister its classes
// itself, or a reload at another address would find the stale class.
class FrameClass {
  public:
    FrameClass() {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = &CWnd::OwnClassProcedure;
        windowClass.hInstance = frameworkModule();
        windowClass.hCursor = ::LoadCursorW(nullptr, kArrowCursor);
        windowClass.hbrBackground = nullptr;
        windowClass.lpszClassName = kWideFrameClassName;
        registered_ = ::RegisterClassExW(&windowClass) != 0;
    }
    ~FrameClass() {
        if (registered_) {
            ::UnregisterClassW(kWideFrameClassName, frameworkModule());
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
