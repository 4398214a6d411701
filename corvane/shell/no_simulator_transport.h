// A transport that finds no simulator: the window runs with the link closed.
#pragma once

#include "corvane/simlink/ipc_transport.h"

namespace corvane::shell {

class NoSimulatorTransport final : public simlink::IpcTransport {
 public:
  simlink::ServerClass FindServer() override { return simlink::ServerClass::kNone; }
  bool RegisterMessage() override { return false; }
  bool AddBlockNameAtom(std::string_view) override { return false; }
  simlink::BlockCreation CreateBlock(std::string_view, std::size_t) override { return simlink::BlockCreation::kFailed; }
  std::byte* MapBlock() override { return nullptr; }
  simlink::SendOutcome SendRequest(std::chrono::milliseconds) override { return {}; }
  void Release() override {}
  std::uint32_t ProcessId() override { return 0; }
};

}  // namespace corvane::shell
