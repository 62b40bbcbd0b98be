#include "framework/ListBox.h"

#include <utility>

#include "lyrics/model/TextLimits.h"
#include "lyrics/platform/WideText.h"

namespace zor::fw {

namespace {

bool isLowSurrogate(wchar_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The first kMaxItemChars characters; a character beyond the basic plane is one character in
// two UTF-16 units, and the pair is never cut.
std::wstring boundedItem(std::wstring text) {
    std::size_t characters = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (isLowSurrogate(text[at])) {
            continue;
        }
        if (characters == kMaxItemChars) {
            text.resize(at);
            break;
        }
        ++characters;
    }
    return text;
}

}  // namespace

bool CListBox::Create(DWORD style, const RECT& rect, HWND parent, UINT id, DWORD exStyle) {
    return CreateEx(exStyle, "LISTBOX", "", style, rect, parent, id);
}

int CListBox::AddString(const std::string& text) {
    const std::wstring item = boundedItem(win::toWide(text));
    return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str())));
}

int CListBox::InsertString(int index, const std::string& text) {
    const std::wstring item = boundedItem(win::toWide(text));
    return static_cast<int>(SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(item.c_str())));
}

int CListBox::DeleteString(int index) {
    return static_cast<int>(SendMessage(LB_DELETESTRING, static_cast<WPARAM>(index)));
}

std::string CListBox::GetText(int index) const {
    const LRESULT length = SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index));
    if (length == LB_ERR || length <= 0) {
        return {};
    }
    // LB_GETTEXT takes no buffer size: the buffer must hold the whole item.
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessage(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    if (copied == LB_ERR || copied <= 0) {
        return {};
    }
    text.resize(static_cast<std::size_t>(copied));
    return win::toUtf8(boundedItem(std::move(text)));
}

int CListBox::GetCount() const {
    return static_cast<int>(SendMessage(LB_GETCOUNT));
}

int CListBox::GetCurSel() const {
    return static_cast<int>(SendMessage(LB_GETCURSEL));
}

int CListBox::SetCurSel(int index) {
    return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index)));
}

void CListBox::ResetContent() {
    SendMessage(LB_RESETCONTENT);
}

void CListBox::SetRedraw(bool redraw) {
    SendMessage(WM_SETREDRAW, redraw ? TRUE : FALSE);
}

int CListBox::GetTopIndex() const {
    return static_cast<int>(SendMessage(LB_GETTOPINDEX));
}

int CListBox::SetTopIndex(int index) {
    return static_cast<int>(SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(index)));
}

int CListBox::ItemFromPoint(POINT point, bool& outside) const {
    const auto answer =
        static_cast<DWORD>(SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y)));
    outside = HIWORD(answer) != 0;
    return LOWORD(answer);
}

void CListBox::SetHorizontalExtent(int extent) {
    SendMessage(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(extent));
}

int CListBox::GetHorizontalExtent() const {
    return static_cast<int>(SendMessage(LB_GETHORIZONTALEXTENT));
}

int CListBox::GetItemHeight(int index) const {
    return static_cast<int>(SendMessage(LB_GETITEMHEIGHT, static_cast<WPARAM>(index)));
}

bool CListBox::GetItemRect(int index, RECT& rect) const {
    return SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(index),
                       reinterpret_cast<LPARAM>(&rect)) != LB_ERR;
}

void CListBox::DrawItem(const DRAWITEMSTRUCT& /*item*/) {}

void CListBox::MeasureItem(MEASUREITEMSTRUCT& /*item*/) {}

bool CListBox::OnReflectedDefault(const WindowMessage& reflected, LRESULT& result) {
    if (reflected.message == kReflectBase + WM_DRAWITEM) {
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(reflected.lParam));
        result = TRUE;
        return true;
    }
    if (reflected.message == kReflectBase + WM_MEASUREITEM) {
        MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(reflected.lParam));
        result = TRUE;
        return true;
    }
    return false;
}

}  // namespace zor::fw
