// Field formatters: exact texts for the cases that catch cutting, padding and sign faults.
#include "formats/field_format.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>

#include "formats/field_cut.h"

#include "formats/plain_decimal.h"

namespace corvane::formats {
namespace {

struct CoordCase {
  double latitudeDeg;
  double longitudeDeg;
  const char* shortPair;
  const char* longPair;
};

TEST(FieldFormat, CoordPairs) {
  const CoordCase cases[] = {
      {52.0, 13.0, " 52.000000  13.000000", " 52.00000000   13.00000000"},
      {52.3, -4.1, " 52.300000  -4.100000", " 52.30000000   -4.10000000"},
      {-0.5, 0.5, " -0.500000   0.500000", " -0.50000000    0.50000000"},
      {-0.25, -0.25, " -0.250000  -0.250000", " -0.25000000   -0.25000000"},
      {0.0, 0.0, "  0.000000   0.000000", "  0.00000000    0.00000000"},
      {-90.0, -180.0, "-90.000000-180.000000", "-90.00000000 -180.00000000"},
      {89.99999999, 179.999999999, " 89.999999 179.999999", " 89.99999999  179.99999999"},
      // Cut, never rounded, at the 6th and 8th decimal.
      {1.23456789012, -1.23456789987, "  1.234567  -1.234567", "  1.23456789   -1.23456789"},
      {-12.3456789, 123.4567891, "-12.345678 123.456789", "-12.34567890  123.45678910"},
      // Tiny values are never written in exponent form, and a value cut to 0 loses its sign.
      {1e-7, -1e-7, "  0.000000   0.000000", "  0.00000010   -0.00000010"},
      {-1e-9, 1e-12, "  0.000000   0.000000", "  0.00000000    0.00000000"},
      {-0.0, -0.0, "  0.000000   0.000000", "  0.00000000    0.00000000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.latitudeDeg << " " << c.longitudeDeg);
    EXPECT_EQ(FormatShortCoordPair(c.latitudeDeg, c.longitudeDeg), c.shortPair);
    EXPECT_EQ(FormatLongCoordPair(c.latitudeDeg, c.longitudeDeg), c.longPair);
  }
}

TEST(FieldFormat, CoordinatesCutAfterRoundingTo15Digits) {
  // 52.3 is stored just below 52.3; its 15-digit text is 52.3, so no 52.299999 appears.
  EXPECT_EQ(FormatCoordinate(52.3, 4, 6), " 52.300000");
  EXPECT_EQ(FormatCoordinate(0.3, 4, 8), "  0.30000000");
  EXPECT_EQ(FormatCoordinate(-33.9461, 4, 6), "-33.946100");
  EXPECT_EQ(FormatCoordinate(151.1772, 5, 6), " 151.177200");
  // A long value is rounded at its 15th significant digit before the decimals are cut.
  const double packed = 90.0 - 1234567890.0 * 180.0 / 536870912.0;
  EXPECT_EQ(PlainDecimalText(packed), "-323.921140506864");
}

// A coordinate given with exactly as many decimals as the field holds is written back digit for
// digit; cutting the stored binary value without first rounding to 15 digits fails this for about
// half of all values (52.3 would become 52.299999).
TEST(FieldFormat, DecimalTextsSurviveParseAndWrite) {
  std::mt19937_64 random(20131010);
  const struct {
    int decimals;
    long long unitsPerDegree;
    int pointColumn;
    long long maxDeg;
  } fields[] = {{6, 1000000, 4, 90}, {6, 1000000, 5, 180}, {8, 100000000, 4, 90}, {8, 100000000, 5, 180}};
  for (const auto& field : fields) {
    std::uniform_int_distribution<long long> units(-field.maxDeg * field.unitsPerDegree,
                                                   field.maxDeg * field.unitsPerDegree);
    for (int i = 0; i < 50000; ++i) {
      const long long value = units(random);
      const long long magnitude = value < 0 ? -value : value;
      char text[40];
      std::snprintf(text, sizeof text, "%s%lld.%0*lld", value < 0 ? "-" : "", magnitude / field.unitsPerDegree,
                    field.decimals, magnitude % field.unitsPerDegree);
      std::string expected(static_cast<std::size_t>(field.pointColumn + field.decimals), ' ');
      expected.replace(expected.size() - std::strlen(text), std::strlen(text), text);
      ASSERT_EQ(FormatCoordinate(ParseDouble(text), field.pointColumn, field.decimals), expected);
    }
  }
}

TEST(FieldFormat, CoordinatesThatDoNotFitAreRefused) {
  const double badValues[] = {-100.0, 1000.0, -1350.5, std::numeric_limits<double>::quiet_NaN(),
                              std::numeric_limits<double>::infinity()};
  for (double value : badValues) {
    EXPECT_THROW(FormatCoordinate(value, 4, 6), FieldOverflowError) << value;
  }
  EXPECT_THROW(FormatShortCoordPair(0.0, 10000.0), FieldOverflowError);
  EXPECT_EQ(FormatCoordinate(-99.5, 4, 6), "-99.500000");
}

TEST(FieldFormat, PlainDecimalText) {
  const std::pair<double, const char*> cases[] = {
      {52.3, "52.3"},     {-0.25, "-0.25"},
      {180.0, "180"},     {1e-7, "0.0000001"},
      {-0.0, "0"},        {1e20, "100000000000000000000"},
      {0.1 + 0.2, "0.3"}, {123456789.123456789, "123456789.123457"},
  };
  for (const auto& [value, text] : cases) {
    EXPECT_EQ(PlainDecimalText(value), text) << value;
  }
}

TEST(FieldFormat, Ident) {
  const struct {
    const char* ident;
    int width;
    const char* text;
  } cases[] = {
      {"EDDF", 4, "EDDF"},  {"EDDF", 5, "EDDF "},    {"EDDF", 6, "EDDF  "},    {"K1G4", 6, "K1G4  "},
      {"LFPG7", 4, "LFPG"}, {"ABCDEFG", 5, "ABCDE"}, {"ABCDEFG", 6, "ABCDEF"}, {"", 5, "     "},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatIdent(c.ident, c.width), c.text) << c.ident << " " << c.width;
  }
}

TEST(FieldFormat, Elevation) {
  const std::pair<int32_t, const char*> cases[] = {
      {0, "     0"},       {111000, "   364"},   // 364.17
      {-4000, "   -13"},                         // -13.12
      {2000000, "  6562"},                       // 6561.68
      {1524, "     5"},                          // 5.0000 exactly-ish
      {457, "     1"},                           // 1.4993
      {152400, "   500"},  {-427000, " -1401"},  // Dead Sea region
  };
  for (const auto& [mm, text] : cases) {
    EXPECT_EQ(FormatElevation(mm), text) << mm;
  }
  EXPECT_EQ(FormatElevationFeet(1234), "  1234");
  EXPECT_EQ(FormatElevationFeet(-20), "   -20");
  EXPECT_THROW(FormatElevation(std::numeric_limits<int32_t>::max()), FieldOverflowError);
  EXPECT_THROW(FormatElevationFeet(1000000), FieldOverflowError);
}

TEST(FieldFormat, HeadingAndHalfLength) {
  const std::pair<double, const char*> headings[] = {
      {90.0, " 90"}, {270.4, "270"}, {359.99, "359"}, {0.7, "  0"}, {5.0, "  5"}, {-0.5, " -1"}, {360.0, "360"},
  };
  for (const auto& [heading, text] : headings) {
    EXPECT_EQ(FormatHeading(heading), text) << heading;
  }
  const std::pair<double, const char*> lengths[] = {
      {3000.0, " 1500"}, {45.9, "   22"}, {1.0, "    0"}, {199999.0, "99999"}, {24.0, "   12"},
  };
  for (const auto& [length, text] : lengths) {
    EXPECT_EQ(FormatHalfLength(length), text) << length;
  }
  EXPECT_THROW(FormatHeading(1000.0), FieldOverflowError);
  EXPECT_THROW(FormatHeading(std::numeric_limits<double>::quiet_NaN()), FieldOverflowError);
  EXPECT_THROW(FormatHalfLength(200000.0), FieldOverflowError);
  EXPECT_THROW(FormatHalfLength(std::numeric_limits<double>::infinity()), FieldOverflowError);
}

TEST(FieldFormat, MagneticCourseAndVariation) {
  const struct {
    double heading;
    double variation;
    const char* course;
    const char* variationText;
  } cases[] = {
      {45.0, 0.0, "045", "0  "},   {44.6, 0.0, "045", "0  "},    {274.2, -2.0, "272", "-2 "},
      {10.0, -1.5, "008", "-1."},                                 // 8.5 rounds to even
      {3.0, -5.0, "358", "-5 "},   {100.0, 358.0, "098", "-2 "},  // 358 is reduced to -2 first
      {90.0, 181.5, "272", "-17"},  // -178.5: cut to three characters; -88.5 rounds to even
      {359.7, 0.0, "360", "0  "},  {0.0, 12.25, "012", "12."},   {0.0, 0.5, "000", "0.5"},  // 0.5 rounds to even
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.heading << " " << c.variation);
    EXPECT_EQ(FormatMagneticCourse(c.heading, c.variation), c.course);
    EXPECT_EQ(FormatVariation(c.variation), c.variationText);
  }
  EXPECT_THROW(FormatVariation(std::numeric_limits<double>::quiet_NaN()), FieldOverflowError);
  EXPECT_THROW(FormatMagneticCourse(std::numeric_limits<double>::infinity(), 0.0), FieldOverflowError);
}

TEST(FieldFormat, Frequency) {
  const std::pair<uint32_t, const char*> cases[] = {
      {113900000, "113.90"},                                                                   // VOR in Hz
      {110300000, "110.30"}, {117950000, "117.95"}, {108100000, "108.10"}, {35000, "350.00"},  // NDB in 10 Hz units
      {35050, "350.50"},     {19000, "190.00"},     {100000, "1000.0"},  // NDB of 1000 kHz and more
      {175050, "1750.5"},    {9900, "099.00"},                           // below 100 kHz
      {0, "000.00"},
  };
  for (const auto& [stored, text] : cases) {
    EXPECT_EQ(FormatFrequency(stored), text) << stored;
  }
}

TEST(FieldFormat, RunwayDesignator) {
  const struct {
    int number;
    int code;
    const char* text;
  } cases[] = {
      {9, 1, " 09L"},  {27, 0, " 27 "}, {18, 2, " 18R"}, {36, 3, " 36C"}, {4, 4, " 04W"},
      {13, 5, " 13A"}, {31, 6, " 31B"}, {22, 7, " 22 "}, {1, -1, " 01 "}, {0, 0, " 00 "},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatRunwayDesignator(c.number, c.code), c.text) << c.number << " " << c.code;
  }
  EXPECT_THROW(FormatRunwayDesignator(100, 0), FieldOverflowError);
  EXPECT_THROW(FormatRunwayDesignator(-1, 0), FieldOverflowError);
}

TEST(FieldFormat, TextsIgnoreTheUserLocale) {
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
  }
  EXPECT_EQ(FormatShortCoordPair(52.3, -4.1), " 52.300000  -4.100000");
  EXPECT_EQ(FormatVariation(-1.5), "-1.");
  std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace corvane::formats
