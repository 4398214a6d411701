// The server side of the Windows link: a top-level window of a server class that answers the registered
// message by serving the shared block whose name the message's atom holds. simhost.exe serves its
// aircraft through it and the transport's tests their fake simulators.
#pragma once

#ifdef _WIN32

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "corvane/simlink/loopback_transport.h"

namespace corvane::simlink {

class Win32ServerWindow {
 public:
  // The window answers on the thread that calls Create and PumpMessages.
  Win32ServerWindow(std::string_view className, BlockServer& server);
  ~Win32ServerWindow();
  Win32ServerWindow(const Win32ServerWindow&) = delete;
  Win32ServerWindow& operator=(const Win32ServerWindow&) = delete;

  // Registers the class and the message and creates the hidden window; false with the reason.
  bool Create(std::string& error);
  // Answers every request waiting, then waits at most `wait` for more.
  void PumpMessages(std::chrono::milliseconds wait);
  void Destroy();
  std::uint64_t requestsServed() const { return requestsServed_; }

  // Called by the window procedure for each request; public for it alone.
  std::uint32_t ServeAtom(std::uint16_t atom);
  unsigned messageId() const { return messageId_; }

 private:
  std::string className_;
  BlockServer& server_;
  void* window_ = nullptr;
  bool classRegistered_ = false;
  unsigned messageId_ = 0;
  std::uint64_t requestsServed_ = 0;
};

}  // namespace corvane::simlink

#endif
