// The FSUIPC wire: request records in the shared block, and the Linux framing that carries them.
//
// Shared block (both platforms). 32768 bytes; the client queues records back to back from byte 0 and
// ends them with a 32-bit 0. All integers are little-endian 32-bit.
//   read record:  1, offset, size, destination, then `size` bytes the server fills in place
//   write record: 2, offset, size, then `size` bytes of the new value
// The destination field belongs to the client: the server leaves it untouched.
//
// Linux transport (what a Windows server gets through its window class, atom and window message):
//   * Server lookup. A server listens on Unix sockets of type SOCK_SEQPACKET named after the window
//     classes, "UIPCMAIN" and "FS98MAIN", in the folder "$XDG_RUNTIME_DIR/corvane-fsuipc" (without that
//     variable: "/tmp/corvane-fsuipc-<uid>"). The folder is created with mode 0700; both ends refuse a
//     folder that is not a directory owned by the user or that group or others may enter.
//   * Block. The client creates the POSIX shared-memory object "/" + block name (the block name is
//     "FsasmLib:IPC:<pid>:<counter>" in upper-case hex) exclusively, mode 0600, sized 32768 bytes, and
//     unlinks it on Close. The server opens it read-write by that name.
//   * One request per batch. The client sends one RequestFrame naming the block; the server walks the
//     block, answers the reads in place, applies the writes and sends one ReplyFrame with the same
//     sequence number and the reply value (1 = processed, 0 = the block was malformed). The
//     connection is kept between batches; a time-out or a broken connection makes the client drop it
//     and connect again on its next attempt, so a late reply can never be taken for a newer one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace corvane::simlink {

inline constexpr std::size_t kBlockSizeBytes = 32768;
inline constexpr std::size_t kBlockUsableBytes = 32512;
inline constexpr std::uint32_t kReadMarker = 1;
inline constexpr std::uint32_t kWriteMarker = 2;
inline constexpr std::size_t kReadHeaderBytes = 16;
inline constexpr std::size_t kWriteHeaderBytes = 12;
inline constexpr std::size_t kTerminatorBytes = 4;
inline constexpr std::uint32_t kReplyProcessed = 1;

inline constexpr std::string_view kServerClassMain = "UIPCMAIN";
inline constexpr std::string_view kServerClassFs98 = "FS98MAIN";
inline constexpr std::string_view kMessageName = "FsasmLib:IPC";
inline constexpr std::string_view kSocketFolderName = "corvane-fsuipc";

inline constexpr std::uint32_t kRequestMagic = 0x50495346;  // "FSIP"
inline constexpr std::uint32_t kReplyMagic = 0x52495346;    // "FSIR"
inline constexpr std::size_t kMaxBlockNameBytes = 63;

struct RequestFrame {
  std::uint32_t magic = kRequestMagic;
  std::uint32_t sequence = 0;
  std::uint32_t blockSizeBytes = kBlockSizeBytes;
  std::uint32_t nameLength = 0;
  char blockName[kMaxBlockNameBytes + 1] = {};
};

struct ReplyFrame {
  std::uint32_t magic = kReplyMagic;
  std::uint32_t sequence = 0;
  std::uint32_t reply = 0;
};

// A block name the server accepts: what the client builds, printable, no / or \, not too long.
bool IsValidBlockName(std::string_view name);

// The server's view of its offset space while it serves a block.
class OffsetSpaceAccess {
 public:
  virtual ~OffsetSpaceAccess() = default;
  virtual void ReadOffsets(std::uint32_t offset, std::span<std::byte> out) = 0;
  virtual void WriteOffsets(std::uint32_t offset, std::span<const std::byte> in) = 0;
};

// Serves one block the way an FSUIPC server does. Every header field is read once, so a client that
// changes the block meanwhile cannot make the walk leave it. Returns the reply value: 1 when the walk
// reached the terminator, 0 when a record ran past the block or carried an unknown marker.
std::uint32_t ServeRequestBlock(std::span<std::byte> block, OffsetSpaceAccess& offsets);

}  // namespace corvane::simlink
