// Navigation database: loading a whole world of data files beside `wc -l` over the same files, and a
// name search over the loaded tables. The data folder is $CORVANE_WORLD_DATA, else /work/world-data
// (the navimport output of the whole world), else a synthetic world that fills every table to its
// capacity, written once into a temporary folder.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "corvane/navdata/data_file_name.h"
#include "corvane/navdata/nav_database_load.h"
#include "corvane/navdata/nav_loaders.h"
#include "corvane/navdata/nav_search.h"
#include "formats/dat_rows.h"
#include "formats/nav_rows.h"
#include "formats/text_lines.h"

namespace {

namespace fs = std::filesystem;
using namespace corvane;

class RowFile {
 public:
  explicit RowFile(const fs::path& path) : out_(path, std::ios::binary) {}
  void Line(std::string_view line) {
    formats::AppendTextLine(buffer_, line);
    Flush(false);
  }
  ~RowFile() { Flush(true); }

 private:
  void Flush(bool always) {
    if (!always && buffer_.size() < (1 << 20)) return;
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
  }
  std::ofstream out_;
  std::string buffer_;
};

std::string Ident(std::size_t n, std::size_t width) {
  std::string ident;
  for (std::size_t i = 0; i < width; ++i, n /= 26) ident.insert(ident.begin(), static_cast<char>('A' + n % 26));
  return ident;
}

// Every table as full as its capacity allows, at random places on the globe, in the X-Plane family.
void WriteSyntheticWorld(const fs::path& folder) {
  fs::create_directories(folder);
  std::mt19937_64 random(8);
  std::uniform_real_distribution<double> latitude(-85.0, 85.0);
  std::uniform_real_distribution<double> longitude(-180.0, 180.0);
  {
    RowFile file(folder / "NAVapt.dat");
    for (std::size_t i = 0; i < navdata::AirportTable::kMaxRows; ++i) {
      const std::string ident = Ident(i, 4);
      file.Line(formats::FormatAirportRow({ident, latitude(random), longitude(random), 12000, std::nullopt,
                                           "SYNTHETIC AIRPORT NAME OF A USUAL LENGTH"}));
    }
  }
  {
    RowFile file(folder / "NAVrwy.dat");
    for (std::size_t i = 0; i < navdata::RunwayEndTable::kMaxRows / 2; ++i) {
      const std::string ident = Ident(i / 3, 4);
      const formats::RunwayEndLines lines =
          formats::FormatRunwayRows({ident, 9, 1, 27, 2, latitude(random), longitude(random), 92.5, 2500});
      file.Line(lines.primary);
      file.Line(lines.opposite);
    }
  }
  // Beacons: VORs and NDBs to the table's capacity.
  {
    RowFile vors(folder / "NAVvor.dat");
    RowFile ndbs(folder / "NAVndb.dat");
    for (std::size_t i = 0; i < navdata::BeaconTable::kMaxRows; ++i) {
      const std::string ident = Ident(i, 3);
      const formats::BeaconRow row{ident,    latitude(random),    longitude(random), i % 2 ? 113300000u : 35000u,
                                   "BEACON", "/scenery/world.bgl"};
      (i % 2 ? vors : ndbs).Line(formats::FormatBeaconRow(row));
    }
  }
  {
    RowFile file(folder / "NAVwpt.dat");
    for (std::size_t i = 0; i < navdata::FixTable::kMaxRows; ++i) {
      file.Line(formats::FormatFixRow(Ident(i, 5), latitude(random), longitude(random)));
    }
  }
  {
    RowFile file(folder / "NAVawy.dat");
    for (int i = 0; i < 19; ++i) file.Line("header line");
    // Airways of ten points: nine segments each.
    std::size_t segments = 0;
    for (std::size_t airway = 0; segments < navdata::AirwaySegmentTable::kMaxRows; ++airway) {
      const std::string name = "A" + std::to_string(airway);
      double lat = latitude(random);
      double lon = longitude(random);
      for (int point = 0; point < 10 && segments < navdata::AirwaySegmentTable::kMaxRows; ++point) {
        const std::string ident = Ident(airway * 10 + point, 5);
        file.Line(formats::FormatAirwayPointRow({name, point + 1, ident, lat, lon, 'H'}));
        if (point > 0) ++segments;
        lat += 0.3;
        lon += 0.2;
      }
    }
  }
  {
    RowFile file(folder / "corvane_geo.dat");
    double lat = 10.0;
    double lon = 10.0;
    for (std::size_t i = 0; i < navdata::GeoSegmentTable::kMaxRows; ++i) {
      if (i % 100000 == 0) file.Line(formats::FormatGeoLayerRow(static_cast<int>(1 + i / 100000)));
      const double nextLat = i % 1000 == 0 ? latitude(random) : lat + 0.01;
      const double nextLon = i % 1000 == 0 ? longitude(random) : lon + 0.01;
      file.Line(formats::FormatGeoSegmentRow(lat, lon, nextLat, nextLon));
      lat = nextLat;
      lon = nextLon;
    }
  }
}

const fs::path& DataFolder() {
  static const fs::path folder = [] {
    if (const char* chosen = std::getenv("CORVANE_WORLD_DATA")) return fs::path(chosen);
    if (fs::exists("/work/world-data/NAVwpt.dat")) return fs::path("/work/world-data");
    const fs::path synthetic = fs::temp_directory_path() / "corvane_bench_synthetic_world";
    if (!fs::exists(synthetic / "corvane_geo.dat")) WriteSyntheticWorld(synthetic);
    return synthetic;
  }();
  return folder;
}

// The files the X-Plane family load reads, and only those.
std::string DataFileList() {
  namespace names = navdata::nav_file_names;
  std::string list;
  for (std::string_view name : {names::kXPlaneAirports, names::kXPlaneVors, names::kXPlaneNdbs, names::kXPlaneRunways,
                                names::kFixes, names::kAirways, names::kGeoLines, names::kUserData}) {
    if (const auto path = navdata::FindFileIgnoringCase(DataFolder(), name)) list += " '" + path->string() + "'";
  }
  return list;
}

void BM_LoadNavDatabaseWorld(benchmark::State& state) {
  const fs::path& folder = DataFolder();
  std::size_t rows = 0;
  for (auto _ : state) {
    navdata::NavDatabase database;
    const navdata::LoadReport report = navdata::LoadNavDatabase(database, folder, navdata::DatabaseSource::kXPlane);
    rows = 0;
    for (const navdata::TableLoadCount& count : report.tables) rows += count.loaded;
    benchmark::DoNotOptimize(database);
  }
  state.counters["rows"] = static_cast<double>(rows);
  state.SetLabel(folder.string());
}
BENCHMARK(BM_LoadNavDatabaseWorld)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same files through `wc -l`, the floor of reading them line by line.
void BM_WcLinesWorld(benchmark::State& state) {
  const std::string command = "wc -l" + DataFileList() + " > /dev/null";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("wc -l failed");
  }
}
BENCHMARK(BM_WcLinesWorld)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SearchTwoLetters(benchmark::State& state) {
  static const navdata::NavDatabase database = [] {
    navdata::NavDatabase loaded;
    navdata::LoadNavDatabase(loaded, DataFolder(), navdata::DatabaseSource::kXPlane);
    return loaded;
  }();
  navdata::SearchResultTable results;
  for (auto _ : state) {
    benchmark::DoNotOptimize(navdata::SearchNavDatabase(database, "ZQ", 52.0, 5.0, results));
  }
}
BENCHMARK(BM_SearchTwoLetters)->Unit(benchmark::kMicrosecond);

}  // namespace
