#include "framework/MessageMap.h"

namespace zor::fw {

namespace {

constexpr UINT kCtlColorKinds = WM_CTLCOLORSTATIC - WM_CTLCOLORMSGBOX;

bool isNotifyFrom(const WindowMessage& m, UINT id, UINT code) {
    if (m.message != WM_NOTIFY || m.lParam == 0) {
        return false;
    }
    const auto* header = reinterpret_cast<const NMHDR*>(m.lParam);
    return header->idFrom == id && header->code == code;
}

}  // namespace

bool entryMatches(const EntryKey& key, const WindowMessage& m) {
    switch (key.kind) {
        case EntryKind::message:
            return m.message == key.message;
        case EntryKind::command:
            return m.message == WM_COMMAND && LOWORD(m.wParam) == key.id;
        case EntryKind::commandCode:
            return m.message == WM_COMMAND && LOWORD(m.wParam) == key.id &&
                   HIWORD(m.wParam) == key.code;
        case EntryKind::notify:
            return isNotifyFrom(m, key.id, key.code);
        case EntryKind::ctlColor:
            return m.message >= key.message && m.message <= key.message + kCtlColorKinds;
        case EntryKind::reflectedCommand:
            return m.message == key.message && HIWORD(m.wParam) == key.code;
    }
    return false;
}

}  // namespace zor::fw
