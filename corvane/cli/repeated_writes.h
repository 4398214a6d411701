// Watches the writes on their way to the simulator and counts the seconds in which one autopilot target
// (heading, altitude or vertical speed) was written twice with the same value: writes the simulator
// did not need, the measure of a write storm.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "corvane/simlink/ipc_transport.h"
#include "corvane/simlink/ipc_wire.h"

namespace corvane::shell {

class RepeatedWriteWatch final : public simlink::IpcTransport {
 public:
  explicit RepeatedWriteWatch(simlink::IpcTransport& inner) : inner_(inner) {}

  simlink::ServerClass FindServer() override { return inner_.FindServer(); }
  bool RegisterMessage() override { return inner_.RegisterMessage(); }
  bool AddBlockNameAtom(std::string_view blockName) override { return inner_.AddBlockNameAtom(blockName); }
  simlink::BlockCreation CreateBlock(std::string_view blockName, std::size_t sizeBytes) override;
  std::byte* MapBlock() override;
  simlink::SendOutcome SendRequest(std::chrono::milliseconds timeout) override;
  void Release() override;
  std::uint32_t ProcessId() override { return inner_.ProcessId(); }

  // Closes the second the writes since the last call belong to.
  void EndSecond();
  std::uint64_t repeatedSeconds() const { return repeatedSeconds_; }

 private:
  struct TargetWrite {
    std::uint32_t offset;
    std::uint32_t value;
  };
  class Recorder final : public simlink::OffsetSpaceAccess {
   public:
    explicit Recorder(RepeatedWriteWatch& watch) : watch_(watch) {}
    void ReadOffsets(std::uint32_t, std::span<std::byte> out) override;
    void WriteOffsets(std::uint32_t offset, std::span<const std::byte> in) override;

   private:
    RepeatedWriteWatch& watch_;
  };

  simlink::IpcTransport& inner_;
  std::byte* block_ = nullptr;
  std::size_t blockBytes_ = 0;
  std::vector<TargetWrite> thisSecond_;
  bool repeatedThisSecond_ = false;
  std::uint64_t repeatedSeconds_ = 0;
};

}  // namespace corvane::shell
