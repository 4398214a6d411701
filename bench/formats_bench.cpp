// DAT formats: row writing, number parsing and whole-file line reading, with plain C library
// counterparts side by side for comparison.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "formats/coordinate_field.h"
#include "formats/dat_rows.h"
#include "formats/field_cut.h"
#include "formats/field_format.h"
#include "formats/text_lines.h"

namespace {

using namespace corvane::formats;

std::vector<std::pair<double, double>> Positions(std::size_t count) {
  std::mt19937_64 random(42);
  std::uniform_real_distribution<double> latitude(-90.0, 90.0);
  std::uniform_real_distribution<double> longitude(-180.0, 180.0);
  std::vector<std::pair<double, double>> positions(count);
  for (auto& p : positions) {
    p = {latitude(random), longitude(random)};
  }
  return positions;
}

void BM_FormatShortCoordPair(benchmark::State& state) {
  const auto positions = Positions(4096);
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& [lat, lon] = positions[i++ & 4095];
    benchmark::DoNotOptimize(FormatShortCoordPair(lat, lon));
  }
}
BENCHMARK(BM_FormatShortCoordPair);

// For comparison only: snprintf rounds instead of cutting and follows the user's locale.
void BM_SnprintfCoordPair(benchmark::State& state) {
  const auto positions = Positions(4096);
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& [lat, lon] = positions[i++ & 4095];
    char text[32];
    std::snprintf(text, sizeof text, "%10.6f%11.6f", lat, lon);
    benchmark::DoNotOptimize(std::string(text));
  }
}
BENCHMARK(BM_SnprintfCoordPair);

// Coordinate fields of a taxi node row written straight into a buffer, the quick way against the
// long way through the plain decimal text; each iteration writes 4,096 fields.
std::vector<double> TaxiNodeLatitudes() {
  std::mt19937 random(3);
  std::vector<double> values(4096);
  for (double& value : values) value = 90.0 - static_cast<double>(random() % (1u << 29)) * 180.0 / 536870912.0;
  return values;
}

void BM_CoordinateFieldQuick(benchmark::State& state) {
  static const std::vector<double> values = TaxiNodeLatitudes();
  char field[12];
  for (auto _ : state) {
    for (const double value : values) {
      benchmark::DoNotOptimize(WriteCoordinateField(value, 4, 8, field));
      benchmark::ClobberMemory();
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values.size()));
}
BENCHMARK(BM_CoordinateFieldQuick);

void BM_CoordinateFieldLongWay(benchmark::State& state) {
  static const std::vector<double> values = TaxiNodeLatitudes();
  for (auto _ : state) {
    for (const double value : values) benchmark::DoNotOptimize(FormatCoordinateByPlainText(value, 4, 8));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values.size()));
}
BENCHMARK(BM_CoordinateFieldLongWay);

void BM_FormatBeaconRow(benchmark::State& state) {
  const auto positions = Positions(4096);
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& [lat, lon] = positions[i++ & 4095];
    const BeaconRow row{.ident = "FFM",
                        .latitudeDeg = lat,
                        .longitudeDeg = lon,
                        .storedFrequency = 114200000,
                        .name = "FRANKFURT",
                        .sceneryPath = "/scenery/world/APX47110.bgl"};
    benchmark::DoNotOptimize(FormatBeaconRow(row));
  }
}
BENCHMARK(BM_FormatBeaconRow);

std::vector<std::string> CoordinateTexts() {
  std::vector<std::string> texts;
  for (const auto& [lat, lon] : Positions(4096)) {
    texts.push_back(FormatShortCoordPair(lat, lon).substr(0, 10));
  }
  return texts;
}

void BM_ParseDouble(benchmark::State& state) {
  const auto texts = CoordinateTexts();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ParseDouble(texts[i++ & 4095]));
  }
}
BENCHMARK(BM_ParseDouble);

// For comparison only: strtod reads "," as the point under a German locale.
void BM_Strtod(benchmark::State& state) {
  const auto texts = CoordinateTexts();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::strtod(texts[i++ & 4095].c_str(), nullptr));
  }
}
BENCHMARK(BM_Strtod);

// A 200000-line airport file, written once.
const std::filesystem::path& SampleFile() {
  static const std::filesystem::path path = [] {
    const auto file = std::filesystem::temp_directory_path() / "corvane_formats_bench.dat";
    std::ofstream out(file, std::ios::binary);
    for (const auto& [lat, lon] : Positions(200000)) {
      const AirportRow row{
          .ident = "EDDF", .latitudeDeg = lat, .longitudeDeg = lon, .elevationMm = 111000, .name = "FRANKFURT MAIN"};
      WriteTextLine(out, FormatAirportRow(row));
    }
    return file;
  }();
  return path;
}

void BM_ReadTextLines(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReadTextLines(SampleFile()).size());
  }
}
BENCHMARK(BM_ReadTextLines)->Unit(benchmark::kMillisecond);

void BM_TextFile(benchmark::State& state) {
  for (auto _ : state) {
    const TextFile file(SampleFile());
    benchmark::DoNotOptimize(file.size());
  }
}
BENCHMARK(BM_TextFile)->Unit(benchmark::kMillisecond);

// Lines plus the cutting and conversion an airport loader does per row.
void BM_ParseAirportFile(benchmark::State& state) {
  for (auto _ : state) {
    const TextFile file(SampleFile());
    double sum = 0.0;
    for (std::string_view line : file.lines()) {
      sum += ParseFloat(CutField(line, airport_columns::kLatitude));
      sum += ParseFloat(CutField(line, airport_columns::kLongitude));
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_ParseAirportFile)->Unit(benchmark::kMillisecond);

}  // namespace
