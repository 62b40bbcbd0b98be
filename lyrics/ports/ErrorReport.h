#pragma once

#include <string>

#include "lyrics/ports/Prompt.h"

namespace zor {

// Shows one message box for a system error code: a fixed text for the codes of the shell's
// table, the system's own message text for any other code. Returns the answer of the box.
PromptAnswer reportError(Prompt& prompt, PromptOwner owner, int code, const std::string& caption,
                         const char* fileName = nullptr, const char* extension = nullptr);

// The system's own message text for a code (FormatMessageA on Windows, strerror elsewhere).
std::string systemErrorText(int code);

}  // namespace zor
