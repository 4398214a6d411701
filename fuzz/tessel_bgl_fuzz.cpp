// Fuzzes the decoding of one scenery file and the rows made from it.
#include <cstddef>
#include <cstdint>
#include <span>

#include "tessel/bgl_decoder.h"
#include "tessel/byte_source.h"
#include "tessel/scenery_rows.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tessel::MemoryByteSource source(std::as_bytes(std::span<const std::uint8_t>(data, size)));
  // One scanned file kept across runs, as a scan worker keeps it.
  static tessel::ScannedFile scanned;
  scanned.Clear();
  tessel::SceneryRowWriter writer{tessel::OutputKinds{}};
  writer.BeginFile("fuzz.bgl", scanned);
  tessel::DecodeBglFile(source, writer);
  return 0;
}
