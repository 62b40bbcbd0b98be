#pragma once

#include <windows.h>

namespace zor::hostsim {

// Dispatches every message waiting for this thread, sent ones included; a posted quit is
// dropped, since the host decides itself when its threads end.
void drainMessages();

// Waits for the event (or, with none, for the time) while keeping this thread's windows
// answering, so that another thread's SendMessage to them never deadlocks. True when the event
// was set.
bool waitPumping(HANDLE event, DWORD timeoutMs);

// Pumps until no message has arrived for a short while (bounded), so that the effects of input
// just sent have been handled before the next script command.
void pumpUntilIdle();

}  // namespace zor::hostsim
