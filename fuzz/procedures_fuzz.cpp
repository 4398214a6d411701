// Fuzzes the SID and STAR files: the input's first line is the airport field, the rest the file. The
// airport's procedures are loaded and stepped through, forwards and back, as the procedure buttons do.
#include <cstddef>
#include <cstdint>
#include <string>

#include "corvane/plan/procedures.h"
#include "fuzz/fuzz_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace corvane;
  const auto [airportField, fileText] = fuzzing::SplitFirstLine(fuzzing::AsText(data, size));
  fuzzing::WriteFuzzFile(plan::kSidFileName, fileText);
  static plan::ProcedureTable table;
  const plan::ProcedureLoadResult result =
      plan::LoadProcedures(fuzzing::FuzzFolder(), plan::kSidFileName, airportField, table);
  if (result.outcome != plan::ProcedureLoadOutcome::kLoaded) return 0;
  // Every procedure once each way, and back to the first.
  for (std::int32_t step = 0; step < table.pointCount() + 1 && table.selected != 0; ++step) {
    (void)plan::SelectedProcedureText(table);
    table.selected = plan::NextProcedure(table);
  }
  for (std::int32_t step = 0; step < table.pointCount() + 1 && table.selected != 0; ++step) {
    (void)plan::SelectedProcedureText(table);
    table.selected = plan::PreviousProcedure(table);
  }
  return 0;
}
