// Whole runs over scenery trees written record by record: every output file compared line by line.
#include "tessel/tessel_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "tessel/packed_values.h"
#include "tessel/testing/bgl_writer.h"
#include "tessel/testing/test_support.h"

namespace tessel {
namespace {
namespace fs = std::filesystem;
using namespace tessel::testing;
using Lines = std::vector<std::string>;

// Positions whose packed values decode exactly: 45/-120 for airports, 22.5/7.5 for runways and pads.
BglAirport Airport(const std::string& ident, std::int32_t elevationMm = 132588) {
  BglAirport airport;
  airport.identPacked = EncodePackedIdent(ident);
  airport.latitudePacked = EncodePackedLatitude(45.0);
  airport.longitudePacked = EncodePackedLongitude(-120.0);
  airport.elevationMm = elevationMm;
  return airport;
}

BglRunway Runway(int primary, int primaryCode, int secondary, int secondaryCode, float headingDeg) {
  return {static_cast<std::uint8_t>(primary),
          static_cast<std::uint8_t>(primaryCode),
          static_cast<std::uint8_t>(secondary),
          static_cast<std::uint8_t>(secondaryCode),
          EncodePackedLongitude(7.5),
          EncodePackedLatitude(22.5),
          3000.0f,
          headingDeg};
}

BglNavaid Navaid(std::uint8_t type, const std::string& ident, std::uint32_t frequencyHz, float variationDeg) {
  BglNavaid navaid;
  navaid.type = type;
  navaid.identPacked = EncodePackedIdent(ident);
  navaid.latitudePacked = EncodePackedLatitude(22.5);
  navaid.longitudePacked = EncodePackedLongitude(7.5);
  navaid.frequencyHz = frequencyHz;
  navaid.variationDeg = variationDeg;
  return navaid;
}

const std::string kShortPair = " 22.500000   7.500000";
const std::string kLongPair = " 22.50000000    7.50000000";
const std::string kAirportPair = " 45.000000-120.000000";

class ScanRun : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root() / "sub");
    fs::create_directories(out());
    const std::vector<BglTaxiPoint> points = {{0, 0, EncodePackedLongitude(7.5), EncodePackedLatitude(22.5)},
                                              {0, 0, EncodePackedLongitude(-0.46875), EncodePackedLatitude(-0.703125)},
                                              {0, 0, EncodePackedLongitude(60.0), EncodePackedLatitude(45.0)},
                                              {0, 0, EncodePackedLongitude(0.0), EncodePackedLatitude(67.5)}};
    const std::vector<BglTaxiPath> paths = {{1, 2, 0x61}, {2, 3, 4},    {1, 3, 0x21},
                                            {1, 2, 0x41}, {0, 1, 0x61}, {3, 0, 4}};
    const std::vector<BglBytes> seattle = {
        RunwayRecord(Runway(9, 1, 27, 2, 270.4f)),
        RunwayRecord(Runway(4, 3, 22, 4, 45.0f)),
        RunwayRecord(Runway(5, 5, 23, 6, 359.9f)),
        RunwayRecord(Runway(18, 0, 36, 7, 180.0f)),
        HelipadRecord({EncodePackedLongitude(7.5), EncodePackedLatitude(22.5), 30.0f, 20.0f, 45.0f}),
        TaxiPointsRecord(points),
        TaxiPathsRecord(paths),
        NameRecord("Seattle\x01-Tacoma \x7FIntl~"),
    };
    BglFileBuilder().Section(kSectionAirport, {{AirportRecord(Airport("KSEA"), seattle)}}).WriteTo(root() / "a.bgl");
    // The same airport in a file whose extension is spelled otherwise: not taken.
    BglFileBuilder()
        .Section(kSectionAirport, {{AirportRecord(Airport("ZZZZ"), std::vector<BglBytes>{NameRecord("Z")})}})
        .WriteTo(root() / "b.Bgl");
    // An airport without a name record still gives its runway and helipad rows.
    const std::vector<BglBytes> nameless = {
        RunwayRecord(Runway(1, 0, 19, 0, 10.0f)),
        HelipadRecord({EncodePackedLongitude(7.5), EncodePackedLatitude(22.5), 10.0f, 10.0f, 0.0f})};
    BglFileBuilder()
        .Section(kSectionAirport, {{AirportRecord(Airport("XNON"), nameless)}})
        .WriteTo(root() / "sub" / "c.BGL");

    const std::vector<BglBytes> ils = {LocalizerRecord(163.4f), GlideSlopeRecord(), DmeRecord(),
                                       NameRecord("ILS RWY 16R")};
    BglFileBuilder()
        .Section(kSectionVorIls, {{VorIlsRecord(Navaid(kNavaidTypeIls, "ISEA", 110300000, 343.0f), ils),
                                   VorIlsRecord(Navaid(kNavaidTypeIls, "ISEA", 110300000, 343.0f), ils),
                                   VorIlsRecord(Navaid(2, "SEA", 116800000, 20.0f),
                                                std::vector<BglBytes>{DmeRecord(), NameRecord("SEATTLE")})}})
        .Section(kSectionNdb,
                 {{NdbRecord({35000, EncodePackedLongitude(7.5), EncodePackedLatitude(22.5), EncodePackedIdent("AB")},
                             "ALPHA"),
                   NdbRecord({102050, EncodePackedLongitude(7.5), EncodePackedLatitude(22.5), EncodePackedIdent("1X")},
                             "HIGH")}})
        .WriteTo(root() / "sub" / "d.bgl");
  }

  fs::path root() const { return scratch_ / "root"; }
  fs::path out() const { return scratch_ / "out"; }
  std::string rootText() const { return root().string() + static_cast<char>(fs::path::preferred_separator); }
  std::string navPath() const { return (root() / "sub" / "d.bgl").string(); }

  RunResult Run(const OutputKinds& kinds = {}) {
    RunOptions options;
    options.scanRoot = rootText();
    options.outputFolder = out();
    options.kinds = kinds;
    return RunCompiler(options, lists_, observer_);
  }

  ScratchFolder scratch_;
  RunLists lists_;
  RecordingObserver observer_;
};

TEST_F(ScanRun, WritesEveryFileAsSpecifiedLineByLine) {
  const RunResult result = Run();
  ASSERT_TRUE(result.outputWritten);
  EXPECT_TRUE(observer_.problems.empty()) << observer_.problems.front();
  EXPECT_EQ(result.fileCount, 3u);
  EXPECT_EQ(observer_.steps, (Lines{"Scanning dirs", "Scanning files", "Sorting NDB", "Sorting VOR", "Sorting ILS",
                                    "Sorting ARP", "Ready"}));

  const std::string airportRow = "KSEA " + kAirportPair + "   435  Seattle-Tacoma Intl";
  EXPECT_EQ(ReadCrLfLines(out() / "FSXARPall.dat"), Lines{airportRow});
  EXPECT_EQ(ReadCrLfLines(out() / "FSXARP.dat"), Lines{airportRow});

  const std::string tail = " " + kShortPair + " ";
  EXPECT_EQ(ReadCrLfLines(out() / "FSXRWY.dat"), (Lines{
                                                     "KSEA 09L" + tail + "270  1500",
                                                     "KSEA 27R" + tail + " 90  1500",
                                                     "KSEA 04C" + tail + " 45  1500",
                                                     "KSEA 22W" + tail + "225  1500",
                                                     "KSEA 05A" + tail + "359  1500",
                                                     "KSEA 23B" + tail + "179  1500",
                                                     "KSEA 18 " + tail + "180  1500",
                                                     "KSEA 36 " + tail + "  0  1500",
                                                     "XNON 01 " + tail + " 10  1500",
                                                     "XNON 19 " + tail + "190  1500",
                                                 }));
  EXPECT_EQ(ReadCrLfLines(out() / "FSXHEL.dat"),
            (Lines{"KSEA  " + kLongPair + "  45    15    10", "XNON  " + kLongPair + "   0     5     5"}));

  EXPECT_EQ(ReadCrLfLines(out() / "corvanfs_apt.dat"), (Lines{
                                                           "105    27R " + kShortPair + " 270  1500",
                                                           "105    22W " + kShortPair + "  45  1500",
                                                           "105    23B " + kShortPair + " 359  1500",
                                                           "105    36  " + kShortPair + " 180  1500",
                                                           "107 H " + kLongPair + "  45    15    10",
                                                           "110  ",
                                                           "111  -0.70312500   -0.46875000",
                                                           "111  45.00000000   60.00000000",
                                                           "110  ",
                                                           "111  45.00000000   60.00000000",
                                                           "111  67.50000000    0.00000000",
                                                           "        ",
                                                           "1      435 0 0 KSEA Seattle-Tacoma Intl",
                                                           "105    19  " + kShortPair + "  10  1500",
                                                           "107 H " + kLongPair + "   0     5     5",
                                                       }));

  const std::string ilsRow = "ISEA " + kShortPair + "  110.30 146 -17 " + std::string("ILS RWY 16R") +
                             std::string(21, ' ') + "  ;" + navPath();
  EXPECT_EQ(ReadCrLfLines(out() / "FSXILSall.dat"), (Lines{ilsRow, ilsRow}));
  EXPECT_EQ(ReadCrLfLines(out() / "FSXILS.dat"), Lines{ilsRow});
  const std::string vorRow = "SEA  " + kShortPair + "  116.80 SEATTLE;" + navPath();
  EXPECT_EQ(ReadCrLfLines(out() / "FSXVORall.dat"), Lines{vorRow});
  EXPECT_EQ(ReadCrLfLines(out() / "FSXVOR.dat"), Lines{vorRow});
  const std::string ndbRow = "AB   " + kShortPair + "  350.00 ALPHA;" + navPath();
  const std::string highNdbRow = "1X   " + kShortPair + "  1020.5 HIGH;" + navPath();
  EXPECT_EQ(ReadCrLfLines(out() / "FSXNDBall.dat"), (Lines{ndbRow, highNdbRow}));
  EXPECT_EQ(ReadCrLfLines(out() / "FSXNDB.dat"), (Lines{highNdbRow, ndbRow}));  // "1" sorts before "A"

  // The lists show what was found and written.
  EXPECT_EQ(lists_[TabList::Dirs], Lines{(root() / "sub").string()});
  EXPECT_EQ(lists_[TabList::Files],
            (Lines{(root() / "a.bgl").string(), (root() / "sub" / "c.BGL").string(), navPath()}));
  EXPECT_EQ(lists_[TabList::ILS], Lines{ilsRow});
  EXPECT_EQ(lists_[TabList::RWY].size(), 10u);
  EXPECT_EQ(lists_[TabList::APV].size(), 10u);  // headers, labels, pads and one line per taxi path
}

TEST_F(ScanRun, UntickedKindsWriteNothingAndLabelsKeepTheirOwnHeading) {
  OutputKinds kinds{false, false, false, false, false, false, false};
  kinds.airportView = true;
  ASSERT_TRUE(Run(kinds).outputWritten);
  for (const char* name : {"FSXARP.dat", "FSXARPall.dat", "FSXRWY.dat", "FSXHEL.dat", "FSXVOR.dat", "FSXNDB.dat",
                           "FSXILS.dat", "FSXVORall.dat", "FSXILSall.dat", "FSXNDBall.dat"}) {
    EXPECT_FALSE(fs::exists(out() / name)) << name;
  }
  const Lines layout = ReadCrLfLines(out() / "corvanfs_apt.dat");
  ASSERT_FALSE(layout.empty());
  EXPECT_EQ(layout[0], "105    27R " + kShortPair + " 270  1500");
  EXPECT_EQ(observer_.steps.back(), "Ready");
  EXPECT_EQ(std::count(observer_.steps.begin(), observer_.steps.end(), "Sorting ARP"), 0);
}

TEST_F(ScanRun, AnEmptyRowListLeavesItsOldSortedFileAsItWas) {
  fs::remove(root() / "sub" / "d.bgl");
  WriteBytes(out() / "FSXVOR.dat", std::vector<std::byte>{std::byte{'o'}, std::byte{'l'}, std::byte{'d'}});
  ASSERT_TRUE(Run().outputWritten);
  EXPECT_EQ(ReadWholeFile(out() / "FSXVOR.dat"), "old");
  EXPECT_EQ(ReadWholeFile(out() / "FSXVORall.dat"), "");
}

TEST_F(ScanRun, DamagedAndUnreadableFilesAreReportedAndTheRestIsWritten) {
  // A truncated copy of the navaid file sorts before it; an empty file and a folder named like a file.
  std::string bytes = ReadWholeFile(root() / "sub" / "d.bgl");
  bytes.resize(bytes.size() - 30);
  std::vector<std::byte> cut(bytes.size());
  std::memcpy(cut.data(), bytes.data(), bytes.size());
  WriteBytes(root() / "sub" / "b_cut.bgl", cut);
  WriteBytes(root() / "sub" / "a_empty.bgl", {});
  const RunResult result = Run();
  ASSERT_TRUE(result.outputWritten);
  EXPECT_EQ(result.damagedFiles, 2u);
  ASSERT_GE(observer_.problems.size(), 2u);
  EXPECT_NE(observer_.problems[0].find("a_empty.bgl at 0x0: file of 0 bytes"), std::string::npos)
      << observer_.problems[0];
  EXPECT_NE(observer_.problems[1].find("b_cut.bgl at 0x"), std::string::npos) << observer_.problems[1];
  // The cut copy gives what lies before the cut; the intact file gives all its rows.
  const Lines ndbs = ReadCrLfLines(out() / "FSXNDBall.dat");
  ASSERT_EQ(ndbs.size(), 3u);
  EXPECT_NE(ndbs[0].find("ALPHA;" + (root() / "sub" / "b_cut.bgl").string()), std::string::npos);
  EXPECT_NE(ndbs[2].find("HIGH;" + navPath()), std::string::npos);
  EXPECT_EQ(ReadCrLfLines(out() / "FSXARP.dat").size(), 1u);
}

TEST_F(ScanRun, OutputFolderThatCannotBeWrittenFailsTheRun) {
  RunOptions options;
  options.scanRoot = rootText();
  options.outputFolder = out() / "missing" / "folder";
  const RunResult result = RunCompiler(options, lists_, observer_);
  EXPECT_FALSE(result.outputWritten);
  ASSERT_FALSE(observer_.problems.empty());
  EXPECT_NE(observer_.problems[0].find("Cannot write"), std::string::npos);
}

TEST_F(ScanRun, ASecondRunStartsFromEmptyLists) {
  ASSERT_TRUE(Run().outputWritten);
  fs::remove(root() / "a.bgl");
  ASSERT_TRUE(Run().outputWritten);
  EXPECT_EQ(lists_[TabList::Files].size(), 2u);
  EXPECT_EQ(lists_[TabList::ARP].size(), 0u);
  EXPECT_EQ(ReadWholeFile(out() / "FSXARPall.dat"), "");
}

TEST_F(ScanRun, StopBetweenFilesEndsCleanly) {
  observer_.stopAfterSteps = 3;  // the two folders' progress, then the first file
  const RunResult result = Run();
  EXPECT_TRUE(result.stopped);
  EXPECT_TRUE(result.outputWritten);
  EXPECT_EQ(observer_.steps.back(), "Stopped");
  EXPECT_FALSE(fs::exists(out() / "FSXARP.dat"));
  EXPECT_EQ(ReadCrLfLines(out() / "FSXRWY.dat").size(), 8u);  // the first file's rows, complete lines
}

}  // namespace
}  // namespace tessel
