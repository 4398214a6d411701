// Fuzzes a plan file (.nav): read as the load button reads it, parsed as the OK button parses the
// listing, and a parsed plan listed again and read back, as saving and loading it would.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "corvane/plan/flight_plan.h"
#include "corvane/plan/plan_files.h"
#include "corvane/plan/plan_listing.h"
#include "formats/text_lines.h"
#include "fuzz/fuzz_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto path = corvane::fuzzing::WriteFuzzFile("fuzz.nav", corvane::fuzzing::AsText(data, size));
  std::vector<std::string> lines;
  try {
    lines = corvane::plan::LoadPlanFile(path);
  } catch (const corvane::formats::TextFileError&) {
    return 0;
  }
  corvane::plan::FlightPlan plan;
  if (corvane::plan::ParsePlanText(lines, plan)) return 0;
  // What the program lists it must read back: a plan saved is a plan that loads again.
  const std::vector<std::string> listed = corvane::plan::ListPlan(plan);
  corvane::plan::FlightPlan reloaded;
  if (corvane::plan::ParsePlanText(listed, reloaded)) std::abort();
  return 0;
}
