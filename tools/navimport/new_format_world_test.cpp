// The same world in the 2013 layouts and in the X-Plane 11/12 layouts converts to the same files, apart
// from what the new layouts add (CIFP SIDs among them); a regional cut of the 2013 data keeps it quick.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "corvane/plan/procedures.h"
#include "formats/text_lines.h"
#include "testing/scratch_folder.h"
#include "tools/navimport/navimport_run.h"
#include "tools/navimport/source_file.h"
#include "tools/navimport/testing/cifp_line.h"
#include "tools/navimport/testing/new_format_world.h"

namespace corvane::navimport {
namespace {

namespace fs = std::filesystem;

fs::path SourceData() {
  const char* source = std::getenv("CORVANE_SOURCE_DIR");
  const fs::path top = source ? source : ".";
  for (const fs::path& candidate :
       {top / ".." / "shared" / "data" / "xplane-navdata", top / ".." / ".." / "shared" / "data" / "xplane-navdata"}) {
    if (fs::exists(candidate / "nav.dat.gz")) return candidate;
  }
  return {};
}

// The Low Countries and their surroundings: the conversion box, and around it a margin from which
// airway ends and localizer variations are taken.
constexpr GeoBox kBox{50.0, 2.0, 54.0, 8.0};
bool InCut(double latitudeDeg, double longitudeDeg) {
  return latitudeDeg > 48.0 && latitudeDeg < 56.0 && longitudeDeg > -1.0 && longitudeDeg < 11.0;
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t at = 0;
  while ((at = line.find_first_not_of(" \t\r", at)) != std::string_view::npos) {
    const std::size_t end = std::min(line.find_first_of(" \t\r", at), line.size());
    words.push_back(line.substr(at, end - at));
    at = end;
  }
  return words;
}

double Number(std::string_view text) { return std::atof(std::string(text).c_str()); }

// Keeps the two header lines and the rows whose position (at the given word) lies in the cut.
std::string CutRows(const std::string& text, std::size_t latitudeWord, std::size_t secondLatitudeWord) {
  std::string out;
  std::size_t lineNumber = 0, at = 0;
  while (at < text.size()) {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    const std::string_view line(text.data() + at, end - at);
    at = end + 1;
    const std::vector<std::string_view> w = Words(line);
    bool keep = ++lineNumber <= 2;
    for (const std::size_t word : {latitudeWord, secondLatitudeWord}) {
      if (word + 1 < w.size()) keep = keep || InCut(Number(w[word]), Number(w[word + 1]));
    }
    if (keep) out.append(line).append("\n");
  }
  return out + "99\n";
}

// Whole airports: the first runway or helipad row decides.
std::string CutAirports(const std::string& text) {
  std::string out, airport;
  bool placed = false, keep = false;
  std::size_t lineNumber = 0, at = 0;
  auto flush = [&] {
    if (keep) out += airport;
    airport.clear();
    placed = keep = false;
  };
  while (at < text.size()) {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    const std::string_view line(text.data() + at, end - at);
    at = end + 1;
    if (++lineNumber <= 2) {
      out.append(line).append("\n");
      continue;
    }
    const std::vector<std::string_view> w = Words(line);
    if (w.empty()) continue;
    if (w[0] == "1" || w[0] == "16" || w[0] == "17" || w[0] == "99") flush();
    if (w[0] == "99") break;
    airport.append(line).append("\n");
    const std::size_t latitudeWord = w[0] == "100" ? 9 : w[0] == "101" ? 4 : w[0] == "10" || w[0] == "102" ? 1 : 0;
    if (!placed && latitudeWord && latitudeWord + 1 < w.size()) {
      placed = true;
      keep = InCut(Number(w[latitudeWord]), Number(w[latitudeWord + 1]));
    }
  }
  flush();
  return out + "99\n";
}

void WriteFile(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::vector<std::string> Output(const fs::path& folder, const char* name) {
  return formats::ReadTextLines(folder / name);
}

// Rows name the file they came from; the new files have the new names.
std::string WithOldSourceNames(std::string row) {
  for (const char* name : {"earth_nav.dat", "earth_fix.dat", "earth_awy.dat"}) {
    const std::size_t at = row.find(name);
    if (at != std::string::npos) row.erase(at, 6);
  }
  return row;
}

// The region the generated world gave an enroute point ("SPY" -> "OM"), as a CIFP file names it.
std::string RegionIn(const std::string& text, const std::string& ident) {
  const std::size_t at = text.find(" " + ident + " ENRT ");
  return at == std::string::npos ? "??" : text.substr(at + ident.size() + 7, 2);
}

// A SID: line of the CIFP layout.
std::string SidLine(const char* routeType, const char* name, const char* transition, const std::string& fix,
                    const std::string& region, const char* section, const char* subsection, const char* legType) {
  return testing::CifpLine("SID:", routeType, name, transition, fix, region, section, subsection, legType);
}

// SIDs of two airports, modelled on their published ones, through the generated world's fixes and VORs.
void WriteCifp(const fs::path& folder, const fixtures::NewFormatWorld& world) {
  fs::create_directories(folder);
  auto fix = [&](const char* ident) { return RegionIn(world.fix, ident); };
  auto vor = [&](const char* ident) { return RegionIn(world.nav, ident); };
  WriteFile(folder / "EHAM.dat", "RWY:RW24 ,     ,      ,00013, ,    , ,   ;N52180000,E004470000,0000;\n" +
                                     SidLine("1", "ANDI1S", "RW24", " ", " ", " ", " ", "VA") +
                                     SidLine("1", "ANDI1S", "RW24", "SPY", vor("SPY"), "D", " ", "DF") +
                                     SidLine("2", "ANDI1S", " ", "SPY", vor("SPY"), "D", " ", "IF") +
                                     SidLine("2", "ANDI1S", " ", "ANDIK", fix("ANDIK"), "E", "A", "TF") +
                                     SidLine("3", "ANDI1S", "ARNEM", "ANDIK", fix("ANDIK"), "E", "A", "IF") +
                                     SidLine("3", "ANDI1S", "ARNEM", "ARNEM", fix("ARNEM"), "E", "A", "TF"));
  WriteFile(folder / "EBBR.dat", "RWY:RW25R,     ,      ,00013, ,    , ,   ;N50540000,E004320000,0000;\n" +
                                     SidLine("5", "SOPO1C", "RW25R", "HUL", vor("HUL"), "D", " ", "DF") +
                                     SidLine("5", "SOPO1C", "RW25R", "SOPOK", fix("SOPOK"), "E", "A", "TF"));
}

TEST(NewFormatWorld, ConvertsAsTheOldLayouts) {
  const fs::path source = SourceData();
  if (source.empty()) GTEST_SKIP() << "no 2013 X-Plane data beside the source tree";
  test_support::ScratchFolder scratch;
  const fs::path oldFolder = scratch / "old", newFolder = scratch / "new";
  fs::create_directories(oldFolder);
  fs::create_directories(newFolder);
  const std::string nav = CutRows(ReadPossiblyCompressed(source / "nav.dat.gz"), 1, 99);
  const std::string fix = CutRows(ReadPossiblyCompressed(source / "fix.dat.gz"), 0, 99);
  const std::string awy = CutRows(ReadPossiblyCompressed(source / "awy.dat.gz"), 1, 4);
  const std::string apt = CutAirports(ReadPossiblyCompressed(source / "apt.dat.gz"));
  WriteFile(oldFolder / "nav.dat", nav);
  WriteFile(oldFolder / "fix.dat", fix);
  WriteFile(oldFolder / "apt.dat", apt);
  const fixtures::NewFormatWorld world = fixtures::MakeNewFormatWorld(nav, fix, awy, apt);
  WriteFile(oldFolder / "awy.dat", world.awy640Resolvable);
  WriteFile(newFolder / "earth_nav.dat", world.nav);
  WriteFile(newFolder / "earth_fix.dat", world.fix);
  WriteFile(newFolder / "earth_awy.dat", world.awy);
  WriteFile(newFolder / "apt.dat", world.apt);
  WriteCifp(newFolder / "CIFP", world);

  NavImportResult results[2];
  for (int i = 0; i < 2; ++i) {
    NavImportOptions options;
    options.xplaneFolder = i == 0 ? oldFolder : newFolder;
    options.outFolder = scratch / (i == 0 ? "old-out" : "new-out");
    options.box = kBox;
    fs::create_directories(options.outFolder);
    results[i] = RunNavImport(options);
  }
  // What the new layouts change, each checked here rather than hidden:
  // - an airway row names its ends without a position, so an end in no fix or navaid file cannot be
  //   placed: the new conversion reports each such row, and the old one is given the world without them;
  // - rows in the report name the file they came from, which has a new name.
  EXPECT_GT(world.unresolvableAirwayRows, 0u);
  EXPECT_EQ(results[1].report.DropCount("earth_awy.dat", "airway end not found among the enroute fixes and navaids"),
            world.unresolvableAirwayRows);
  // - SIDs from CIFP, which the old layouts have no counterpart of: each resolves in the new world.
  const fs::path oldOut = scratch / "old-out", newOut = scratch / "new-out";
  for (const auto& [airport, expected] :
       {std::pair{"EHAM", "ANDI1S RW24: RW24 SPY ANDIK"}, std::pair{"EBBR", "SOPO1C RW25R: RW25R HUL SOPOK"}}) {
    plan::ProcedureTable table;
    const plan::ProcedureLoadResult loaded = plan::LoadProcedures(newOut, "navsid.dat", airport, table);
    ASSERT_EQ(loaded.outcome, plan::ProcedureLoadOutcome::kLoaded) << airport;
    EXPECT_TRUE(loaded.problems.empty()) << airport;
    EXPECT_EQ(plan::SelectedProcedureText(table), expected);
  }
  for (const DroppedRow& drop : results[1].report.drops()) {
    EXPECT_EQ(drop.reason.find("procedure"), std::string::npos) << drop.file << ": " << drop.detail;
  }
  for (const char* name : {kAirportFile, kRunwayFile, kVorFile, kNdbFile, kFixFile, kAirwayFile, kLayoutFile}) {
    SCOPED_TRACE(name);
    const std::vector<std::string> before = Output(oldOut, name), after = Output(newOut, name);
    EXPECT_GT(before.size(), 20u);
    EXPECT_EQ(before.size(), after.size());
    std::size_t shown = 0;
    for (std::size_t row = 0; row < std::min(before.size(), after.size()) && shown < 10; ++row) {
      if (WithOldSourceNames(after[row]) != before[row]) {
        ADD_FAILURE() << "row " << row + 1 << "\n  old: " << before[row] << "\n  new: " << after[row];
        ++shown;
      }
    }
  }
}

}  // namespace
}  // namespace corvane::navimport
