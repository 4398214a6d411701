// A server whose offset space is a plain 64 KiB array: the fake simulator of the link's tests.
// Like a real server it keeps its version words: client writes to 0x3304 … 0x330B change nothing.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <span>

#include "corvane/simlink/ipc_wire.h"
#include "corvane/simlink/loopback_transport.h"

namespace corvane::simlink {

inline constexpr std::size_t kOffsetSpaceBytes = 65536;
using OffsetSpace = std::array<std::byte, kOffsetSpaceBytes>;

// A server's reads of its offset space: what lies past the end reads as zero.
void ReadOffsetSpace(const OffsetSpace& space, std::uint32_t offset, std::span<std::byte> out);
// A client's write into a server's offset space: what lies past the end is dropped and the version words
// of the handshake (0x3304 … 0x330B) stay. Returns how many bytes fell inside the space.
std::size_t WriteOffsetSpace(OffsetSpace& space, std::uint32_t offset, std::span<const std::byte> in);
// Whether the sizeBytes from offset touch the fieldBytes of the field.
inline bool Overlaps(std::uint32_t offset, std::size_t sizeBytes, std::uint32_t field, std::uint32_t fieldBytes) {
  return offset < field + fieldBytes && field < offset + sizeBytes;
}

class MemoryOffsetServer : public BlockServer, public OffsetSpaceAccess {
 public:
  // Starts with the handshake words of a Flight Simulator server.
  MemoryOffsetServer();

  std::uint32_t ServeBlock(std::span<std::byte> block) override;
  void ReadOffsets(std::uint32_t offset, std::span<std::byte> out) override;
  void WriteOffsets(std::uint32_t offset, std::span<const std::byte> in) override;

  // The test's own access: unlike a client write it may change the handshake words.
  template <typename T>
  void Set(std::uint32_t offset, T value) {
    if (offset + sizeof value <= offsets_.size()) std::memcpy(offsets_.data() + offset, &value, sizeof value);
  }
  template <typename T>
  T Get(std::uint32_t offset) {
    T value{};
    ReadOffsets(offset, std::as_writable_bytes(std::span<T, 1>(&value, 1)));
    return value;
  }

  // Returned instead of the walk's own reply when set.
  bool overrideReply = false;
  std::uint32_t reply = 1;

 private:
  OffsetSpace offsets_{};
};

}  // namespace corvane::simlink
