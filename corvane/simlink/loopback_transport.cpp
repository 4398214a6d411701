// The in-process transport: same open sequence and block as the real ones, no other process involved.
#include "corvane/simlink/loopback_transport.h"

#include <cstring>

namespace corvane::simlink {

LoopbackTransport::LoopbackTransport(BlockServer& server) : server_(server) {}

ServerClass LoopbackTransport::FindServer() { return faults.serverClass; }

bool LoopbackTransport::RegisterMessage() { return !faults.registerFails; }

bool LoopbackTransport::AddBlockNameAtom(std::string_view blockName) {
  if (faults.atomFails) return false;
  atomName_ = blockName;
  return true;
}

BlockCreation LoopbackTransport::CreateBlock(std::string_view, std::size_t sizeBytes) {
  if (faults.blockCreation != BlockCreation::kCreated) return faults.blockCreation;
  block_ = std::make_unique<std::byte[]>(sizeBytes);
  blockSizeBytes_ = sizeBytes;
  return BlockCreation::kCreated;
}

std::byte* LoopbackTransport::MapBlock() {
  if (faults.mapFails || block_ == nullptr) return nullptr;
  mapped_ = true;
  return block_.get();
}

SendOutcome LoopbackTransport::SendRequest(std::chrono::milliseconds) {
  ++sendAttempts_;
  if (!mapped_) return {SendStatus::kOsError, 0};
  if (faults.sendsBeforeFailing > 0) {
    --faults.sendsBeforeFailing;
  } else if (faults.failingSends > 0) {
    --faults.failingSends;
    return {faults.failureStatus, 0};
  }
  std::span<std::byte> block(block_.get(), blockSizeBytes_);
  const std::uint32_t reply = server_.ServeBlock(block);
  ++requestsServed_;
  if (faults.tamper) faults.tamper(block);
  return {SendStatus::kDelivered, reply};
}

void LoopbackTransport::Release() {
  mapped_ = false;
  block_.reset();
  blockSizeBytes_ = 0;
  atomName_.clear();
}

}  // namespace corvane::simlink
