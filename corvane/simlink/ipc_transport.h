// The platform side of the simulator link: finding the server, the shared block and the one request per batch.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace corvane::simlink {

// Which of the two server class names answered; the second one changes the refusal code of the handshake.
enum class ServerClass { kNone, kUipcMain, kFs98Main };

enum class BlockCreation { kCreated, kFailed, kAlreadyExists };

enum class SendStatus { kDelivered, kTimedOut, kOsError };

// An undelivered send, by the error code the operating system reported (0 for none). A system time-out
// is an error the system reports, so it counts as a failed send like any other.
constexpr SendStatus UndeliveredSendStatus(std::uint32_t osErrorCode) {
  return osErrorCode != 0 ? SendStatus::kOsError : SendStatus::kTimedOut;
}

struct SendOutcome {
  SendStatus status = SendStatus::kOsError;
  std::uint32_t reply = 0;
};

// One implementation per platform (POSIX, Win32) plus in-process ones for tests and the built-in simulator.
// SimLink calls these in the order of its open sequence; Release undoes whatever succeeded.
class IpcTransport {
 public:
  virtual ~IpcTransport() = default;

  virtual ServerClass FindServer() = 0;
  virtual bool RegisterMessage() = 0;
  // Makes the block name known to the server side (a global atom on Windows). Not named after the Win32
  // call: windows.h makes AddAtom a macro.
  virtual bool AddBlockNameAtom(std::string_view blockName) = 0;
  virtual BlockCreation CreateBlock(std::string_view blockName, std::size_t sizeBytes) = 0;
  // The mapped block, or nullptr when mapping failed.
  virtual std::byte* MapBlock() = 0;
  // Hands the block to the server and waits at most `timeout` for its 32-bit reply.
  virtual SendOutcome SendRequest(std::chrono::milliseconds timeout) = 0;
  // Forgets the server, deletes the atom, unmaps and removes the block. Safe to call at any time.
  virtual void Release() = 0;
  virtual std::uint32_t ProcessId() = 0;
};

}  // namespace corvane::simlink
