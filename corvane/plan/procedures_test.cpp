// Loading procedure files (matching headers, skipped points, failures that keep the table, the
// capacity) and moving the selection through runs of procedures.
#include "corvane/plan/procedures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "corvane/navdata/test_data_folder.h"

namespace corvane::plan {
namespace {

std::string Padded(std::string text, std::size_t width) {
  text.resize(width, ' ');
  return text;
}

std::string RightAligned(const std::string& text, std::size_t width) {
  return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

std::string Header(const std::string& ident, const std::string& name, const std::string& qualifier) {
  return "[" + Padded(ident, 5) + Padded(name, 6) + " " + Padded(qualifier, 6);
}

std::string Point(const std::string& name, const std::string& lat, const std::string& lon) {
  return "  TF  0    0  " + Padded(name, 5) + " " + RightAligned(lat, 10) + " " + RightAligned(lon, 11);
}

// One line per entry, placeholder and end entry included.
std::vector<std::string> Describe(const ProcedureTable& table) {
  std::vector<std::string> lines;
  for (const ProcedureEntry& e : table.entries) {
    lines.push_back(e.procName + "/" + e.qualifier + " " + e.pointName + " " + std::to_string(e.lat) + " " +
                    std::to_string(e.lon));
  }
  return lines;
}

const std::vector<std::string> kHeaderLines = {"procedures", "of the demo", "airports"};

std::vector<std::string> WithHeader(std::vector<std::string> body) {
  std::vector<std::string> lines = kHeaderLines;
  lines.insert(lines.end(), body.begin(), body.end());
  return lines;
}

void WriteFile(const navdata::testing::TestDataFolder& folder, std::string_view fileName,
               const std::vector<std::string>& lines) {
  folder.WriteLines(fileName, std::vector<std::string_view>(lines.begin(), lines.end()));
}

// Two SIDs of EHAM (the first over two runways), one of them wholly at longitude 181, and the
// procedures of an airport whose ident begins like EHAM's.
const std::vector<std::string> kSidFile = WithHeader({
    Header("EHAM", "SPY1N", "RW24"),
    Point("EH001", "52.3", "4.7"),
    Point("SKIP", "52.4", "181"),
    Point("SPY", "52.5404", "4.8537"),
    "",
    Header("EHAB", "OTHER", "RW01"),
    Point("XX", "10", "10"),
    "",
    Header("EHAM", "SPY1N", "RW18L"),
    Point("EH002", " 52.1 ", "  4.6"),
    "   ",
    Header("EHAM", "GONE1", "RW36"),
    Point("SKIP", "52", "181"),
    "",
    Header("EHAM", "AND1S", "RW09"),
    Point("AND", "51.5", "-3.1"),
});

TEST(LoadProceduresTest, ReadsTheWantedAirport) {
  const std::string end = "/  0.000000 0.000000";
  const std::string placeholder = "/  1.000000 1.000000";
  const std::vector<std::string> eham = {
      placeholder,
      "SPY1N/RW24 EH001 52.299999 4.700000",
      "SPY1N/RW24 SPY 52.540401 4.853700",
      "SPY1N/RW18L EH002 52.099998 4.600000",
      "AND1S/RW09 AND 51.500000 -3.100000",
      end,
  };
  struct Case {
    std::string airportField;
    std::string airport;
    std::vector<std::string> expected;
    std::int32_t selected;
  };
  const std::vector<Case> cases = {
      {" eham ", "EHAM", eham, 1},
      {"EHAB", "EHAB", {placeholder, "OTHER/RW01 XX 10.000000 10.000000", end}, 1},
  };
  navdata::testing::TestDataFolder folder;
  WriteFile(folder, "NavSid.DAT", kSidFile);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.airportField);
    ProcedureTable table;
    const ProcedureLoadResult result = LoadProcedures(folder.path(), kSidFileName, c.airportField, table);
    EXPECT_EQ(result.outcome, ProcedureLoadOutcome::kLoaded);
    EXPECT_TRUE(result.problems.empty());
    EXPECT_EQ(Describe(table), c.expected);
    EXPECT_EQ(table.selected, c.selected);
    EXPECT_EQ(table.procedureAirport, c.airport);
  }
}

// The file is indexed once; a press after it changed reads the new file, not the index of the old.
TEST(LoadProceduresTest, AChangedFileIsReadAgain) {
  navdata::testing::TestDataFolder folder;
  WriteFile(folder, "navsid.dat", kSidFile);
  ProcedureTable table;
  ASSERT_EQ(LoadProcedures(folder.path(), kSidFileName, "EHAM", table).outcome, ProcedureLoadOutcome::kLoaded);
  EXPECT_EQ(table.pointCount(), 4);
  WriteFile(folder, "navsid.dat", WithHeader({Header("EHAM", "NEW1A", "RW06"), Point("NEWFX", "52.0", "4.0"), ""}));
  ASSERT_EQ(LoadProcedures(folder.path(), kSidFileName, "EHAM", table).outcome, ProcedureLoadOutcome::kLoaded);
  EXPECT_EQ(SelectedProcedureText(table), "NEW1A RW06: NEWFX");
}

TEST(LoadProceduresTest, FailureKeepsThePreviousTable) {
  struct Case {
    std::string name;
    std::vector<std::string> lines;  // empty: no file
    std::string airportField;
    ProcedureLoadOutcome outcome;
    std::size_t problemLine;
    std::string problemText;  // part of the reason
  };
  const std::vector<Case> cases = {
      {"missing file", {}, "EHAM", ProcedureLoadOutcome::kFailed, 0, "not found"},
      {"bad latitude", WithHeader({Header("EHAM", "A", "B"), Point("P1", "52", "4"), Point("P2", "5x.2", "4")}), "EHAM",
       ProcedureLoadOutcome::kFailed, 6, "5x.2"},
      {"short point line", WithHeader({Header("EHAM", "A", "B"), "  TF  0    0  P1    52.0"}), "EHAM",
       ProcedureLoadOutcome::kFailed, 5, "longitude"},
      {"empty airport field", kSidFile, "  ", ProcedureLoadOutcome::kNoAirport, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    navdata::testing::TestDataFolder folder;
    if (!c.lines.empty()) WriteFile(folder, kStarFileName, c.lines);
    WriteFile(folder, "before.dat", WithHeader({Header("BIKF", "KEF1", "RW19"), Point("KEF", "63.9", "-22.6")}));
    ProcedureTable table;
    ASSERT_EQ(LoadProcedures(folder.path(), "before.dat", "BIKF", table).outcome, ProcedureLoadOutcome::kLoaded);
    const std::vector<std::string> before = Describe(table);

    const ProcedureLoadResult result = LoadProcedures(folder.path(), kStarFileName, c.airportField, table);
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(Describe(table), before);
    EXPECT_EQ(table.procedureAirport, "BIKF");
    EXPECT_EQ(table.selected, 1);
    if (c.problemText.empty()) {
      EXPECT_TRUE(result.problems.empty());
      continue;
    }
    ASSERT_EQ(result.problems.size(), 1u);
    EXPECT_EQ(result.problems[0].fileName, kStarFileName);
    EXPECT_EQ(result.problems[0].lineNumber, c.problemLine);
    EXPECT_NE(result.problems[0].reason.find(c.problemText), std::string::npos) << result.problems[0].reason;
  }
}

TEST(LoadProceduresTest, StopsAtTheCapacityAndReportsTheRest) {
  std::vector<std::string> body = {Header("EHAM", "LONG1", "RW24")};
  const std::size_t points = ProcedureTable::kMaxPoints + 3;
  for (std::size_t n = 0; n < points; ++n) body.push_back(Point("P", "52", "4"));
  navdata::testing::TestDataFolder folder;
  WriteFile(folder, kSidFileName, WithHeader(body));
  ProcedureTable table;
  const ProcedureLoadResult result = LoadProcedures(folder.path(), kSidFileName, "EHAM", table);
  EXPECT_EQ(result.outcome, ProcedureLoadOutcome::kLoaded);
  ASSERT_EQ(table.entries.size(), ProcedureTable::kCapacity);
  EXPECT_EQ(table.entries.back().lat, 0.0f);
  EXPECT_EQ(table.entries.back().lon, 0.0f);
  ASSERT_EQ(result.problems.size(), 1u);
  EXPECT_EQ(result.problems[0].lineNumber, kHeaderLines.size() + 1 + ProcedureTable::kMaxPoints + 1);
  EXPECT_NE(result.problems[0].reason.find("left out from here on: 3"), std::string::npos);
}

// A world-sized file is indexed in pieces of a power of two bytes, at most 1 MiB: every airport is
// found, those whose header line is cut at a piece's edge (within its airport columns, just before it,
// at it) among them, and a bad point far into the file is reported with its own line number.
TEST(LoadProceduresTest, EveryAirportOfAFileOfManyPiecesIsFound) {
  constexpr int kAirports = 60000;  // about 3.5 MB
  constexpr std::size_t kEdge = std::size_t{1} << 20;
  const std::size_t headerBeforeEdge[] = {3, 1, 0};  // the header mark this many bytes before the edge
  const auto ident = [](int index) {
    std::string text(4, 'A');
    for (int i = 3; i >= 0; --i, index /= 26) text[static_cast<std::size_t>(i)] = static_cast<char>('A' + index % 26);
    return text;
  };
  std::vector<std::string> body;
  std::size_t offset = 0;
  for (const std::string& line : kHeaderLines) offset += line.size() + 2;
  const auto add = [&](std::string line) {
    offset += line.size() + 2;
    body.push_back(std::move(line));
  };
  std::size_t edge = 0;
  for (int i = 0; i < kAirports; ++i) {
    if (edge < std::size(headerBeforeEdge)) {
      const std::size_t mark = (edge + 1) * kEdge - headerBeforeEdge[edge];
      if (offset + 200 > mark) {
        add(std::string(mark - offset - 2, ' '));  // blanks end a procedure as an empty line does
        ++edge;
      }
    }
    add(Header(ident(i), "S" + std::to_string(i % 7), "RW" + std::to_string(i % 36)));
    add(Point("P" + std::to_string(i % 10000), std::to_string(i % 90), "4"));
    if (i % 3 != 0) add("");  // no empty line before some headers
  }
  ASSERT_EQ(edge, std::size(headerBeforeEdge));
  add(Header("ZZZZ", "BAD", "RW01"));
  add(Point("P1", "5x", "4"));
  navdata::testing::TestDataFolder folder;
  WriteFile(folder, kSidFileName, WithHeader(body));
  ProcedureTable table;
  for (int i = 0; i < kAirports; ++i) {
    const ProcedureLoadResult result = LoadProcedures(folder.path(), kSidFileName, ident(i), table);
    ASSERT_EQ(result.outcome, ProcedureLoadOutcome::kLoaded) << ident(i);
    ASSERT_EQ(table.pointCount(), 1) << ident(i);
    ASSERT_EQ(table.entries[1].lat, static_cast<float>(i % 90)) << ident(i);
  }
  const ProcedureLoadResult bad = LoadProcedures(folder.path(), kSidFileName, "ZZZZ", table);
  EXPECT_EQ(bad.outcome, ProcedureLoadOutcome::kFailed);
  ASSERT_EQ(bad.problems.size(), 1u);
  EXPECT_EQ(bad.problems[0].lineNumber, kHeaderLines.size() + body.size());
}

ProcedureTable TableOfRuns(const std::vector<std::string>& procNames, const std::vector<std::string>& qualifiers = {}) {
  ProcedureTable table;
  table.entries.resize(1);
  for (std::size_t i = 0; i < procNames.size(); ++i) {
    table.entries.push_back({"P", 50, 5, procNames[i], i < qualifiers.size() ? qualifiers[i] : ""});
  }
  table.entries.emplace_back();
  return table;
}

TEST(ProcedureSelectionTest, RunsWrapBothWays) {
  // Entries 1-2 are a run without a name (as the placeholder has none), 3 stands alone, 4-6 are one
  // run over several runways, 7 is the end entry.
  const ProcedureTable runs = TableOfRuns({"", "", "AND1S", "SPY1N", "SPY1N", "SPY1N"});
  const ProcedureTable empty = TableOfRuns({});
  // One SID over two runways: entries 1-2 (RW24) and 3 (RW18L) are two procedures, 4-5 share a
  // qualifier and join.
  const ProcedureTable runways =
      TableOfRuns({"SPY1N", "SPY1N", "SPY1N", "AND1S", "AND1S"}, {"RW24", "RW24", "RW18L", "RW09", "RW09"});
  struct Case {
    const ProcedureTable* table;
    std::int32_t selected;
    std::int32_t end, next, previous;
  };
  const std::vector<Case> cases = {
      {&runs, 1, 3, 3, 4},    {&runs, 3, 4, 4, 1},    {&runs, 4, 7, 1, 3},    {&runs, 7, 7, 1, 4},
      {&runs, 0, 7, 1, 4},    {&runs, 99, 7, 1, 4},   {&empty, 0, 1, 0, 0},   {&empty, 1, 1, 0, 0},
      {&runways, 1, 3, 3, 4}, {&runways, 3, 4, 4, 1}, {&runways, 4, 6, 1, 3}, {&runways, 5, 6, 1, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("selected " + std::to_string(c.selected) + " of " + std::to_string(c.table->pointCount()));
    ProcedureTable table = *c.table;
    table.selected = c.selected;
    EXPECT_EQ(SelectedEnd(table), c.end);
    EXPECT_EQ(NextProcedure(table), c.next);
    EXPECT_EQ(PreviousProcedure(table), c.previous);
  }
}

}  // namespace
}  // namespace corvane::plan
