// The Linux transport: server found by Unix-socket path, block in POSIX shared memory (see ipc_wire.h).
#pragma once

#include <cstdint>
#include <string>

#include "corvane/simlink/ipc_transport.h"

namespace corvane::simlink {

class PosixTransport : public IpcTransport {
 public:
  PosixTransport() = default;
  ~PosixTransport() override;
  PosixTransport(const PosixTransport&) = delete;
  PosixTransport& operator=(const PosixTransport&) = delete;

  ServerClass FindServer() override;
  bool RegisterMessage() override;
  bool AddBlockNameAtom(std::string_view blockName) override;
  BlockCreation CreateBlock(std::string_view blockName, std::size_t sizeBytes) override;
  std::byte* MapBlock() override;
  SendOutcome SendRequest(std::chrono::milliseconds timeout) override;
  void Release() override;
  std::uint32_t ProcessId() override;

 private:
  bool Connect();
  void Disconnect();

  std::string serverPath_;
  int socket_ = -1;
  std::string blockName_;
  std::string sharedMemoryName_;  // non-empty while this transport owns the object
  int sharedMemory_ = -1;
  std::byte* view_ = nullptr;
  std::size_t viewBytes_ = 0;
  std::uint32_t sequence_ = 0;
};

}  // namespace corvane::simlink
