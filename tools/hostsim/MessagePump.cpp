#include "tools/hostsim/MessagePump.h"

namespace zor::hostsim {
namespace {

// Quiet time after which a thread counts as idle, and the longest a settle may take (a window
// that keeps invalidating itself would otherwise hold the script forever).
constexpr DWORD kIdleQuietMs = 60;
constexpr DWORD kIdleLimitMs = 3000;

DWORD elapsedSince(DWORD startTick) {
    return GetTickCount() - startTick;
}

}  // namespace

void drainMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool waitPumping(HANDLE event, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    const DWORD handleCount = event == nullptr ? 0 : 1;
    for (;;) {
        const DWORD elapsed = elapsedSince(start);
        const DWORD left = timeoutMs == INFINITE  ? INFINITE
                           : elapsed >= timeoutMs ? 0
                                                  : timeoutMs - elapsed;
        const DWORD result = MsgWaitForMultipleObjectsEx(handleCount, &event, left, QS_ALLINPUT,
                                                         MWMO_INPUTAVAILABLE);
        if (handleCount == 1 && result == WAIT_OBJECT_0) {
            return true;
        }
        if (result == WAIT_TIMEOUT || result == WAIT_FAILED) {
            return false;
        }
        drainMessages();
    }
}

void pumpUntilIdle() {
    const DWORD start = GetTickCount();
    do {
        drainMessages();
    } while (MsgWaitForMultipleObjectsEx(0, nullptr, kIdleQuietMs, QS_ALLINPUT,
                                         MWMO_INPUTAVAILABLE) != WAIT_TIMEOUT &&
             elapsedSince(start) < kIdleLimitMs);
    drainMessages();
}

}  // namespace zor::hostsim
