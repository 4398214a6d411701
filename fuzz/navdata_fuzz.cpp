// Fuzzes the navigation data loaders: the input's first byte picks the data file and the family it
// belongs to, the rest is that file, loaded with the whole database as the window loads its folder.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "corvane/navdata/nav_database_load.h"
#include "corvane/navdata/nav_loaders.h"
#include "fuzz/fuzz_files.h"

namespace {

using corvane::navdata::DatabaseSource;
namespace names = corvane::navdata::nav_file_names;

struct DataFileChoice {
  std::string_view name;
  DatabaseSource source;
};

constexpr std::array<DataFileChoice, 16> kChoices = {{
    {names::kXPlaneAirports, DatabaseSource::kXPlane},
    {names::kXPlaneVors, DatabaseSource::kXPlane},
    {names::kXPlaneNdbs, DatabaseSource::kXPlane},
    {names::kXPlaneRunways, DatabaseSource::kXPlane},
    {names::kFixes, DatabaseSource::kXPlane},
    {names::kAirways, DatabaseSource::kXPlane},
    {names::kGeoLines, DatabaseSource::kXPlane},
    {names::kUserData, DatabaseSource::kXPlane},
    {names::kFsAirports, DatabaseSource::kFs},
    {names::kFsHeliports, DatabaseSource::kFs},
    {names::kFsVors, DatabaseSource::kFs},
    {names::kFsIls, DatabaseSource::kFs},
    {names::kFsNdbs, DatabaseSource::kFs},
    {names::kFsRunways, DatabaseSource::kFs},
    {names::kUserData, DatabaseSource::kFs},
    {names::kFixes, DatabaseSource::kFs},
}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const DataFileChoice& choice = kChoices[data[0] % kChoices.size()];
  corvane::fuzzing::ClearFuzzFolder();
  corvane::fuzzing::WriteFuzzFile(choice.name, corvane::fuzzing::AsText(data + 1, size - 1));
  // One database kept across runs, as the window keeps its own across reloads.
  static corvane::navdata::NavDatabase database;
  corvane::navdata::LoadNavDatabase(database, corvane::fuzzing::FuzzFolder(), choice.source);
  return 0;
}
