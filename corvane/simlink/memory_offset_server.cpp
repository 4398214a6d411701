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

void ReadOffsetSpace(const OffsetSpace& space, std::uint32_t offset, std::span<std::byte> out) {
  std::fill(out.begin(), out.end(), std::byte{0});
  if (offset >= space.size()) return;
  std::memcpy(out.data(), space.data() + offset, std::min(out.size(), space.size() - offset));
}

std::size_t WriteOffsetSpace(OffsetSpace& space, std::uint32_t offset, std::span<const std::byte> in) {
  if (offset >= space.size()) return 0;
  const std::size_t count = std::min(in.size(), space.size() - offset);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = offset + i;
    if (at >= kOffsetServerVersion && at < kOffsetSimulatorVersion + 4) continue;
    space[at] = in[i];
  }
  return count;
}

void MemoryOffsetServer::ReadOffsets(std::uint32_t offset, std::span<std::byte> out) {
  ReadOffsetSpace(offsets_, offset, out);
}

void MemoryOffsetServer::WriteOffsets(std::uint32_t offset, std::span<const std::byte> in) {
  WriteOffsetSpace(offsets_, offset, in);
}

}  // namespace corvane::simlink
