// The --box region: parsing, membership across the 180° meridian, and segment clipping.
#include "tools/navimport/geo_box.h"

#include <gtest/gtest.h>

namespace corvane::navimport {
namespace {

TEST(GeoBox, ParsesFourNumbersOrSaysWhy) {
  std::string error;
  const auto box = ParseGeoBox("45,-30,70,20", error);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->southDeg, 45.0);
  EXPECT_EQ(box->westDeg, -30.0);
  EXPECT_EQ(box->northDeg, 70.0);
  EXPECT_EQ(box->eastDeg, 20.0);
  for (const char* bad : {"", "45,-30,70", "45,-30,70,20,1", "45;-30;70;20", "a,b,c,d", "70,-30,45,20", "45,-190,70,20",
                          "-91,0,0,10", "45,,70,20"}) {
    error.clear();
    EXPECT_FALSE(ParseGeoBox(bad, error)) << bad;
    EXPECT_FALSE(error.empty()) << bad;
  }
}

TEST(GeoBox, ContainsWithEdgesAndAcrossTheDateLine) {
  const GeoBox europe{45.0, -30.0, 70.0, 20.0};
  const GeoBox pacific{-50.0, 170.0, 0.0, -170.0};
  const struct {
    const GeoBox& box;
    double latitude, longitude;
    bool inside;
  } cases[] = {
      {europe, 52.3, 4.8, true},      {europe, 45.0, -30.0, true},  {europe, 70.0, 20.0, true},
      {europe, 44.99, 0.0, false},    {europe, 50.0, 20.01, false}, {pacific, -17.0, 178.0, true},
      {pacific, -17.0, -175.0, true}, {pacific, -17.0, 0.0, false}, {pacific, 1.0, 180.0, false},
  };
  for (const auto& test : cases) {
    EXPECT_EQ(test.box.Contains(test.latitude, test.longitude), test.inside) << test.latitude << " " << test.longitude;
  }
}

TEST(GeoBox, ClipsSegmentsToTheBox) {
  const GeoBox box{0.0, 0.0, 10.0, 10.0};
  struct Case {
    double in[4];
    bool kept;
    double out[4];
  };
  const Case cases[] = {
      {{1, 1, 2, 2}, true, {1, 1, 2, 2}},        // inside: unchanged
      {{5, -5, 5, 5}, true, {5, 0, 5, 5}},       // enters from the west
      {{-5, 5, 15, 5}, true, {0, 5, 10, 5}},     // crosses the whole box
      {{20, 20, 30, 30}, false, {}},             // outside
      {{-1, 5, -1, 6}, false, {}},               // parallel, south of the box
      {{12, -2, -2, 12}, true, {10, 0, 0, 10}},  // diagonal through a corner region
  };
  for (const Case& test : cases) {
    double lat1 = test.in[0], lon1 = test.in[1], lat2 = test.in[2], lon2 = test.in[3];
    ASSERT_EQ(ClipSegmentToBox(box, lat1, lon1, lat2, lon2), test.kept);
    if (test.kept) {
      EXPECT_NEAR(lat1, test.out[0], 1e-12);
      EXPECT_NEAR(lon1, test.out[1], 1e-12);
      EXPECT_NEAR(lat2, test.out[2], 1e-12);
      EXPECT_NEAR(lon2, test.out[3], 1e-12);
    }
  }
  // Across the date line the part on either side is found.
  const GeoBox pacific{-50.0, 170.0, 0.0, -170.0};
  double lat1 = -10, lon1 = -175, lat2 = -10, lon2 = -160;
  ASSERT_TRUE(ClipSegmentToBox(pacific, lat1, lon1, lat2, lon2));
  EXPECT_NEAR(lon2, -170.0, 1e-12);
}

}  // namespace
}  // namespace corvane::navimport
