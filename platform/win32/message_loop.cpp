// RunMessageLoop: GetMessageW until WM_QUIT (or an error, which ends the loop as well).
#include "platform/win32/message_loop.h"

#include "platform/win32/windows_api.h"

namespace corvane::platform::win32 {

int RunMessageLoop() {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return message.message == WM_QUIT ? static_cast<int>(message.wParam) : 0;
}

}  // namespace corvane::platform::win32
