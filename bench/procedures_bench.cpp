// SID press on a world-sized procedure file: the first press after the file changed (read and
// indexed) and a later one (the index kept). The file is generated once: 25,000 airports with twelve
// procedures of eight points each, about 60 MB, as a world conversion writes it.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "corvane/plan/procedures.h"
#include "formats/text_lines.h"

namespace {

using namespace corvane;
namespace fs = std::filesystem;

// Four letters, a different ident for each airport.
std::string AirportIdent(int index) {
  std::string ident(4, 'A');
  for (int i = 3; i >= 0; --i, index /= 26) ident[static_cast<std::size_t>(i)] = static_cast<char>('A' + index % 26);
  return ident;
}

const fs::path& WorldFolder() {
  static const fs::path folder = [] {
    const fs::path path = fs::temp_directory_path() / "corvane-procedures-bench";
    fs::create_directories(path);
    std::string text;
    formats::AppendTextLine(text, "Generated departure procedures");
    formats::AppendTextLine(text, "Columns");
    formats::AppendTextLine(text, "Positions");
    char line[64];
    for (int airport = 0; airport < 25000; ++airport) {
      const std::string ident = AirportIdent(airport);
      for (int procedure = 0; procedure < 12; ++procedure) {
        std::snprintf(line, sizeof line, "[%-4.4s SID%02d%c RW%02d", ident.c_str(), procedure, 'A' + airport % 26,
                      1 + procedure % 36);
        formats::AppendTextLine(text, line);
        for (int point = 0; point < 8; ++point) {
          std::snprintf(line, sizeof line, "  TF          P%04d %10.6f %11.6f", (airport + point) % 10000,
                        -60.0 + airport * 0.0048, -170.0 + point * 0.01);
          formats::AppendTextLine(text, line);
        }
        formats::AppendTextLine(text, "");
      }
    }
    std::FILE* out = std::fopen((path / "navsid.dat").c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), out);
    std::fclose(out);
    return path;
  }();
  return folder;
}

void PressSid(benchmark::State& state, bool fileChangedEachTime) {
  const fs::path file = WorldFolder() / "navsid.dat";
  plan::ProcedureTable table;
  auto stamp = fs::last_write_time(file);
  for (auto _ : state) {
    if (fileChangedEachTime) {
      state.PauseTiming();
      stamp += std::chrono::seconds(1);
      fs::last_write_time(file, stamp);
      state.ResumeTiming();
    }
    const plan::ProcedureLoadResult result =
        plan::LoadProcedures(WorldFolder(), plan::kSidFileName, AirportIdent(12345), table);
    if (result.outcome != plan::ProcedureLoadOutcome::kLoaded) {
      state.SkipWithError("the generated file did not load");
      return;
    }
    benchmark::DoNotOptimize(table.entries.data());
  }
  state.counters["points"] = static_cast<double>(table.pointCount());
}

void BM_SidPressFirst(benchmark::State& state) { PressSid(state, true); }
void BM_SidPressLater(benchmark::State& state) { PressSid(state, false); }
BENCHMARK(BM_SidPressFirst)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_SidPressLater)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
