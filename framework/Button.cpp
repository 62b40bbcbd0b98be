#include "framework/Button.h"

namespace zor::fw {

bool CButton::Create(const std::string& text, DWORD style, const RECT& rect, HWND parent, UINT id) {
    return CreateEx(0, "BUTTON", text.c_str(), style, rect, parent, id);
}

void CButton::DrawItem(const DRAWITEMSTRUCT& /*item*/) {}

bool CButton::OnReflectedDefault(const WindowMessage& reflected, LRESULT& result) {
    if (reflected.message != kReflectBase + WM_DRAWITEM) {
        return false;
    }
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(reflected.lParam));
    result = TRUE;
    return true;
}

}  // namespace zor::fw
