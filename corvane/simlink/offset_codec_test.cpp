// Offset encodings: the worked examples, range edges, and write → read round trips.
#include "corvane/simlink/offset_codec.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace corvane::simlink {
namespace {

TEST(OffsetCodecTest, DecodesReadExamples) {
  EXPECT_FLOAT_EQ(DecodeMagneticVariation(0xFFF0), -0.087890625f);
  EXPECT_FLOAT_EQ(DecodeMagneticVariation(0x0400), 5.625f);
  EXPECT_FLOAT_EQ(DecodeMagneticVariation(0x8000), 180.0f);  // not above 180: stays
  EXPECT_EQ(DecodeGroundSpeed(65536 * 10), 19);
  EXPECT_EQ(DecodeGroundSpeed(65535), 0);
  EXPECT_EQ(DecodeGroundSpeed(-65536 * 10), -19);
  EXPECT_FLOAT_EQ(DecodeApVerticalSpeed(0xFC18), -1000.0f);
  EXPECT_FLOAT_EQ(DecodeApVerticalSpeed(0x7FFF), 32767.0f);
  EXPECT_EQ(DecodeApHeading(0xFFFF), 359);
  EXPECT_EQ(DecodeApHeading(0x4000), 90);
  EXPECT_EQ(DecodeWindDirection(0xFFFF), 359);
  EXPECT_EQ(DecodeIndicatedAirspeed(250 * 128 + 127), 250);
  EXPECT_EQ(DecodeApAltitude(199753728), 10000);  // 3048 m
  EXPECT_DOUBLE_EQ(DecodeAltitude(std::int64_t{1000} << 32), 3280.84);
  EXPECT_DOUBLE_EQ(DecodeLongitude(std::numeric_limits<std::int64_t>::min()), -180.0);
  EXPECT_FLOAT_EQ(DecodeHeading(0x80000000u), 180.0f);
}

TEST(OffsetCodecTest, MagneticWindDirectionWrapsIntoZeroTo360) {
  struct Case {
    std::int32_t windTrue;
    float variation;
    std::int32_t expected;
  };
  const Case cases[] = {{5, 10, 356}, {0, 0, 0}, {355, -10, 5}, {360, 0, 360}, {180, 2.6f, 177}, {90, -0.4f, 90}};
  for (const Case& c : cases)
    EXPECT_EQ(MagneticWindDirection(c.windTrue, c.variation), c.expected) << c.windTrue << " " << c.variation;
}

TEST(OffsetCodecTest, EncodesWriteExamples) {
  EXPECT_EQ(EncodeApHeading(359.99), 65534);
  EXPECT_EQ(EncodeApHeading(360.0), 0);
  EXPECT_EQ(EncodeApHeading(90.0), 16384);
  EXPECT_EQ(EncodeApHeading(-90.0), 49152);
  EXPECT_NEAR(EncodeApAltitude(10000), 199753728, 4);
  EXPECT_EQ(EncodeApAltitude(1e12), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(EncodeApVerticalSpeed(-1000), -1000);
  EXPECT_EQ(EncodeApVerticalSpeed(-1500.9), -1500);
  EXPECT_EQ(EncodeApVerticalSpeed(50000), 32767);
  EXPECT_EQ(EncodeApAirspeed(250.7), 250);
  EXPECT_EQ(EncodeApAirspeed(-5), 0);
  EXPECT_EQ(EncodeSpoilers(16), 4914u);
  EXPECT_EQ(EncodeSpoilers(30), 16380u);
  EXPECT_EQ(EncodeSpoilers(20), 8190u);
  EXPECT_EQ(EncodeSpoilers(9), 65536u - 819u);  // modulo 65536, zero-extended
  EXPECT_EQ(EncodeHeading(360.0), 0u);
  EXPECT_EQ(EncodeHeading(90.0), 0x40000000u);
  EXPECT_EQ(EncodeLongitude(180.0), std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(EncodeLongitude(std::nan("")), 0);
  EXPECT_EQ(EncodeAltitude(1e30), std::numeric_limits<std::int64_t>::max() - 1023);
  EXPECT_LT(EncodeLatitude(-33.9), 0);
}

TEST(OffsetCodecTest, PositionWritesReadBackWithinOneRawUnit) {
  const double latitudes[] = {-90.0, -33.9, -0.000001, 0.0, 52.3, 89.999999};
  for (double latitude : latitudes) {
    const std::int64_t raw = EncodeLatitude(latitude);
    EXPECT_NEAR(DecodeLatitude(raw), latitude, 1e-13) << latitude;
  }
  const double longitudes[] = {-180.0, -73.7781, 0.0, 4.76, 151.177, 179.9999999};
  for (double longitude : longitudes) {
    EXPECT_NEAR(DecodeLongitude(EncodeLongitude(longitude)), longitude, 1e-12) << longitude;
  }
  EXPECT_NEAR(DecodeLongitude(EncodeLongitude(190.0)), -170.0, 1e-12);
  const double altitudes[] = {-1000.0, 0.0, 35000.0, 41000.5};
  for (double altitude : altitudes)
    EXPECT_NEAR(DecodeAltitude(EncodeAltitude(altitude)), altitude, 1e-6 + std::abs(altitude) * 1e-7)
        << altitude;  // 0.3048 × 3.28084 is not quite 1
  const double headings[] = {0.0, 0.5, 90.0, 271.25, 359.999};
  for (double heading : headings) EXPECT_NEAR(DecodeHeading(EncodeHeading(heading)), heading, 1e-4) << heading;
  for (int heading = 0; heading < 360; ++heading) {
    // The autopilot heading survives whole degrees exactly, the way the polling reads it back.
    EXPECT_EQ(DecodeApHeading(EncodeApHeading(heading + 0.5)), heading);
  }
  EXPECT_EQ(DecodeApAltitude(EncodeApAltitude(10000.5)), 10000);
  EXPECT_NEAR(DecodeMagneticVariation(EncodeMagneticVariation(-3.5)), -3.5, 0.006);
}

TEST(OffsetCodecTest, RadioTexts) {
  struct Case {
    const char* text;
    std::optional<std::uint16_t> nav, adf, ilsCourse;
  };
  const Case cases[] = {
      {"110.30", 0x1030, 0x0110, std::nullopt},       {"117.95", 0x1795, 0x0117, std::nullopt},
      {"108.00", 0x0800, 0x0108, std::nullopt},       {"1750", std::nullopt, 0x0175, std::nullopt},
      {"352.00", 0x5200, 0x0352, std::nullopt},       {"109.50 274 -2 ", 0x0950, 0x0109, 274},
      {"111.10 045 3  ", 0x1110, 0x0111, 45},         {"109.50  74 -2 ", 0x0950, 0x0109, 74},
      {"109.5", std::nullopt, 0x0109, std::nullopt},  {"1x9.50 27a", std::nullopt, std::nullopt, std::nullopt},
      {"", std::nullopt, std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(EncodeNavFrequency(c.text), c.nav);
    EXPECT_EQ(EncodeAdfFrequency(c.text), c.adf);
    EXPECT_EQ(IlsCourse(c.text), c.ilsCourse);
  }
}

}  // namespace
}  // namespace corvane::simlink
