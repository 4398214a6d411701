// TopoJSON decoding: quantized arcs, reversed references, shared borders once, broken input.
#include "tools/navimport/topojson_geo.h"

#include <gtest/gtest.h>

#include <array>

namespace corvane::navimport {
namespace {

// Two countries side by side sharing the arc 0 (a north-south border at longitude 10):
// arc 0: (10,50)->(10,51); arc 1: west country's other sides; arc 2: east country's other sides.
constexpr const char* kCountries = R"({
  "type": "Topology",
  "objects": {"countries": {"type": "GeometryCollection", "geometries": [
    {"type": "Polygon", "arcs": [[0, 1]], "id": "W"},
    {"type": "MultiPolygon", "arcs": [[[-1, 2]]], "id": "E"},
    {"type": "Point", "coordinates": [0, 0]}
  ]}},
  "arcs": [
    [[10, 50], [10, 51]],
    [[10, 51], [9, 51], [9, 50], [10, 50]],
    [[10, 50], [11, 50], [11, 51], [10, 51]]
  ]
})";

// The same shape quantized: scale 0.5, translate (8, 49), positions delta-encoded.
constexpr const char* kQuantizedLand = R"({
  "type": "Topology",
  "transform": {"scale": [0.5, 0.5], "translate": [8, 49]},
  "objects": {"land": {"type": "GeometryCollection", "geometries": [
    {"type": "Polygon", "arcs": [[0]]}
  ]}},
  "arcs": [[[2, 2], [0, 2], [2, 0], [0, 0], [0, -2], [-2, 0]]]
})";

TEST(TopojsonGeo, SharedBorderIsWrittenOnce) {
  const std::vector<GeoSegment> borders = SharedBorderSegments(kCountries, "countries");
  ASSERT_EQ(borders.size(), 1u);
  EXPECT_DOUBLE_EQ(borders[0].latitude1Deg, 50.0);
  EXPECT_DOUBLE_EQ(borders[0].longitude1Deg, 10.0);
  EXPECT_DOUBLE_EQ(borders[0].latitude2Deg, 51.0);
  EXPECT_DOUBLE_EQ(borders[0].longitude2Deg, 10.0);
  // The outline of all countries holds every arc once: 1 + 3 + 3 segments.
  EXPECT_EQ(OutlineSegments(kCountries, "countries").size(), 7u);
}

TEST(TopojsonGeo, DecodesQuantizedDeltaArcs) {
  const std::vector<GeoSegment> coast = OutlineSegments(kQuantizedLand, "land");
  // Points (9,50) (9,51) (10,51) (10,51 repeated: skipped) (10,50) (9,50).
  ASSERT_EQ(coast.size(), 4u);
  EXPECT_DOUBLE_EQ(coast[0].longitude1Deg, 9.0);
  EXPECT_DOUBLE_EQ(coast[0].latitude1Deg, 50.0);
  EXPECT_DOUBLE_EQ(coast[0].latitude2Deg, 51.0);
  EXPECT_DOUBLE_EQ(coast[1].longitude2Deg, 10.0);
  EXPECT_DOUBLE_EQ(coast[3].longitude2Deg, 9.0);
  EXPECT_DOUBLE_EQ(coast[3].latitude2Deg, 50.0);
}

TEST(TopojsonGeo, StepsAcrossTheDateLineAreCutThereNotDrawnRoundTheWorld) {
  // East from 179.5 to -179.5 (one degree), then back along the meridian itself from -180 to 180.
  constexpr const char* kAcross = R"({
    "type": "Topology",
    "objects": {"land": {"type": "Polygon", "arcs": [[0]]}},
    "arcs": [[[179.5, 64], [-179.5, 66], [-180, 66.5], [180, 67]]]
  })";
  const std::vector<GeoSegment> coast = OutlineSegments(kAcross, "land");
  const std::vector<std::array<double, 4>> expected = {
      {64, 179.5, 65, 180}, {65, -180, 66, -179.5}, {66, -179.5, 66.5, -180}, {66.5, 180, 67, 180}};
  ASSERT_EQ(coast.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_NEAR(coast[i].latitude1Deg, expected[i][0], 1e-9) << i;
    EXPECT_NEAR(coast[i].longitude1Deg, expected[i][1], 1e-9) << i;
    EXPECT_NEAR(coast[i].latitude2Deg, expected[i][2], 1e-9) << i;
    EXPECT_NEAR(coast[i].longitude2Deg, expected[i][3], 1e-9) << i;
  }
}

TEST(TopojsonGeo, BrokenTopologiesAreReportedNotCrashed) {
  const std::vector<std::pair<const char*, const char*>> cases = {
      {"{", "not JSON"},
      {R"({"type": "FeatureCollection"})", "not a TopoJSON topology"},
      {R"({"type": "Topology", "arcs": [], "objects": {}})", "no object \"land\""},
      {R"({"type": "Topology", "arcs": [[[1, 2]]], "objects": {"land": {"type": "Polygon", "arcs": [[5]]}}})",
       "beyond the 1 arcs"},
      {R"({"type": "Topology", "arcs": [[[1]]], "objects": {"land": {"type": "Polygon", "arcs": [[0]]}}})",
       "not [x, y]"},
      {R"({"type": "Topology", "arcs": [[[1, 200]]], "objects": {"land": {"type": "Polygon", "arcs": [[0]]}}})",
       "range of degrees"},
      {R"({"type": "Topology", "arcs": [[[1, 2]]], "objects": {"land": {"type": "Polygon", "arcs": [["x"]]}}})",
       "not a whole number"},
      {R"({"type": "Topology", "arcs": [], "objects": {"land": 5}})", "unexpected structure"},
  };
  for (const auto& [json, message] : cases) {
    try {
      OutlineSegments(json, "land");
      ADD_FAILURE() << "accepted: " << json;
    } catch (const TopologyError& error) {
      EXPECT_NE(std::string(error.what()).find(message), std::string::npos) << error.what();
    }
  }
}

}  // namespace
}  // namespace corvane::navimport
