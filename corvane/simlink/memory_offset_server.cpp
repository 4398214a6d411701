// The array-backed fake server: offsets past the end of the space read as zero and ignore writes.
#include "corvane/simlink/memory_offset_server.h"

#include <algorithm>

#include "corvane/simlink/sim_link.h"

namespace corvane::simlink {

MemoryOffsetServer::MemoryOffsetServer() {
  Set<std::uint32_t>(kOffsetServerVersion, 0x49740000);
  Set<std::uint32_t>(kOffsetSimulatorVersion, 0xFADE000C);
}

std::uint32_t MemoryOffsetServer::ServeBlock(std::span<std::byte> block) {
  const std::uint32_t walked = ServeRequestBlock(block, *this);
  return overrideReply ? reply : walked;
}

void MemoryOffsetServer::ReadOffsets(std::uint32_t offset, std::span<std::byte> out) {
  std::fill(out.begin(), out.end(), std::byte{0});
  if (offset >= offsets_.size()) return;
  const std::size_t count = std::min(out.size(), offsets_.size() - offset);
  std::memcpy(out.data(), offsets_.data() + offset, count);
}

void MemoryOffsetServer::WriteOffsets(std::uint32_t offset, std::span<const std::byte> in) {
  if (offset >= offsets_.size()) return;
  const std::size_t count = std::min(in.size(), offsets_.size() - offset);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = offset + i;
    if (at >= kOffsetServerVersion && at < kOffsetSimulatorVersion + 4) continue;
    offsets_[at] = in[i];
  }
}

}  // namespace corvane::simlink
