// Files decoded side by side: whatever the number of workers, a scan writes, lists and reports
// exactly what a one-file-at-a-time scan gives, in list order, and a stop keeps whole files only.
#include "tessel/scan_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tessel/packed_values.h"
#include "tessel/testing/bgl_writer.h"
#include "tessel/testing/test_support.h"

namespace tessel {
namespace {
namespace fs = std::filesystem;
using namespace tessel::testing;

constexpr int kFiles = 30;

std::string Ident(int file) {
  return "K" + std::string(1, static_cast<char>('A' + file % 26)) + std::to_string(10 + file);
}

// File i holds airport "K?nn" with a runway, taxi points and paths, and a VOR; every seventh file
// is cut short in its VOR, files 5 and 20 carry more taxi points than are kept, file 12 is missing.
std::vector<std::string> WriteFiles(const fs::path& folder) {
  std::vector<std::string> files;
  for (int i = 0; i < kFiles; ++i) {
    const fs::path path = folder / ("f" + std::to_string(100 + i) + ".bgl");
    files.push_back(path.string());
    if (i == 12) continue;
    BglAirport airport;
    airport.identPacked = EncodePackedIdent(Ident(i));
    airport.latitudePacked = EncodePackedLatitude(10.0 + i);
    airport.longitudePacked = EncodePackedLongitude(-20.0 - i);
    const std::size_t pointCount = i == 5 || i == 20 ? kTaxiPointCapacity + 1 : 40 + i;
    std::vector<BglTaxiPoint> points(pointCount);
    for (std::size_t p = 0; p < points.size(); ++p) {
      points[p] = {0, 0, EncodePackedLongitude(-20.0 - i + p * 1e-4), EncodePackedLatitude(10.0 + i + p * 1e-4)};
    }
    std::vector<BglTaxiPath> paths;
    for (std::uint16_t p = 1; p + 1 < 40; ++p) paths.push_back({p, static_cast<std::uint16_t>(p + 1), 0x61});
    const std::vector<BglBytes> children = {
        RunwayRecord({9, 0, 27, 0, airport.longitudePacked, airport.latitudePacked, 2000.0f, 90.0f}),
        TaxiPointsRecord(points), TaxiPathsRecord(paths), NameRecord("Field " + std::to_string(i))};
    BglNavaid vor;
    vor.type = 2;
    vor.identPacked = EncodePackedIdent("V" + std::to_string(i));
    vor.frequencyHz = 113000000;
    std::vector<std::byte> bytes =
        BglFileBuilder()
            .Section(kSectionAirport, {{AirportRecord(airport, children)}})
            .Section(kSectionVorIls, {{VorIlsRecord(vor, std::vector<BglBytes>{NameRecord("VOR")})}})
            .Build();
    if (i % 7 == 3) bytes.resize(bytes.size() - 20);
    WriteBytes(path, bytes);
  }
  return files;
}

struct Outcome {
  ScanFilesResult result;
  std::map<std::string, std::string> outputs;
  RowLists rows;
  std::vector<std::vector<std::string>> lists;
  std::vector<std::string> problems;
};

Outcome Scan(const std::vector<std::string>& files, const fs::path& out, std::size_t workers, long stopAfter = -1) {
  Outcome outcome;
  RunLists lists;
  RecordingObserver observer;
  observer.stopAfterSteps = stopAfter;
  fs::remove_all(out);
  fs::create_directories(out);
  outcome.result = ScanFiles(files, OutputKinds{}, out, outcome.rows, lists, observer, workers);
  for (const auto& entry : fs::directory_iterator(out)) {
    outcome.outputs[entry.path().filename().string()] = ReadWholeFile(entry.path());
  }
  for (const LineList& list : lists.lines) outcome.lists.emplace_back(list.begin(), list.end());
  outcome.problems = observer.problems;
  return outcome;
}

TEST(ScanFiles, AnyNumberOfWorkersGivesTheOneWorkerScan) {
  ScratchFolder scratch;
  const std::vector<std::string> files = WriteFiles(scratch.path());
  const Outcome one = Scan(files, scratch / "out", 1);

  // The one-worker scan itself: rows in list order, the damage counted, the limit said once.
  ASSERT_EQ(one.outputs.size(), kScanOutputCount);
  ASSERT_EQ(one.rows.airports.size(), static_cast<std::size_t>(kFiles - 1));
  EXPECT_EQ(one.rows.vors.size(), static_cast<std::size_t>(kFiles - 1 - 4));
  for (std::size_t row = 1; row < one.rows.airports.size(); ++row) {
    EXPECT_LT(one.rows.airports[row - 1].substr(2, 2), one.rows.airports[row].substr(2, 2)) << row;
  }
  EXPECT_EQ(one.result.damagedFiles, 5u);  // four cut short, one missing
  const auto limitReports = std::count_if(one.problems.begin(), one.problems.end(), [](const std::string& text) {
    return text.find("taxiway points; only the first") != std::string::npos;
  });
  EXPECT_EQ(limitReports, 1);
  EXPECT_NE(one.problems.front().find("f103.bgl"), std::string::npos) << one.problems.front();

  for (const std::size_t workers : {2u, 3u, 7u}) {
    const Outcome many = Scan(files, scratch / "out", workers);
    EXPECT_EQ(many.outputs, one.outputs) << workers << " workers";
    EXPECT_EQ(many.rows.airports, one.rows.airports);
    EXPECT_EQ(many.rows.vors, one.rows.vors);
    EXPECT_EQ(many.lists, one.lists);
    EXPECT_EQ(many.problems, one.problems);
    EXPECT_EQ(many.result.damagedFiles, one.result.damagedFiles);
  }
}

TEST(ScanFiles, AStopWhileWorkersRunAheadKeepsTheFilesJoinedSoFar) {
  ScratchFolder scratch;
  const std::vector<std::string> files = WriteFiles(scratch.path());
  const Outcome whole = Scan(files, scratch / "out", 1);
  const Outcome stopped = Scan(files, scratch / "out", 3, 2);
  EXPECT_TRUE(stopped.result.stopped);
  EXPECT_TRUE(stopped.result.outputWritten);
  ASSERT_EQ(stopped.rows.airports.size(), 2u);
  EXPECT_EQ(stopped.rows.airports[1], whole.rows.airports[1]);
  // The runway file holds the first two files' rows, whole lines.
  const std::string& runways = stopped.outputs.at(kRunwaysFile);
  EXPECT_EQ(whole.outputs.at(kRunwaysFile).substr(0, runways.size()), runways);
  EXPECT_EQ(std::count(runways.begin(), runways.end(), '\n'), 4);
}

}  // namespace
}  // namespace tessel
