// The program's entry: builds the windows and runs the message loop.
#pragma once

namespace SETUP {
// Returns the process's exit code: 0 once the launcher has been closed, 1 when
// start-up failed (the reason is on standard error).
int Main();
}  // namespace SETUP
