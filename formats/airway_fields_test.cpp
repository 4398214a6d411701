// Airway point lines and the other read-only layouts (fixes, geo lines) on sample lines.
#include "formats/airway_fields.h"

#include <gtest/gtest.h>

#include "formats/dat_columns.h"
#include "formats/field_cut.h"

namespace corvane::formats {
namespace {

TEST(AirwayFields, SplitsAPointLine) {
  const AirwayPointFields point = ParseAirwayPoint("X,UL607 UPPER,1,RESIA ,46.768611,-10.526389,FL245,H");
  EXPECT_EQ(point.airwayName, "UL607");
  EXPECT_EQ(point.ident, "RESIA");
  EXPECT_DOUBLE_EQ(point.latitudeDeg, 46.768611);
  EXPECT_DOUBLE_EQ(point.longitudeDeg, -10.526389);
  EXPECT_EQ(point.levelCode, 'H');

  // Without a blank the name field is taken whole.
  EXPECT_EQ(ParseAirwayPoint("X,A1,1,AB,1,2,L").airwayName, "A1");
  EXPECT_EQ(ParseAirwayPoint("X,A1 ,1,AB,1,2,B").levelCode, 'B');
}

TEST(AirwayFields, BadNumbersThrow) {
  const char* bad[] = {"X,A1 ,1,AB,1.5", "X,A1 ,1,AB,north,2,H", "", "X,A1 ,1,AB,1;5,2,H"};
  for (const char* line : bad) {
    EXPECT_THROW(ParseAirwayPoint(line), ConversionError) << line;
  }
}

TEST(ReadOnlyLayouts, FixAndGeoLines) {
  const std::string_view fix = "RESIA 46.768611  10.526389";
  EXPECT_EQ(CutField(fix, fix_columns::kIdent), "RESIA");
  EXPECT_DOUBLE_EQ(ParseDouble(CutField(fix, fix_columns::kLatitude)), 46.768611);
  EXPECT_DOUBLE_EQ(ParseDouble(CutField(fix, fix_columns::kLongitude)), 10.526389);

  const std::string_view geo = " 54.1234567 -10.1234567  55.7654321  -9.7654321";
  EXPECT_DOUBLE_EQ(ParseDouble(CutField(geo, geo_columns::kLatitude1)), 54.1234567);
  EXPECT_DOUBLE_EQ(ParseDouble(CutField(geo, geo_columns::kLongitude1)), -10.1234567);
  EXPECT_DOUBLE_EQ(ParseDouble(CutField(geo, geo_columns::kLatitude2)), 55.7654321);
  EXPECT_DOUBLE_EQ(ParseDouble(CutField(geo, geo_columns::kLongitude2)), -9.7654321);
  const std::string_view layer = ";LAYER3";
  EXPECT_TRUE(layer.starts_with(geo_columns::kLayerPrefix));
  EXPECT_EQ(CutField(layer, {geo_columns::kLayerDigitColumn, geo_columns::kLayerDigitColumn}), "3");
}

}  // namespace
}  // namespace corvane::formats
