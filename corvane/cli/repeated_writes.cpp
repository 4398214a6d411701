#include "repeated_writes.h"

#include <algorithm>
#include <cstring>

#include "corvane/simlink/offset_codec.h"

namespace corvane::shell {

simlink::BlockCreation RepeatedWriteWatch::CreateBlock(std::string_view blockName, std::size_t sizeBytes) {
  blockBytes_ = sizeBytes;
  return inner_.CreateBlock(blockName, sizeBytes);
}

std::byte* RepeatedWriteWatch::MapBlock() {
  block_ = inner_.MapBlock();
  return block_;
}

simlink::SendOutcome RepeatedWriteWatch::SendRequest(std::chrono::milliseconds timeout) {
  if (block_ != nullptr && blockBytes_ > 0) {
    // A copy is walked, so the server still gets the block exactly as the client left it.
    std::vector<std::byte> copy(block_, block_ + blockBytes_);
    Recorder recorder(*this);
    simlink::ServeRequestBlock(copy, recorder);
  }
  return inner_.SendRequest(timeout);
}

void RepeatedWriteWatch::Release() {
  block_ = nullptr;
  blockBytes_ = 0;
  inner_.Release();
}

void RepeatedWriteWatch::EndSecond() {
  if (repeatedThisSecond_) ++repeatedSeconds_;
  repeatedThisSecond_ = false;
  thisSecond_.clear();
}

void RepeatedWriteWatch::Recorder::ReadOffsets(std::uint32_t, std::span<std::byte> out) {
  std::fill(out.begin(), out.end(), std::byte{0});
}

void RepeatedWriteWatch::Recorder::WriteOffsets(std::uint32_t offset, std::span<const std::byte> in) {
  if (offset != simlink::kOffsetApHeading && offset != simlink::kOffsetApAltitude &&
      offset != simlink::kOffsetApVerticalSpeed) {
    return;
  }
  TargetWrite write{offset, 0};
  std::memcpy(&write.value, in.data(), std::min(in.size(), sizeof write.value));
  const auto same = [&](const TargetWrite& earlier) {
    return earlier.offset == write.offset && earlier.value == write.value;
  };
  if (std::any_of(watch_.thisSecond_.begin(), watch_.thisSecond_.end(), same)) watch_.repeatedThisSecond_ = true;
  watch_.thisSecond_.push_back(write);
}

}  // namespace corvane::shell
