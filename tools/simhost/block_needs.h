// What serving a request block needs of a bridge's simulator, learnt by walking the block first: the
// handshake words are always answered, everything else only while the simulator answers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "corvane/simlink/ipc_wire.h"
#include "corvane/simlink/offset_codec.h"
#include "corvane/simlink/sim_link.h"

namespace corvane::simhost {

class BlockNeeds : public simlink::OffsetSpaceAccess {
 public:
  bool simulator = false;  // anything beyond the handshake words
  bool reads = false;      // a read beyond the handshake words
  bool poll = false;       // a read of the aircraft's state

  void ReadOffsets(std::uint32_t offset, std::span<std::byte> out) override {
    if (InHandshake(offset, out.size())) return;
    simulator = reads = true;
    poll = poll || !InTrafficTable(offset, out.size());
  }
  void WriteOffsets(std::uint32_t offset, std::span<const std::byte> in) override {
    simulator = simulator || !InHandshake(offset, in.size());
  }

 private:
  static bool InHandshake(std::uint32_t offset, std::size_t sizeBytes) {
    return offset >= simlink::kOffsetServerVersion && offset + sizeBytes <= simlink::kOffsetSimulatorVersion + 4;
  }
  static bool InTrafficTable(std::uint32_t offset, std::size_t sizeBytes) {
    return offset >= simlink::kOffsetTrafficTable &&
           offset + sizeBytes <= simlink::kOffsetTrafficTable + simlink::kTrafficTableBytes;
  }
};

}  // namespace corvane::simhost
