// The committed demo data folder: every file there reads at the readers' columns, holds what the
// demos rely on (EHAM, BIKF, SPY, layouts, user sections) and stays small.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

#include "formats/dat_columns.h"
#include "formats/field_cut.h"
#include "formats/text_lines.h"

namespace corvane::navimport {
namespace {

namespace fs = std::filesystem;
using formats::ParseFloat;
using formats::TrimmedField;

fs::path DemoFolder() {
  const char* source = std::getenv("CORVANE_SOURCE_DIR");
  return fs::path(source ? source : ".") / "data" / "demo";
}

std::vector<std::string> DemoLines(const char* name) { return formats::ReadTextLines(DemoFolder() / name); }

bool InDemoRegion(float latitude, float longitude) {
  // Airway segments may end a little outside the box; nothing lies far from it.
  return latitude > 35.0f && latitude < 80.0f && longitude > -45.0f && longitude < 40.0f &&
         !(latitude == 0.0f && longitude == 0.0f);
}

TEST(DemoData, PointFilesReadAtTheirColumns) {
  struct PointFile {
    const char* name;
    formats::Column ident, latitude, longitude;
    std::size_t minRows;
  };
  namespace apt = formats::airport_columns;
  namespace bcn = formats::beacon_columns;
  namespace rwy = formats::runway_columns;
  namespace fix = formats::fix_columns;
  const PointFile files[] = {
      {"NAVapt.dat", apt::kIdent, apt::kLatitude, apt::kLongitude, 1000},
      {"NAVvor.dat", bcn::kIdent, bcn::kLatitude, bcn::kLongitude, 100},
      {"NAVndb.dat", bcn::kIdent, bcn::kLatitude, bcn::kLongitude, 100},
      {"NAVrwy.dat", rwy::kAirportIdent, rwy::kLatitude, rwy::kLongitude, 1000},
      {"NAVwpt.dat", fix::kIdent, fix::kLatitude, fix::kLongitude, 1000},
  };
  std::set<std::string> idents;
  for (const PointFile& file : files) {
    const std::vector<std::string> lines = DemoLines(file.name);
    EXPECT_GE(lines.size(), file.minRows) << file.name;
    for (const std::string& line : lines) {
      ASSERT_FALSE(TrimmedField(line, file.ident).empty()) << file.name << ": " << line;
      const float latitude = ParseFloat(TrimmedField(line, file.latitude));
      const float longitude = ParseFloat(TrimmedField(line, file.longitude));
      ASSERT_TRUE(InDemoRegion(latitude, longitude)) << file.name << ": " << line;
      idents.insert(std::string(file.name) + ":" + std::string(TrimmedField(line, file.ident)));
    }
  }
  for (const char* wanted : {"NAVapt.dat:EHAM", "NAVapt.dat:BIKF", "NAVvor.dat:SPY", "NAVrwy.dat:EHAM"}) {
    EXPECT_EQ(idents.count(wanted), 1u) << wanted;
  }
  for (const std::string& line : DemoLines("NAVrwy.dat")) {
    const int heading = formats::ParseInt(TrimmedField(line, rwy::kHeading));
    ASSERT_TRUE(heading >= 0 && heading < 360) << line;
    ASSERT_GT(formats::ParseInt(TrimmedField(line, rwy::kHalfLength)), 0) << line;
  }
}

TEST(DemoData, AirwaysAndGeoLines) {
  const std::vector<std::string> airways = DemoLines("NAVawy.dat");
  ASSERT_GT(airways.size(), 1000u);
  for (std::size_t index = formats::airway_fields::kHeaderLines; index < airways.size(); ++index) {
    const std::string& line = airways[index];
    ASSERT_NE(line[0], ';') << line;
    ASSERT_NE(formats::CommaField(line, formats::airway_fields::kAirwayName).find(' '), std::string_view::npos);
    ASSERT_TRUE(InDemoRegion(ParseFloat(formats::CommaField(line, formats::airway_fields::kLatitude)),
                             ParseFloat(formats::CommaField(line, formats::airway_fields::kLongitude))))
        << line;
    ASSERT_NE(std::string("HBL").find(line.back()), std::string::npos) << line;
  }
  namespace geo = formats::geo_columns;
  std::set<char> layers;
  for (const std::string& line : DemoLines("corvane_geo.dat")) {
    if (line.rfind(geo::kLayerPrefix, 0) == 0) {
      layers.insert(line[geo::kLayerDigitColumn - 1]);
      continue;
    }
    for (const formats::Column column : {geo::kLatitude1, geo::kLongitude1, geo::kLatitude2, geo::kLongitude2}) {
      ParseFloat(TrimmedField(line, column));
    }
    ASSERT_TRUE(
        InDemoRegion(ParseFloat(TrimmedField(line, geo::kLatitude1)), ParseFloat(TrimmedField(line, geo::kLongitude1))))
        << line;
  }
  EXPECT_EQ(layers, (std::set<char>{'1', '2'}));
}

TEST(DemoData, LayoutsAndUserFile) {
  namespace layout = formats::layout_columns;
  std::set<std::string> airports;
  for (const std::string& line : DemoLines("corvanxX_apt.dat")) {
    if (line.rfind(layout::kHeaderCodeRead, 0) == 0) {
      airports.insert(line.substr(layout::kHeaderIdentFirst - 1, 4));
    }
  }
  for (const char* wanted : {"EHAM", "BIKF", "EGLL", "EKCH"}) {
    EXPECT_EQ(airports.count(wanted), 1u) << wanted;
  }
  // The user file shows every section, in the order the reader looks for them, each closed by a
  // short line.
  namespace user = formats::user_file;
  std::vector<std::string> sections;
  bool inSection = false;
  for (const std::string& line : DemoLines("corvane_user.dat")) {
    if (!inSection) {
      sections.push_back(line.substr(0, 4));
      inSection = true;
    } else if (line.size() < user::kMinRowLength) {
      inSection = false;
    } else {
      ParseFloat(TrimmedField(line, sections.back() == "#FIX"   ? formats::fix_columns::kLatitude
                                    : sections.back() == "#RWY" ? formats::runway_columns::kLatitude
                                                                : formats::airport_columns::kLatitude));
    }
  }
  EXPECT_FALSE(inSection);
  EXPECT_EQ(sections, (std::vector<std::string>{"#APT", "#VOR", "#NDB", "#RWY", "#FIX"}));
}

TEST(DemoData, StaysUnder15Megabytes) {
  std::uintmax_t bytes = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(DemoFolder())) {
    bytes += entry.file_size();
  }
  EXPECT_LT(bytes, 15u * 1024u * 1024u);
}

}  // namespace
}  // namespace corvane::navimport
