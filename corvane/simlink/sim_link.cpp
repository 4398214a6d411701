// SimLink: open handshake, record queueing, the batch send with its retries, and the unpacking of answers.
#include "corvane/simlink/sim_link.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <thread>

#include "corvane/simlink/ipc_wire.h"

namespace corvane::simlink {
namespace {

// Process-wide so that a reopened link never reuses a block name.
std::atomic<std::uint32_t> g_openCounter{0};

constexpr std::size_t kMaxRecords = kBlockUsableBytes / kWriteHeaderBytes + 1;

std::uint32_t LoadU32(const std::byte* at) {
  std::uint32_t value = 0;
  std::memcpy(&value, at, sizeof value);
  return value;
}

}  // namespace

std::string FormatBlockName(std::uint32_t processId, std::uint32_t counter) {
  char text[40];
  std::snprintf(text, sizeof text, "FsasmLib:IPC:%X:%X", processId, counter);
  return text;
}

SimLink::SimLink(IpcTransport& transport, SleepFunction sleep) : transport_(transport), sleep_(std::move(sleep)) {
  if (!sleep_) sleep_ = [](std::chrono::milliseconds pause) { std::this_thread::sleep_for(pause); };
  destinations_.reserve(kMaxRecords);
}

SimLink::~SimLink() { Close(); }

bool SimLink::Open(std::uint32_t requestedSimulator, SimLinkResult& result) {
  // An open link stays as it is, and so does the result of the open that made it.
  if (view_ != nullptr) {
    result = SimLinkResult::kAlreadyOpen;
    return false;
  }
  const bool opened = OpenSteps(requestedSimulator, result);
  openResult_ = result;
  return opened;
}

bool SimLink::OpenSteps(std::uint32_t requestedSimulator, SimLinkResult& result) {
  serverVersion_ = 0;
  simulatorVersion_ = 0;
  simulatorName_.clear();
  const ServerClass serverClass = transport_.FindServer();
  if (serverClass == ServerClass::kNone) {
    result = SimLinkResult::kNoServer;
    return false;
  }
  if (!transport_.RegisterMessage()) {
    result = SimLinkResult::kRegisterMessageFailed;
    transport_.Release();
    return false;
  }
  blockName_ = FormatBlockName(transport_.ProcessId(), ++g_openCounter);
  if (!transport_.AddBlockNameAtom(blockName_)) {
    result = SimLinkResult::kAtomFailed;
    Close();
    return false;
  }
  if (transport_.CreateBlock(blockName_, kBlockSizeBytes) != BlockCreation::kCreated) {
    result = SimLinkResult::kCreateBlockFailed;
    Close();
    return false;
  }
  view_ = transport_.MapBlock();
  if (view_ == nullptr) {
    result = SimLinkResult::kMapBlockFailed;
    Close();
    return false;
  }
  nextBytes_ = 0;
  destinations_.clear();
  if (!Handshake(result)) {
    Close();
    return false;
  }
  if (serverVersion_ < kMinimumServerVersion || (simulatorVersion_ >> 16) != kSimulatorWordHigh) {
    result =
        serverClass == ServerClass::kFs98Main ? SimLinkResult::kVersionRefusedFs98 : SimLinkResult::kVersionRefused;
    Close();
    return false;
  }
  simulatorVersion_ &= 0xFFFF;
  if (requestedSimulator != 0 && requestedSimulator != simulatorVersion_) {
    result = SimLinkResult::kWrongSimulator;
    Close();
    return false;
  }
  result = SimLinkResult::kOk;
  simulatorName_ = serverVersion_ > kXPlaneServerVersionAbove ? "XPlane" : "FlightSim";
  return true;
}

bool SimLink::Handshake(SimLinkResult& result) {
  for (int pass = 0; pass < kHandshakePasses && (serverVersion_ == 0 || simulatorVersion_ == 0); ++pass) {
    if (!Read(kOffsetServerVersion, 4, &serverVersion_, result)) return false;
    if (!Read(kOffsetSimulatorVersion, 4, &simulatorVersion_, result)) return false;
    if (pass == 0 && !Write(kOffsetClientVersion, 2, &clientVersionWord_, result)) return false;
    if (!Process(result)) return false;
    sleep_(kPause);
  }
  return true;
}

void SimLink::Close() {
  transport_.Release();
  view_ = nullptr;
  nextBytes_ = 0;
  destinations_.clear();
}

bool SimLink::Fits(std::uint64_t recordBytes) const {
  // 64-bit sum: a size near 2^32 must not wrap around and pass the check.
  return nextBytes_ + kTerminatorBytes + recordBytes <= kBlockUsableBytes;
}

void SimLink::StoreU32(std::size_t position, std::uint32_t value) {
  std::memcpy(view_ + position, &value, sizeof value);
}

bool SimLink::Read(std::uint32_t offset, std::uint32_t sizeBytes, void* destination, SimLinkResult& result) {
  if (view_ == nullptr) {
    result = SimLinkResult::kNotOpen;
    return false;
  }
  if (!Fits(std::uint64_t{sizeBytes} + kReadHeaderBytes)) {
    result = SimLinkResult::kRequestTooLarge;
    return false;
  }
  std::uint32_t destinationIndex = 0;
  if (destination != nullptr) {
    destinations_.push_back({static_cast<std::byte*>(destination), sizeBytes});
    destinationIndex = static_cast<std::uint32_t>(destinations_.size());
  }
  StoreU32(nextBytes_, kReadMarker);
  StoreU32(nextBytes_ + 4, offset);
  StoreU32(nextBytes_ + 8, sizeBytes);
  StoreU32(nextBytes_ + 12, destinationIndex);
  std::memset(view_ + nextBytes_ + kReadHeaderBytes, 0, sizeBytes);
  nextBytes_ += kReadHeaderBytes + sizeBytes;
  result = SimLinkResult::kOk;
  return true;
}

bool SimLink::Write(std::uint32_t offset, std::uint32_t sizeBytes, const void* source, SimLinkResult& result) {
  if (view_ == nullptr) {
    result = SimLinkResult::kNotOpen;
    return false;
  }
  if (!Fits(std::uint64_t{sizeBytes} + kWriteHeaderBytes)) {
    result = SimLinkResult::kRequestTooLarge;
    return false;
  }
  StoreU32(nextBytes_, kWriteMarker);
  StoreU32(nextBytes_ + 4, offset);
  StoreU32(nextBytes_ + 8, sizeBytes);
  if (sizeBytes > 0) std::memcpy(view_ + nextBytes_ + kWriteHeaderBytes, source, sizeBytes);
  nextBytes_ += kWriteHeaderBytes + sizeBytes;
  ++writesQueued_;
  result = SimLinkResult::kOk;
  return true;
}

bool SimLink::Process(SimLinkResult& result) {
  if (view_ == nullptr) {
    result = SimLinkResult::kNotOpen;
    return false;
  }
  if (nextBytes_ == 0) {
    result = SimLinkResult::kNothingQueued;
    return false;
  }
  StoreU32(nextBytes_, 0);
  nextBytes_ = 0;  // the queue is empty whatever the server does

  SendOutcome outcome;
  for (int attempt = 1; attempt <= kSendAttempts; ++attempt) {
    outcome = transport_.SendRequest(kSendTimeout);
    if (outcome.status == SendStatus::kDelivered) break;
    if (attempt < kSendAttempts) sleep_(kPause);
  }
  if (outcome.status != SendStatus::kDelivered) {
    destinations_.clear();
    result = outcome.status == SendStatus::kOsError ? SimLinkResult::kSendFailed : SimLinkResult::kTimedOut;
    return false;
  }
  if (outcome.reply != kReplyProcessed) {
    destinations_.clear();
    result = SimLinkResult::kBadReply;
    return false;
  }
  Unpack();
  destinations_.clear();
  result = SimLinkResult::kOk;
  return true;
}

void SimLink::Unpack() {
  // The server owns the block meanwhile: every field is checked against the block end and the
  // destination list before it is used, and each field is read once.
  std::size_t position = 0;
  while (position + kTerminatorBytes <= kBlockSizeBytes) {
    const std::uint32_t marker = LoadU32(view_ + position);
    if (marker == 0) return;
    if (marker != kReadMarker && marker != kWriteMarker) {
      StoreU32(position, 0);
      return;
    }
    const std::size_t headerBytes = marker == kReadMarker ? kReadHeaderBytes : kWriteHeaderBytes;
    if (position + headerBytes > kBlockSizeBytes) return;
    const std::uint64_t sizeBytes = LoadU32(view_ + position + 8);
    const std::size_t dataStart = position + headerBytes;
    if (sizeBytes > kBlockSizeBytes - dataStart) return;
    if (marker == kReadMarker) {
      const std::uint32_t destinationIndex = LoadU32(view_ + position + 12);
      if (destinationIndex != 0 && sizeBytes != 0 && destinationIndex <= destinations_.size()) {
        const Destination& destination = destinations_[destinationIndex - 1];
        // A record whose size no longer matches what was queued would overrun the caller's buffer.
        if (destination.sizeBytes == sizeBytes)
          std::memcpy(destination.pointer, view_ + dataStart, destination.sizeBytes);
      }
    }
    position = dataStart + static_cast<std::size_t>(sizeBytes);
  }
}

}  // namespace corvane::simlink
