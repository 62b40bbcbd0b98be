#pragma once

namespace zor {

// Writes to the trace log where an exception was caught and what it said. Call it inside a
// catch block; it never throws, also when the log cannot be written.
void traceCaught(const char* where) noexcept;

}  // namespace zor
