// Fuzzes the FlightGear bridge's reading of property-server replies: the input is what FlightGear sends,
// cut into lines as the connection cuts them (LF, one CR before it dropped) and handed out as the
// backend does, the poll's values first and then the /ai/models listing up to its empty line. Each
// complete poll is absorbed, the offsets corvane polls are read, the writes corvane makes are turned into
// commands, and the next poll is built from the traffic the listing named.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tools/simhost/flightgear_mapping.h"
#include "tools/simhost/property_connection.h"

namespace {

using corvane::simhost::FlightGearMapping;
using corvane::simhost::TakeLine;

// As many as the backend takes before it gives up on a listing.
constexpr std::size_t kMaxListingLines = 4096;

// The offsets corvane polls, read over their whole range in a few large pieces.
void ReadEverything(FlightGearMapping& mapping) {
  std::vector<std::byte> block(0x10000);
  mapping.ReadOffsets(0, block);
}

// A few writes corvane's autopilot makes, their values taken from the input.
void WriteFromInput(FlightGearMapping& mapping, std::string_view input) {
  static constexpr std::uint32_t kOffsets[] = {0x07BC, 0x07CC, 0x07D0, 0x07D4, 0x07E2, 0x07F2, 0x0B4C, 0x0330};
  for (std::size_t i = 0; i < std::size(kOffsets); ++i) {
    std::byte value[4] = {};
    for (std::size_t k = 0; k < 4 && i * 4 + k < input.size(); ++k) value[k] = std::byte(input[i * 4 + k]);
    mapping.WriteOffsets(kOffsets[i], value);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  FlightGearMapping mapping(size > 0 && (data[0] & 1) != 0);
  std::vector<std::string> values;
  std::vector<std::string> listing;
  std::string received(input);
  std::string line;
  // An unfinished last line waits for more, as on the connection.
  while (TakeLine(received, line)) {
    if (values.size() < mapping.valueCount()) {
      values.push_back(std::move(line));
      continue;
    }
    if (!line.empty()) {
      if (listing.size() >= kMaxListingLines) break;
      listing.push_back(std::move(line));
      continue;
    }
    mapping.AbsorbPoll(values, listing);
    ReadEverything(mapping);
    WriteFromInput(mapping, received);
    (void)mapping.TakeCommands();
    (void)mapping.StateLine();
    (void)mapping.PollRequest();
    values.clear();
    listing.clear();
  }
  return 0;
}
