// Fuzzes the FSUIPC client against a hostile server: each batch is first served as a server would,
// its reads answered with bytes from the input, then bytes of the input are written over the block
// anywhere, headers included, before the reply. The link opens and polls as the window's timer does.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "corvane/simlink/aircraft_state.h"
#include "corvane/simlink/ipc_transport.h"
#include "corvane/simlink/ipc_wire.h"
#include "corvane/simlink/sim_link.h"

namespace {

using namespace corvane::simlink;

// Hands out the input a byte at a time, then zeros.
class InputStream {
 public:
  InputStream(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t Byte() { return position_ < size_ ? data_[position_++] : 0; }
  std::uint16_t Word() { return static_cast<std::uint16_t>(Byte() | Byte() << 8); }
  bool Empty() const { return position_ >= size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

class InputOffsets final : public OffsetSpaceAccess {
 public:
  explicit InputOffsets(InputStream& input) : input_(input) {}
  void ReadOffsets(std::uint32_t, std::span<std::byte> out) override {
    for (std::byte& value : out) value = std::byte{input_.Byte()};
  }
  void WriteOffsets(std::uint32_t, std::span<const std::byte>) override {}

 private:
  InputStream& input_;
};

class HostileServer final : public IpcTransport {
 public:
  explicit HostileServer(InputStream& input) : input_(input), block_(kBlockSizeBytes) {}
  ServerClass FindServer() override { return ServerClass::kUipcMain; }
  bool RegisterMessage() override { return true; }
  bool AddBlockNameAtom(std::string_view) override { return true; }
  BlockCreation CreateBlock(std::string_view, std::size_t) override { return BlockCreation::kCreated; }
  std::byte* MapBlock() override { return block_.data(); }
  SendOutcome SendRequest(std::chrono::milliseconds) override {
    const std::uint8_t control = input_.Byte();
    if (control & 0x80) return {SendStatus::kTimedOut, 0};
    InputOffsets offsets(input_);
    std::uint32_t reply = ServeRequestBlock(block_, offsets);
    for (int patch = 0; patch < (control & 3); ++patch) {
      const std::size_t at = input_.Word() % kBlockSizeBytes;
      const std::size_t length = input_.Byte();
      for (std::size_t index = 0; index < length && at + index < kBlockSizeBytes; ++index)
        block_[at + index] = std::byte{input_.Byte()};
    }
    if (control & 0x40) reply = input_.Byte();
    return {SendStatus::kDelivered, reply};
  }
  void Release() override {}
  std::uint32_t ProcessId() override { return 4242; }

 private:
  InputStream& input_;
  std::vector<std::byte> block_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  InputStream input(data, size);
  HostileServer server(input);
  SimLink link(server, [](std::chrono::milliseconds) {});
  SimLinkResult result = SimLinkResult::kNotOpen;
  link.Open(0, result);
  AircraftState state;
  TrafficList traffic;
  for (int tick = 0; tick < 4 && !input.Empty(); ++tick) {
    (void)PollCaption(PollAircraft(link, state, traffic), "CORVANE", link);
  }
  return 0;
}
