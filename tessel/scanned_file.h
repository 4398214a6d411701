// What the scan of one scenery file adds to a run, gathered apart from the run so that files can be
// decoded side by side and joined in list order.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "tessel/run_observer.h"
#include "tessel/text_block.h"

namespace tessel {

// The rows of the four sorted files, in scan order.
struct RowLists {
  std::vector<std::string> airports;
  std::vector<std::string> vors;
  std::vector<std::string> ilss;
  std::vector<std::string> ndbs;
};

// The scan-order files, in the order they are opened.
enum class ScanOutput : std::size_t {
  Runways,
  Heliports,
  AirportLayout,
  VorsAll,
  NdbsAll,
  AirportsAll,
  IlssAll,
  Count
};
inline constexpr std::size_t kScanOutputCount = static_cast<std::size_t>(ScanOutput::Count);

// Problems a run lists once however many files meet them; the rest are listed each time.
enum class ProblemScope { EachTime, TaxiPointLimit, ParkingLimit, Count };

struct ScannedFile {
  struct Problem {
    std::string text;
    ProblemScope scope = ProblemScope::EachTime;
  };

  std::array<TextBlock, kScanOutputCount> text;
  RowLists rows;
  RunLists lists;  // the RWY, HEL and ARPView lines
  std::vector<Problem> problems;
  bool damaged = false;

  TextBlock& operator[](ScanOutput output) { return text[static_cast<std::size_t>(output)]; }
  const TextBlock& operator[](ScanOutput output) const { return text[static_cast<std::size_t>(output)]; }
  // Empties everything and keeps the memory for the next file.
  void Clear();
};

}  // namespace tessel
