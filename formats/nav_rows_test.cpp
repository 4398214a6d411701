// Fix, geo and airway rows: exact lines and round trips through the readers' columns and fields.
#include "formats/nav_rows.h"

#include <gtest/gtest.h>

#include "formats/airway_fields.h"
#include "formats/dat_columns.h"
#include "formats/field_cut.h"
#include "formats/field_format.h"

namespace corvane::formats {
namespace {

TEST(NavRows, ExactLines) {
  EXPECT_EQ(FormatFixRow("RESIA", 46.768611, 10.526389), "RESIA 46.768611   10.526389");
  EXPECT_EQ(FormatFixRow("AB", -0.5, -179.9999999), "AB    -0.500000 -179.999999");
  EXPECT_EQ(FormatGeoLayerRow(3), ";LAYER3");
  EXPECT_EQ(FormatGeoSegmentRow(54.1, -10.25, -0.5, 180.0), "  54.100000  -10.250000   -0.500000  180.000000");
  EXPECT_EQ(FormatAirwayPointRow({.airwayName = "UL607",
                                  .sequence = 2,
                                  .ident = "RESIA",
                                  .latitudeDeg = 46.768611,
                                  .longitudeDeg = -10.5,
                                  .levelCode = 'H'}),
            "UL607,UL607 ,2,RESIA,46.768611,-10.500000,H");
  EXPECT_THROW(FormatGeoLayerRow(10), FieldOverflowError);
}

TEST(NavRows, RoundTrips) {
  const std::pair<double, double> positions[] = {
      {46.768611, 10.526389}, {-0.25, 0.5}, {-90.0, -180.0}, {12.3456789, -98.7654321}};
  for (const auto& [lat, lon] : positions) {
    const std::string fix = FormatFixRow("ABCDEFG", lat, lon);
    EXPECT_EQ(CutField(fix, fix_columns::kIdent), "ABCDE");
    EXPECT_NEAR(ParseDouble(CutField(fix, fix_columns::kLatitude)), lat, 1e-6);
    EXPECT_NEAR(ParseDouble(CutField(fix, fix_columns::kLongitude)), lon, 1e-6);

    const std::string geo = FormatGeoSegmentRow(lat, lon, -lat, -lon);
    EXPECT_NEAR(ParseDouble(CutField(geo, geo_columns::kLatitude1)), lat, 1e-6);
    EXPECT_NEAR(ParseDouble(CutField(geo, geo_columns::kLongitude1)), lon, 1e-6);
    EXPECT_NEAR(ParseDouble(CutField(geo, geo_columns::kLatitude2)), -lat, 1e-6);
    EXPECT_NEAR(ParseDouble(CutField(geo, geo_columns::kLongitude2)), -lon, 1e-6);

    const std::string airway = FormatAirwayPointRow({.airwayName = "A 1,",
                                                     .sequence = 7,
                                                     .ident = "X,Y",
                                                     .latitudeDeg = lat,
                                                     .longitudeDeg = lon,
                                                     .levelCode = 'L'});
    const AirwayPointFields point = ParseAirwayPoint(airway);
    EXPECT_EQ(point.airwayName, "A1");
    EXPECT_EQ(point.ident, "XY");
    EXPECT_NEAR(point.latitudeDeg, lat, 1e-6);
    EXPECT_NEAR(point.longitudeDeg, lon, 1e-6);
    EXPECT_EQ(point.levelCode, 'L');
  }
}

}  // namespace
}  // namespace corvane::formats
