// SimLink: the FSUIPC client. Queues read and write records in the shared block and sends them in one batch.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "corvane/simlink/ipc_transport.h"
#include "corvane/simlink/sim_link_result.h"

namespace corvane::simlink {

inline constexpr std::uint32_t kOffsetServerVersion = 0x3304;
inline constexpr std::uint32_t kOffsetSimulatorVersion = 0x3308;
inline constexpr std::uint32_t kOffsetClientVersion = 0x330A;
inline constexpr std::uint32_t kMinimumServerVersion = 0x19980005;
inline constexpr std::uint32_t kSimulatorWordHigh = 0xFADE;
inline constexpr std::uint32_t kXPlaneServerVersionAbove = 0x50000000;

class SimLink {
 public:
  using SleepFunction = std::function<void(std::chrono::milliseconds)>;

  static constexpr int kSendAttempts = 9;
  static constexpr int kHandshakePasses = 5;
  static constexpr std::chrono::milliseconds kSendTimeout{2000};
  static constexpr std::chrono::milliseconds kPause{100};

  // The transport must outlive the link. The sleep function serves the retry and handshake pauses;
  // tests pass one that only records the pauses.
  explicit SimLink(IpcTransport& transport, SleepFunction sleep = {});
  ~SimLink();
  SimLink(const SimLink&) = delete;
  SimLink& operator=(const SimLink&) = delete;

  // requestedSimulator 0 accepts any simulator.
  bool Open(std::uint32_t requestedSimulator, SimLinkResult& result);
  void Close();
  bool Read(std::uint32_t offset, std::uint32_t sizeBytes, void* destination, SimLinkResult& result);
  bool Write(std::uint32_t offset, std::uint32_t sizeBytes, const void* source, SimLinkResult& result);
  bool Process(SimLinkResult& result);

  bool IsOpen() const { return view_ != nullptr; }
  const std::string& simulatorName() const { return simulatorName_; }
  std::uint32_t serverVersion() const { return serverVersion_; }
  // Low 16 bits after a successful open.
  std::uint32_t simulatorVersion() const { return simulatorVersion_; }
  // Result of the last open attempt; polling reads it to tell a dead link from a working one.
  SimLinkResult openResult() const { return openResult_; }
  const std::string& blockName() const { return blockName_; }
  // Write records queued since the link was made: a measure of how busy a client keeps the simulator.
  std::uint64_t writesQueued() const { return writesQueued_; }

 private:
  struct Destination {
    std::byte* pointer;
    std::uint32_t sizeBytes;
  };

  bool OpenSteps(std::uint32_t requestedSimulator, SimLinkResult& result);
  bool Handshake(SimLinkResult& result);
  bool Fits(std::uint64_t recordBytes) const;
  void Unpack();
  void StoreU32(std::size_t position, std::uint32_t value);

  IpcTransport& transport_;
  SleepFunction sleep_;
  std::byte* view_ = nullptr;
  std::size_t nextBytes_ = 0;  // where the next record goes, from the block start
  // Read records carry an index into this list (1-based, 0 = no destination), never an address.
  std::vector<Destination> destinations_;
  std::uint32_t serverVersion_ = 0;
  std::uint32_t simulatorVersion_ = 0;
  std::uint16_t clientVersionWord_ = 0;
  std::string simulatorName_;
  std::string blockName_;
  SimLinkResult openResult_ = SimLinkResult::kNotOpen;
  std::uint64_t writesQueued_ = 0;
};

// The block name for a process id and counter value: "FsasmLib:IPC:%X:%X".
std::string FormatBlockName(std::uint32_t processId, std::uint32_t counter);

}  // namespace corvane::simlink
