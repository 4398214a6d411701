// The server's half of the record format, shared by the stand-in simulator and the in-process servers.
#include "corvane/simlink/ipc_wire.h"

#include <cstring>

namespace corvane::simlink {
namespace {

std::uint32_t LoadU32(std::span<const std::byte> block, std::size_t position) {
  std::uint32_t value = 0;
  std::memcpy(&value, block.data() + position, sizeof value);
  return value;
}

}  // namespace

bool IsValidBlockName(std::string_view name) {
  if (name.empty() || name.size() > kMaxBlockNameBytes) return false;
  for (char c : name) {
    // Neither separator: a name must not reach another folder or, on Windows, another object namespace.
    if (c <= ' ' || c > '~' || c == '/' || c == '\\') return false;
  }
  return true;
}

std::uint32_t ServeRequestBlock(std::span<std::byte> block, OffsetSpaceAccess& offsets) {
  std::size_t position = 0;
  while (position + kTerminatorBytes <= block.size()) {
    const std::uint32_t marker = LoadU32(block, position);
    if (marker == 0) return kReplyProcessed;
    const std::size_t headerBytes = marker == kReadMarker ? kReadHeaderBytes : kWriteHeaderBytes;
    if ((marker != kReadMarker && marker != kWriteMarker) || position + headerBytes > block.size()) return 0;
    const std::uint32_t offset = LoadU32(block, position + 4);
    const std::uint64_t sizeBytes = LoadU32(block, position + 8);
    const std::size_t dataStart = position + headerBytes;
    if (sizeBytes > block.size() - dataStart) return 0;
    std::span<std::byte> data = block.subspan(dataStart, static_cast<std::size_t>(sizeBytes));
    if (marker == kReadMarker) {
      offsets.ReadOffsets(offset, data);
    } else {
      offsets.WriteOffsets(offset, data);
    }
    position = dataStart + data.size();
  }
  return 0;
}

}  // namespace corvane::simlink
