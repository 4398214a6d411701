// tessel: scan throughput over a generated scenery tree beside `cat` of the same tree, and the
// sorting of one million airport rows.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "formats/dat_rows.h"
#include "tessel/packed_values.h"
#include "tessel/row_sort.h"
#include "tessel/taxi_node_row.h"
#include "tessel/tessel_run.h"
#include "tessel/testing/bgl_writer.h"

namespace {
namespace fs = std::filesystem;
using namespace tessel;
using namespace tessel::testing;

constexpr int kFolders = 40;
constexpr int kFilesPerFolder = 50;
constexpr int kAirportsPerFile = 7;
const fs::path kTreeRoot = "/tmp/tessel_bench_tree";
const fs::path kOutputFolder = "/tmp/tessel_bench_out";

class QuietObserver final : public RunObserver {
 public:
  void OnStep(std::string_view, TabList) override {}
  void OnProgress(std::size_t, std::size_t) override {}
  void OnProblem(const std::string&) override { ++problems; }
  void OnBucketWarning(const std::string&) override {}
  std::size_t problems = 0;
};

std::string RandomIdent(std::mt19937& random, int length) {
  static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::string ident;
  for (int i = 0; i < length; ++i) ident.push_back(kChars[random() % 36]);
  return ident;
}

// One airport with its runways, helipad, taxiway points, parking and paths: about 12 KB.
BglBytes MakeAirport(std::mt19937& random) {
  std::uniform_real_distribution<double> latitude(-60.0, 70.0), longitude(-179.0, 179.0);
  const double lat = latitude(random), lon = longitude(random);
  BglAirport airport;
  airport.identPacked = EncodePackedIdent((random() % 2 ? "K" : "E") + RandomIdent(random, 3));
  airport.latitudePacked = EncodePackedLatitude(lat);
  airport.longitudePacked = EncodePackedLongitude(lon);
  airport.elevationMm = static_cast<std::int32_t>(random() % 3000000);
  std::vector<BglBytes> children;
  for (int r = 0; r < 3; ++r) {
    children.push_back(RunwayRecord({static_cast<std::uint8_t>(1 + r * 6), 1, static_cast<std::uint8_t>(19 + r * 6), 2,
                                     EncodePackedLongitude(lon), EncodePackedLatitude(lat), 2500.0f,
                                     static_cast<float>(r * 60 + 3.3)}));
  }
  children.push_back(HelipadRecord({EncodePackedLongitude(lon), EncodePackedLatitude(lat), 20.0f, 20.0f, 10.0f}));
  std::vector<BglTaxiPoint> points(250);
  for (std::size_t i = 0; i < points.size(); ++i) {
    points[i] = {1, 0, EncodePackedLongitude(lon + i * 1e-4), EncodePackedLatitude(lat + i * 1e-4)};
  }
  children.push_back(TaxiPointsRecord(points));
  std::vector<ParkingSpec> parking(60);
  for (std::size_t i = 0; i < parking.size(); ++i)
    parking[i] = {points[i].longitudePacked, points[i].latitudePacked, 2};
  children.push_back(ParkingRecord(parking));
  std::vector<BglTaxiPath> paths(280);
  for (std::size_t i = 0; i < paths.size(); ++i) {
    paths[i] = {static_cast<std::uint16_t>(i % 249 + 1), static_cast<std::uint16_t>((i + 1) % 249 + 1),
                static_cast<std::uint8_t>(i % 3 == 0 ? 4 : 0x61)};
  }
  children.push_back(TaxiPathsRecord(paths));
  children.push_back(NameRecord("Generated Field " + RandomIdent(random, 6)));
  return AirportRecord(airport, children);
}

// About 2,000 files and 200 MB, made once per run unless already there.
std::uint64_t EnsureTree() {
  static std::uint64_t treeBytes = 0;
  if (treeBytes != 0) return treeBytes;
  const fs::path marker = kTreeRoot / "complete";
  if (!fs::exists(marker)) {
    fs::remove_all(kTreeRoot);
    std::mt19937 random(7);
    for (int folder = 0; folder < kFolders; ++folder) {
      const fs::path dir = kTreeRoot / ("scenery" + std::to_string(folder)) / "scenery";
      fs::create_directories(dir);
      for (int file = 0; file < kFilesPerFolder; ++file) {
        std::vector<BglBytes> airports;
        for (int a = 0; a < kAirportsPerFile; ++a) airports.push_back(MakeAirport(random));
        std::vector<BglBytes> navaids, ndbs;
        for (int n = 0; n < 10; ++n) {
          BglNavaid navaid;
          navaid.type = n % 2 == 0 ? kNavaidTypeIls : 2;
          navaid.identPacked = EncodePackedIdent(RandomIdent(random, 3));
          navaid.latitudePacked = EncodePackedLatitude(10.0 + n);
          navaid.longitudePacked = EncodePackedLongitude(20.0 + n);
          navaid.frequencyHz = 110000000 + 50000 * n;
          navaids.push_back(VorIlsRecord(navaid, std::vector<BglBytes>{LocalizerRecord(90.0f), GlideSlopeRecord(),
                                                                       DmeRecord(), NameRecord("NAVAID")}));
          ndbs.push_back(NdbRecord(
              {35000u + n, navaid.longitudePacked, navaid.latitudePacked, EncodePackedIdent(RandomIdent(random, 2))},
              "BEACON"));
        }
        BglFileBuilder()
            .Section(kSectionAirport, {airports})
            .Section(kSectionVorIls, {navaids})
            .Section(kSectionNdb, {ndbs})
            .Section(0x65, {{OpaqueRecord(0x00A0, 14000)}})  // a section the compiler skips
            .WriteTo(dir / ("APX" + std::to_string(folder * 100 + file) + ".BGL"));
      }
    }
    WriteBytes(marker, {});
  }
  for (const auto& entry : fs::recursive_directory_iterator(kTreeRoot)) {
    if (entry.is_regular_file()) treeBytes += entry.file_size();
  }
  return treeBytes;
}

void BM_TesselScanTree(benchmark::State& state) {
  const std::uint64_t bytes = EnsureTree();
  fs::create_directories(kOutputFolder);
  RunOptions options;
  options.scanRoot = kTreeRoot.string() + "/";
  options.outputFolder = kOutputFolder;
  for (auto _ : state) {
    RunLists lists;
    QuietObserver observer;
    const RunResult result = RunCompiler(options, lists, observer);
    if (!result.outputWritten || result.fileCount != kFolders * kFilesPerFolder) state.SkipWithError("run failed");
    benchmark::DoNotOptimize(lists);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  state.counters["files"] = kFolders * kFilesPerFolder;
  state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_TesselScanTree)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// The same tree read whole by cat, for the ratio (both with a warm cache).
void BM_TesselCatTree(benchmark::State& state) {
  const std::uint64_t bytes = EnsureTree();
  const std::string command = "find " + kTreeRoot.string() + " -type f -print0 | xargs -0 cat > /dev/null";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("cat failed");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_TesselCatTree)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

std::vector<std::string> MillionAirportRows() {
  std::mt19937 random(11);
  std::uniform_real_distribution<double> latitude(-60.0, 70.0), longitude(-179.0, 179.0);
  std::vector<std::string> rows;
  rows.reserve(1000000);
  for (int i = 0; i < 1000000; ++i) {
    const std::string ident = RandomIdent(random, 4);
    const std::string name = "Field " + RandomIdent(random, 8);
    corvane::formats::AirportRow row;
    row.ident = ident;
    row.latitudeDeg = latitude(random);
    row.longitudeDeg = longitude(random);
    row.elevationMm = static_cast<std::int32_t>(random() % 3000000);
    row.name = name;
    rows.push_back(corvane::formats::FormatAirportRow(row));
  }
  return rows;
}

// SortARP's work on one million rows: order, de-duplicate, write the file and fill the list.
void BM_TesselSortAndWrite1MAirportRows(benchmark::State& state) {
  static const std::vector<std::string> rows = MillionAirportRows();
  fs::create_directories(kOutputFolder);
  for (auto _ : state) {
    LineList listBox;
    QuietObserver observer;
    if (!SortAndWrite(rows, kOutputFolder / "FSXARP.dat", listBox, observer)) state.SkipWithError("write failed");
    benchmark::DoNotOptimize(listBox);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * rows.size()));
}
BENCHMARK(BM_TesselSortAndWrite1MAirportRows)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// The ordering alone.
void BM_TesselSortOrder1MAirportRows(benchmark::State& state) {
  static const std::vector<std::string> rows = MillionAirportRows();
  for (auto _ : state) benchmark::DoNotOptimize(SortedRowOrder(rows));
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * rows.size()));
}
BENCHMARK(BM_TesselSortOrder1MAirportRows)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// One taxi node row, through the formatter and written straight into a buffer, side by side.
std::vector<std::pair<double, double>> PackedPositions() {
  std::mt19937 random(3);
  std::vector<std::pair<double, double>> positions(4096);
  for (auto& [latitudeDeg, longitudeDeg] : positions) {
    latitudeDeg = DecodePackedLatitude(random() % (1u << 29));
    longitudeDeg = DecodePackedLongitude(random() % (3u << 28));
  }
  return positions;
}

void BM_TesselTaxiNodeRowFormatter(benchmark::State& state) {
  static const auto positions = PackedPositions();
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& [latitudeDeg, longitudeDeg] = positions[i++ % positions.size()];
    benchmark::DoNotOptimize(corvane::formats::FormatTaxiNodeRow(latitudeDeg, longitudeDeg));
  }
}
BENCHMARK(BM_TesselTaxiNodeRowFormatter);

void BM_TesselTaxiNodeRowDirect(benchmark::State& state) {
  static const auto positions = PackedPositions();
  std::array<char, taxi_node::kRowBytes> row;
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& [latitudeDeg, longitudeDeg] = positions[i++ % positions.size()];
    benchmark::DoNotOptimize(WriteTaxiNodeRow(latitudeDeg, longitudeDeg, row.data()));
    benchmark::DoNotOptimize(row);
  }
}
BENCHMARK(BM_TesselTaxiNodeRowDirect);

}  // namespace
