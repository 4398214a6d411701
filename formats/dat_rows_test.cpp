// Row writers: exact lines for known rows, and round trips through the readers' columns.
#include "formats/dat_rows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "formats/dat_columns.h"
#include "formats/field_cut.h"
#include "formats/field_format.h"

namespace corvane::formats {
namespace {

// Cutting at the 6th (or 8th) decimal moves a value towards zero by less than one unit there.
void ExpectCut(double written, double original, int decimals) {
  const double unit = std::pow(10.0, -decimals);
  EXPECT_LE(std::fabs(written), std::fabs(original) + 1e-12) << original;
  EXPECT_LT(std::fabs(original - written), unit + 1e-12) << original;
}

struct Position {
  double latitudeDeg;
  double longitudeDeg;
};

// Signs, values below 1, whole degrees, the extremes, and digits beyond the 6th and 8th decimal.
const Position kPositions[] = {
    {50.0333333333, 8.5705555555}, {-33.9461, 151.1772}, {0.5, -0.25},
    {-0.5, 0.999999999},           {52.0, -13.0},        {-90.0, -180.0},
    {89.123456789, 179.987654321}, {1e-7, -1e-7},
};

TEST(DatRows, AirportRowExact) {
  const AirportRow row{.ident = "EDDF",
                       .latitudeDeg = 50.0333333,
                       .longitudeDeg = 8.5705556,
                       .elevationMm = 111000,
                       .name = "Frankfurt\tMain \x7f{x}~"};
  EXPECT_EQ(FormatAirportRow(row), "EDDF  50.033333   8.570555   364  FrankfurtMain x");
  AirportRow feet = row;
  feet.elevationFt = 364;
  feet.name = "FRANKFURT MAIN";
  EXPECT_EQ(FormatAirportRow(feet), "EDDF  50.033333   8.570555   364  FRANKFURT MAIN");
}

TEST(DatRows, AirportRoundTrip) {
  for (const auto& p : kPositions) {
    const AirportRow row{.ident = "LFPG7",
                         .latitudeDeg = p.latitudeDeg,
                         .longitudeDeg = p.longitudeDeg,
                         .elevationMm = -4000,
                         .name = "Some Name"};
    const std::string line = FormatAirportRow(row);
    namespace col = airport_columns;
    EXPECT_EQ(CutField(line, col::kIdent), "LFPG");
    ExpectCut(ParseDouble(CutField(line, col::kLatitude)), p.latitudeDeg, 6);
    ExpectCut(ParseDouble(CutField(line, col::kLongitude)), p.longitudeDeg, 6);
    EXPECT_EQ(TrimmedField(line, col::kElevation), "-13");
    EXPECT_EQ(CutField(line, col::kName), "Some Name");
  }
}

TEST(DatRows, RunwayRowsExactAndRoundTrip) {
  const RunwayRow row{.airportIdent = "EDDFX",
                      .primaryNumber = 27,
                      .primaryDesignatorCode = 1,
                      .secondaryNumber = 9,
                      .secondaryDesignatorCode = 2,
                      .latitudeDeg = 50.0364,
                      .longitudeDeg = 8.5577,
                      .headingDegTrue = 270.4,
                      .lengthM = 4000.0};
  const RunwayEndLines lines = FormatRunwayRows(row);
  EXPECT_EQ(lines.primary, "EDDF 27L  50.036400   8.557700 270  2000");
  EXPECT_EQ(lines.opposite, "EDDF 09R  50.036400   8.557700  90  2000");

  for (const auto& p : kPositions) {
    RunwayRow moved = row;
    moved.latitudeDeg = p.latitudeDeg;
    moved.longitudeDeg = p.longitudeDeg;
    for (const std::string& line : {FormatRunwayRows(moved).primary, FormatRunwayRows(moved).opposite}) {
      namespace col = runway_columns;
      EXPECT_EQ(line.size(), 40u);
      ExpectCut(ParseDouble(CutField(line, col::kLatitude)), p.latitudeDeg, 6);
      ExpectCut(ParseDouble(CutField(line, col::kLongitude)), p.longitudeDeg, 6);
      EXPECT_FLOAT_EQ(ParseFloat(CutField(line, col::kHalfLength)), 2000.0f);
      // Compiler rows carry no extra text.
      EXPECT_LE(line.size(), col::kExtraTextAfterLength);
    }
  }
}

TEST(DatRows, OppositeRunwayHeading) {
  const std::pair<double, const char*> cases[] = {
      {270.4, " 90"}, {0.0, "180"}, {180.0, "  0"}, {179.99, "359"}, {359.5, "179"}, {90.0, "270"},
  };
  for (const auto& [heading, opposite] : cases) {
    const RunwayRow row{.airportIdent = "KSFO",
                        .primaryNumber = 1,
                        .secondaryNumber = 19,
                        .latitudeDeg = 37.6,
                        .longitudeDeg = -122.4,
                        .headingDegTrue = heading,
                        .lengthM = 3000.0};
    const std::string line = FormatRunwayRows(row).opposite;
    EXPECT_EQ(CutField(line, runway_columns::kHeading), opposite) << heading;
    EXPECT_EQ(CutField(line, runway_columns::kDesignator), "19 ");
  }
}

TEST(DatRows, HeliportRowExactAndRoundTrip) {
  const HeliportRow row{.airportIdent = "EGLW",
                        .latitudeDeg = 51.469722,
                        .longitudeDeg = -0.179444,
                        .headingDegTrue = 45.9,
                        .lengthM = 30.0,
                        .widthM = 21.0};
  EXPECT_EQ(FormatHeliportRow(row), "EGLW   51.46972200   -0.17944400  45    15    10");
  for (const auto& p : kPositions) {
    HeliportRow moved = row;
    moved.airportIdent = "ABCDEFGH";
    moved.latitudeDeg = p.latitudeDeg;
    moved.longitudeDeg = p.longitudeDeg;
    const std::string line = FormatHeliportRow(moved);
    namespace col = heliport_columns;
    EXPECT_EQ(line.size(), 48u);
    EXPECT_EQ(CutField(line, col::kIdentWritten), "ABCDEF");
    // With a six-letter ident the reader's latitude starts on a letter; shorter idents leave a blank.
    ExpectCut(ParseDouble(CutField(line, col::kLatitudeWritten)), p.latitudeDeg, 8);
    ExpectCut(ParseDouble(CutField(line, col::kLongitude)), p.longitudeDeg, 8);
    EXPECT_EQ(ParseInt(CutField(line, col::kHeading)), 45);
    EXPECT_EQ(ParseInt(CutField(line, col::kHalfLength)), 15);
    EXPECT_EQ(ParseInt(CutField(line, col::kHalfWidth)), 10);
    moved.airportIdent = "EGLW";
    ExpectCut(ParseDouble(CutField(FormatHeliportRow(moved), col::kLatitude)), p.latitudeDeg, 8);
  }
}

TEST(DatRows, BeaconRowsExactAndRoundTrip) {
  const BeaconRow vor{.ident = "FFM",
                      .latitudeDeg = 50.0536,
                      .longitudeDeg = 8.6375,
                      .storedFrequency = 114200000,
                      .name = "FRANKFURT",
                      .sceneryPath = "/s/APX.bgl"};
  EXPECT_EQ(FormatBeaconRow(vor), "FFM   50.053600   8.637500  114.20 FRANKFURT;/s/APX.bgl");

  // A name shorter than 7 characters runs into the ";" and the path on reading.
  BeaconRow shortName = vor;
  shortName.name = "ABC";
  EXPECT_EQ(CutField(FormatBeaconRow(shortName), beacon_columns::kVorName), "ABC;/s/");

  const BeaconRow ndb{.ident = "ABCDEF",
                      .latitudeDeg = -0.5,
                      .longitudeDeg = -0.25,
                      .storedFrequency = 102050,
                      .name = "HIGH\r\nNDB",
                      .sceneryPath = "C:\\a.bgl"};
  const std::string line = FormatBeaconRow(ndb);
  EXPECT_EQ(line, "ABCDE -0.500000  -0.250000  1020.5 HIGHNDB;C:\\a.bgl");
  for (const auto& p : kPositions) {
    BeaconRow moved = vor;
    moved.latitudeDeg = p.latitudeDeg;
    moved.longitudeDeg = p.longitudeDeg;
    const std::string row = FormatBeaconRow(moved);
    namespace col = beacon_columns;
    EXPECT_EQ(TrimmedField(row, col::kIdent), "FFM");
    ExpectCut(ParseDouble(CutField(row, col::kLatitude)), p.latitudeDeg, 6);
    ExpectCut(ParseDouble(CutField(row, col::kLongitude)), p.longitudeDeg, 6);
    EXPECT_EQ(CutField(row, col::kFrequency), "114.20");
    EXPECT_EQ(CutField(row, col::kVorName), "FRANKFU");
  }
}

TEST(DatRows, IlsRowExactAndRoundTrip) {
  const IlsRow ils{.ident = "IFRW",
                   .latitudeDeg = 50.0373,
                   .longitudeDeg = 8.5261,
                   .frequencyHz = 110300000,
                   .localizerHeadingDegTrue = 248.9,
                   .variationDeg = 358.5,
                   .name = "ILS RWY 25C FRANKFURT MAIN INTERNATIONAL",
                   .sceneryPath = "/x/a.bgl"};
  const std::string line = FormatIlsRow(ils);
  EXPECT_EQ(line, "IFRW  50.037300   8.526100  110.30 247 -1. ILS RWY 25C FRANKFURT MAIN INTER  ;/x/a.bgl");
  namespace col = ils_columns;
  EXPECT_EQ(CutField(line, col::kFrequencyText), "110.30 247 -1.");
  const std::string_view text = CutField(line, col::kFrequencyText);
  EXPECT_EQ(ParseInt(CutField(text, col::kTextCourse)), 247);
  EXPECT_EQ(CutField(line, col::kName), "ILS RWY 25C FRANKFUR");
  EXPECT_EQ(CutField(line, col::kPath), "/x/a.bgl");

  IlsRow shortName = ils;
  shortName.name = "ILS";
  EXPECT_EQ(CutField(FormatIlsRow(shortName), col::kNameWritten), "ILS" + std::string(29, ' '));
  for (const auto& p : kPositions) {
    IlsRow moved = ils;
    moved.latitudeDeg = p.latitudeDeg;
    moved.longitudeDeg = p.longitudeDeg;
    const std::string row = FormatIlsRow(moved);
    ExpectCut(ParseDouble(CutField(row, col::kLatitude)), p.latitudeDeg, 6);
    ExpectCut(ParseDouble(CutField(row, col::kLongitude)), p.longitudeDeg, 6);
    EXPECT_EQ(CutField(row, col::kPathSeparator), "  ;");
  }
}

TEST(DatRows, LayoutRowsExact) {
  const AirportRow airport{
      .ident = "EDDF", .latitudeDeg = 50.03, .longitudeDeg = 8.57, .elevationMm = 111000, .name = "Frankfurt"};
  const RunwayRow runway{.airportIdent = "EDDF",
                         .primaryNumber = 25,
                         .primaryDesignatorCode = 3,
                         .secondaryNumber = 7,
                         .secondaryDesignatorCode = 3,
                         .latitudeDeg = 50.0,
                         .longitudeDeg = 8.5,
                         .headingDegTrue = 249.9,
                         .lengthM = 4000.0};
  const HeliportRow helipad{.airportIdent = "EDDF",
                            .latitudeDeg = -0.5,
                            .longitudeDeg = 8.25,
                            .headingDegTrue = 90.0,
                            .lengthM = 2500.0,
                            .widthM = 20.0};
  const std::pair<std::string, const char*> cases[] = {
      {LayoutSeparatorRow(), "        "},
      {FormatLayoutHeaderRow(airport), "1      364 0 0 EDDF Frankfurt"},
      {FormatRunwayLabelRow(runway), "105    07C  50.000000   8.500000 249  2000"},
      {FormatHelipadRow(helipad), "107 H  -0.50000000    8.25000000  90  1250    10"},
      {LayoutTaxiSegmentStartRow(), "110  "},
      {FormatTaxiNodeRow(50.1234567891, -8.1), "111  50.12345678   -8.10000000"},
  };
  for (const auto& [line, expected] : cases) {
    EXPECT_EQ(line, expected);
  }
}

TEST(DatRows, LayoutRowsRoundTrip) {
  namespace col = layout_columns;
  for (const auto& p : kPositions) {
    const AirportRow airport{.ident = "KJFK", .elevationMm = 3962, .name = "Kennedy"};
    const std::string header = FormatLayoutHeaderRow(airport);
    EXPECT_EQ(header.substr(0, 3), col::kHeaderCodeRead);
    EXPECT_EQ(header.substr(col::kHeaderIdentFirst - 1, 4), "KJFK");
    EXPECT_EQ(ParseInt(CutField(header, col::kHeaderElevation)), 13);

    const RunwayRow runway{.secondaryNumber = 31,
                           .secondaryDesignatorCode = 1,
                           .latitudeDeg = p.latitudeDeg,
                           .longitudeDeg = p.longitudeDeg,
                           .headingDegTrue = 135.5,
                           .lengthM = 3682.0};
    const std::string label = FormatRunwayLabelRow(runway);
    EXPECT_EQ(TrimmedField(label, col::kRunwayLabelDesignator), "31L");
    ExpectCut(ParseDouble(CutField(label, col::kRunwayLabelLatitude)), p.latitudeDeg, 6);
    ExpectCut(ParseDouble(CutField(label, col::kRunwayLabelLongitude)), p.longitudeDeg, 6);
    EXPECT_EQ(ParseInt(CutField(label, col::kRunwayLabelHeading)), 135);
    EXPECT_EQ(ParseInt(CutField(label, col::kRunwayLabelHalfLength)), 1841);

    const HeliportRow helipad{.latitudeDeg = p.latitudeDeg,
                              .longitudeDeg = p.longitudeDeg,
                              .headingDegTrue = 10.0,
                              .lengthM = 24680.0,
                              .widthM = 30.0};
    const std::string pad = FormatHelipadRow(helipad);
    ExpectCut(ParseDouble(CutField(pad, col::kHelipadLatitude)), p.latitudeDeg, 8);
    ExpectCut(ParseDouble(CutField(pad, col::kHelipadLongitude)), p.longitudeDeg, 6);
    EXPECT_EQ(ParseInt(CutField(pad, col::kHelipadHalfLength)), 12340);
    EXPECT_EQ(ParseInt(CutField(pad, col::kHelipadHalfWidth)), 15);

    const std::string node = FormatTaxiNodeRow(p.latitudeDeg, p.longitudeDeg);
    EXPECT_EQ(node.substr(0, 4), col::kTaxiNodeCode);
    ExpectCut(ParseDouble(CutField(node, col::kTaxiNodeLatitude)), p.latitudeDeg, 8);
    ExpectCut(ParseDouble(CutField(node, col::kTaxiNodeLongitude)), p.longitudeDeg, 8);
  }
}

TEST(DatRows, DamagedValuesAreRefusedNotWritten) {
  const AirportRow airport{.ident = "XXXX", .latitudeDeg = -1350.0, .longitudeDeg = 8.0};
  EXPECT_THROW(FormatAirportRow(airport), FieldOverflowError);
  const RunwayRow runway{.airportIdent = "XXXX", .primaryNumber = 200, .latitudeDeg = 1.0, .longitudeDeg = 1.0};
  EXPECT_THROW(FormatRunwayRows(runway), FieldOverflowError);
  const HeliportRow helipad{.latitudeDeg = 1.0, .longitudeDeg = 1.0, .lengthM = std::nan("")};
  EXPECT_THROW(FormatHeliportRow(helipad), FieldOverflowError);
}

}  // namespace
}  // namespace corvane::formats
