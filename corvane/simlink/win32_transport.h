// The Windows transport: server window, registered message, global atom and a named file mapping.
#pragma once

#ifdef _WIN32

#include <cstdint>

#include "corvane/simlink/ipc_transport.h"

namespace corvane::simlink {

class Win32Transport : public IpcTransport {
 public:
  Win32Transport() = default;
  ~Win32Transport() override;
  Win32Transport(const Win32Transport&) = delete;
  Win32Transport& operator=(const Win32Transport&) = delete;

  ServerClass FindServer() override;
  bool RegisterMessage() override;
  bool AddBlockNameAtom(std::string_view blockName) override;
  BlockCreation CreateBlock(std::string_view blockName, std::size_t sizeBytes) override;
  std::byte* MapBlock() override;
  SendOutcome SendRequest(std::chrono::milliseconds timeout) override;
  void Release() override;
  std::uint32_t ProcessId() override;

 private:
  void* window_ = nullptr;
  unsigned messageId_ = 0;
  std::uint16_t atom_ = 0;
  void* mapping_ = nullptr;
  std::byte* view_ = nullptr;
};

}  // namespace corvane::simlink

#endif
