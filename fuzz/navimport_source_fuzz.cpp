// Fuzzes navimport's readers of the X-Plane source files and of the TopoJSON outlines: the input's
// first byte picks the reader, the rest is the file, read (and unpacked when it is gzip) as navimport
// reads its sources, with the whole world as the box.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_files.h"
#include "tools/navimport/airport_source.h"
#include "tools/navimport/airway_source.h"
#include "tools/navimport/fix_source.h"
#include "tools/navimport/geo_box.h"
#include "tools/navimport/import_report.h"
#include "tools/navimport/layout_rows.h"
#include "tools/navimport/localizer_source.h"
#include "tools/navimport/navaid_source.h"
#include "tools/navimport/source_file.h"
#include "tools/navimport/topojson_geo.h"

namespace {

using namespace corvane::navimport;

void ReadSource(std::uint8_t reader, const std::filesystem::path& path) {
  const SourceFile file = SourceFile::Read(path);
  const GeoBox world;
  ImportReport report;
  switch (reader) {
    case 0: {
      const std::vector<SourceAirport> airports = ReadAirports(
          file, [](std::string_view) { return true; }, report);
      std::string layout;
      std::vector<std::string> errors;
      for (const SourceAirport& airport : airports) AppendAirportLayout(airport, layout, errors);
      break;
    }
    case 1: (void)ReadAirwaySegments(file, world, report); break;
    case 2: (void)ReadFixes(file, world, report); break;
    case 3: (void)ReadNavaids(file, world, report); break;
    default: (void)ReadLocalizerLabels(file, report); break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t reader = data[0] % 7;
  const auto path = corvane::fuzzing::WriteFuzzFile("source", corvane::fuzzing::AsText(data + 1, size - 1));
  try {
    if (reader < 5) {
      ReadSource(reader, path);
    } else {
      const std::string json = ReadPossiblyCompressed(path);
      (void)(reader == 5 ? OutlineSegments(json, "land") : SharedBorderSegments(json, "countries"));
    }
  } catch (const SourceFileError&) {
    // navimport reports a source it cannot read, or a malformed outline file, and goes on.
  } catch (const TopologyError&) {
  }
  return 0;
}
