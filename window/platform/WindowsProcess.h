#pragma once
// Windows only: one program file started directly, without cmd.exe, and
// waited for.

#include <string>

namespace quill {

// Starts the file `programPath` (8-bit text in the ANSI code page) with no
// arguments and waits until it ends, calling `whileWaiting` every
// `intervalMs` milliseconds. Returns its exit code, or -1 when it could not
// be started.
int RunWindowsProgramAndWait(const std::string& programPath, int intervalMs,
                             void (*whileWaiting)());

}  // namespace quill
