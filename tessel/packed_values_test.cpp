// The packed latitude, longitude and ident values.
#include "tessel/packed_values.h"

#include <gtest/gtest.h>

#include <random>

namespace tessel {
namespace {

TEST(PackedValues, CoordinatesAtKnownPoints) {
  struct Case {
    std::uint32_t packed;
    double latitudeDeg;
    double longitudeDeg;
  };
  const Case cases[] = {
      {0, 90.0, -180.0},       {1u << 27, 45.0, -120.0}, {1u << 28, 0.0, -60.0},
      {1u << 29, -90.0, 60.0}, {3u << 27, -45.0, 0.0},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(DecodePackedLatitude(c.packed), c.latitudeDeg) << c.packed;
    EXPECT_DOUBLE_EQ(DecodePackedLongitude(c.packed), c.longitudeDeg) << c.packed;
  }
  EXPECT_NEAR(DecodePackedLatitude(1) - DecodePackedLatitude(2), 3.3527613e-7, 1e-13);
  EXPECT_NEAR(DecodePackedLongitude(2) - DecodePackedLongitude(1), 4.4703484e-7, 1e-13);
}

// The longitude is the stored value times 360 over 3 * 2^28, to the last bit, over the whole range.
TEST(PackedValues, LongitudeIsTheExactQuotient) {
  std::mt19937 random(5);
  for (int i = 0; i < 200000; ++i) {
    const std::uint32_t packed = i < 64 ? 0xFFFFFFFFu - static_cast<std::uint32_t>(i) : random();
    const double quotient = static_cast<double>(packed) * 360.0 / 805306368.0 - 180.0;
    ASSERT_EQ(DecodePackedLongitude(packed), quotient) << packed;
  }
}

TEST(PackedValues, CoordinateEncodingIsTheNearestPackedValue) {
  for (double degrees : {-89.999, -33.946, 0.0, 0.5, 47.449, 89.9}) {
    EXPECT_NEAR(DecodePackedLatitude(EncodePackedLatitude(degrees)), degrees, 2e-7);
  }
  for (double degrees : {-179.99, -122.309, 0.0, 7.5, 151.177, 179.99}) {
    EXPECT_NEAR(DecodePackedLongitude(EncodePackedLongitude(degrees)), degrees, 3e-7);
  }
}

TEST(PackedValues, IdentDigitsAndTheLowFiveBits) {
  struct Case {
    std::uint32_t packed;
    const char* ident;
  };
  const Case cases[] = {
      {12 * 32, "A"},
      {12 * 32 + 31, "A"},  // the low five bits carry no character
      {(2 * 38 + 11) * 32, "09"},
      {((((22 * 38 + 30) * 38 + 16) * 38 + 12)) * 32, "KSEA"},
      {(((1 * 38 + 12) * 38 + 0) * 38 + 13) * 32, "AB"},  // digits 0 and 1 are no character
      {0, ""},
      {(((((37 * 38 + 37) * 38 + 37) * 38 + 37) * 38) + 37) * 32u, "ZZZZZ"},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodePackedIdent(c.packed), c.ident) << c.packed;
  // A leading digit beyond 37 (values above 38^5) stands for no character.
  EXPECT_EQ(DecodePackedIdent(0xFFFFFFFFu), DecodePackedIdent(0xFFFFFFFFu / 32 % 2085136 * 32));
}

TEST(PackedValues, IdentRoundTrip) {
  for (const char* ident : {"KSEA", "EGLL", "Y", "0A9", "ZZZZZ", "12345"}) {
    EXPECT_EQ(DecodePackedIdent(EncodePackedIdent(ident)), ident);
  }
}

}  // namespace
}  // namespace tessel
