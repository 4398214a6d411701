// Fuzzes the airport layout file, its index and the runway file read with it. The input's first line
// is the ident typed into the field; the rest is the layout file up to a form feed, the runway file
// after it. The airport is loaded twice, the second time from the cached index, as the view reopens.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "corvane/airport/airport_layout.h"
#include "corvane/navdata/nav_search.h"
#include "fuzz/fuzz_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace corvane;
  const auto [identField, files] = fuzzing::SplitFirstLine(fuzzing::AsText(data, size));
  const std::size_t split = files.find('\f');
  const std::string_view layoutText = files.substr(0, split);
  const std::string_view runwayText = split == std::string_view::npos ? std::string_view{} : files.substr(split + 1);
  fuzzing::ClearFuzzFolder();
  fuzzing::WriteFuzzFile(airport::layout_file_names::kXPlaneLayout, layoutText);
  fuzzing::WriteFuzzFile(airport::layout_file_names::kXPlaneRunways, runwayText);

  const std::string ident = navdata::UpperCaseQuery(identField);
  airport::LayoutFileCache cache;
  airport::AirportLayout layout;
  for (int load = 0; load < 2; ++load) {
    airport::LoadAirportLayout(cache, fuzzing::FuzzFolder(), navdata::DatabaseSource::kXPlane, ident, layout);
    (void)airport::LayoutCentre(layout);
  }
  return 0;
}
