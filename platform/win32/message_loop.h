// The thread's message loop, as every window program of the project runs it.
#pragma once

namespace corvane::platform::win32 {

// Dispatches the thread's messages until WM_QUIT and returns the code it carries.
int RunMessageLoop();

}  // namespace corvane::platform::win32
