// The server side of the Windows link (see win32_server_window.h).
#ifdef _WIN32

#include "corvane/simlink/win32_server_window.h"

#include <windows.h>

#include <span>

#include "corvane/simlink/ipc_wire.h"

namespace corvane::simlink {
namespace {

LRESULT CALLBACK ServerWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  }
  auto* server = reinterpret_cast<Win32ServerWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (server != nullptr && message == server->messageId() && message != 0) {
    return static_cast<LRESULT>(server->ServeAtom(static_cast<std::uint16_t>(wParam)));
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// Closes the mapping and its view on every way out of a request.
struct MappedBlock {
  HANDLE mapping = nullptr;
  void* view = nullptr;
  ~MappedBlock() {
    if (view != nullptr) UnmapViewOfFile(view);
    if (mapping != nullptr) CloseHandle(mapping);
  }
};

}  // namespace

Win32ServerWindow::Win32ServerWindow(std::string_view className, BlockServer& server)
    : className_(className), server_(server) {}

Win32ServerWindow::~Win32ServerWindow() { Destroy(); }

bool Win32ServerWindow::Create(std::string& error) {
  messageId_ = RegisterWindowMessageA(std::string(kMessageName).c_str());
  if (messageId_ == 0) {
    error = "cannot register the window message";
    return false;
  }
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = ServerWindowProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = className_.c_str();
  if (RegisterClassA(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    error = "cannot register the window class " + className_;
    return false;
  }
  classRegistered_ = true;
  // A top-level window, never shown: clients find it by class among the desktop's windows.
  window_ = CreateWindowExA(0, className_.c_str(), className_.c_str(), WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                            windowClass.hInstance, this);
  if (window_ == nullptr) {
    error = "cannot create the server window " + className_;
    return false;
  }
  return true;
}

void Win32ServerWindow::PumpMessages(std::chrono::milliseconds wait) {
  MSG message;
  // PeekMessage also delivers the messages other threads and processes send.
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != 0) DispatchMessageA(&message);
  MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(wait.count()), QS_ALLINPUT);
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != 0) DispatchMessageA(&message);
}

void Win32ServerWindow::Destroy() {
  if (window_ != nullptr) DestroyWindow(static_cast<HWND>(window_));
  window_ = nullptr;
  if (classRegistered_) UnregisterClassA(className_.c_str(), GetModuleHandleA(nullptr));
  classRegistered_ = false;
}

std::uint32_t Win32ServerWindow::ServeAtom(std::uint16_t atom) {
  // The block is opened anew for every request: a kept handle would keep a closed client's name alive
  // and make its next block creation fail.
  char name[kMaxBlockNameBytes + 2] = {};
  const UINT length = GlobalGetAtomNameA(atom, name, sizeof name);
  if (length == 0 || !IsValidBlockName(std::string_view(name, length))) return 0;
  MappedBlock block;
  block.mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, name);
  if (block.mapping == nullptr) return 0;
  // Fails for a section smaller than the block: nothing past its end is ever touched.
  block.view = MapViewOfFile(block.mapping, FILE_MAP_WRITE, 0, 0, kBlockSizeBytes);
  if (block.view == nullptr) return 0;
  ++requestsServed_;
  return server_.ServeBlock(std::span<std::byte>(static_cast<std::byte*>(block.view), kBlockSizeBytes));
}

}  // namespace corvane::simlink

#endif
