// An in-process transport: the block lives in this process and a server object serves it on each send.
// Tests use its fault settings to play a missing, refusing, slow or hostile server.
#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>

#include "corvane/simlink/ipc_transport.h"

namespace corvane::simlink {

// The server side of a loopback transport: serves one block and returns the reply value.
class BlockServer {
 public:
  virtual ~BlockServer() = default;
  virtual std::uint32_t ServeBlock(std::span<std::byte> block) = 0;
};

struct LoopbackFaults {
  ServerClass serverClass = ServerClass::kUipcMain;
  bool registerFails = false;
  bool atomFails = false;
  BlockCreation blockCreation = BlockCreation::kCreated;
  bool mapFails = false;
  // After `sendsBeforeFailing` good sends, the next `failingSends` fail before the server is reached.
  int sendsBeforeFailing = 0;
  int failingSends = 0;
  SendStatus failureStatus = SendStatus::kTimedOut;
  // Runs on the block after the server served it, before the reply goes back.
  std::function<void(std::span<std::byte>)> tamper;
};

class LoopbackTransport : public IpcTransport {
 public:
  explicit LoopbackTransport(BlockServer& server);

  ServerClass FindServer() override;
  bool RegisterMessage() override;
  bool AddBlockNameAtom(std::string_view blockName) override;
  BlockCreation CreateBlock(std::string_view blockName, std::size_t sizeBytes) override;
  std::byte* MapBlock() override;
  SendOutcome SendRequest(std::chrono::milliseconds timeout) override;
  void Release() override;
  std::uint32_t ProcessId() override { return 0x1234; }

  LoopbackFaults faults;
  int sendAttempts() const { return sendAttempts_; }
  int requestsServed() const { return requestsServed_; }
  const std::string& atomName() const { return atomName_; }
  bool blockExists() const { return block_ != nullptr; }

 private:
  BlockServer& server_;
  std::unique_ptr<std::byte[]> block_;
  std::size_t blockSizeBytes_ = 0;
  bool mapped_ = false;
  std::string atomName_;
  int sendAttempts_ = 0;
  int requestsServed_ = 0;
};

}  // namespace corvane::simlink
