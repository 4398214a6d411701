// The fast decimal conversion gives exactly what the general conversion gives, or declines.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "corvane/navdata/decimal_float.h"
#include "formats/conversion_error.h"
#include "formats/field_cut.h"

namespace corvane::navdata {
namespace {

// Accepted texts must equal formats::ParseFloat bit for bit; declined ones are left to it.
void ExpectSameAsGeneralConversion(const std::string& text) {
  float fast = 12345.0f;
  const bool accepted = DecimalTextToFloat(text, fast);
  if (!accepted) {
    EXPECT_EQ(fast, 12345.0f) << "declined text changed the value: '" << text << "'";
    return;
  }
  try {
    const float general = formats::ParseFloat(text);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(fast), std::bit_cast<std::uint32_t>(general)) << "'" << text << "'";
  } catch (const formats::ConversionError&) {
    ADD_FAILURE() << "accepted text the general conversion rejects: '" << text << "'";
  }
}

TEST(DecimalTextToFloat, AgreesWithTheGeneralConversionOnEveryShape) {
  const std::vector<std::string> texts = {
      "52.540000",
      "  52.540000",
      "-0.250000",
      "   -0.25  ",
      "0",
      "-0",
      "-0.000000",
      "180",
      "-180.00000000",
      "5.",
      ".5",
      "-.5",
      "0000012.5",
      "123456789012345",
      "1234567890123456",
      "1.234567890123456",
      "",
      "   ",
      "-",
      ".",
      "+1.5",
      "1e5",
      "1.5.2",
      "--1",
      "1-",
      "12a",
      "nan",
      "inf",
      "0x10",
      "4,5",
      "0.000000000000001",
      "340282356779733661637539395458142568448",
      "16777217",
      "16777217.0",
      "0.1",
      "0.2",
      "0.3",
      "-89.999999",
      "179.999999",
  };
  for (const std::string& text : texts) ExpectSameAsGeneralConversion(text);
}

// Coordinates as the writers produce them (6 and 8 decimals), and halfway cases near float ties.
TEST(DecimalTextToFloat, AgreesOnAMillionCoordinates) {
  std::mt19937_64 random(1234);
  std::uniform_int_distribution<std::int64_t> microDegrees(-180000000, 180000000);
  std::uniform_int_distribution<std::int64_t> tenNanoDegrees(-18000000000, 18000000000);
  char text[40];
  std::size_t accepted = 0;
  for (int i = 0; i < 500000; ++i) {
    const std::int64_t micro = microDegrees(random);
    std::snprintf(text, sizeof text, "%s%lld.%06lld", micro < 0 ? "-" : "", std::llabs(micro) / 1000000,
                  std::llabs(micro) % 1000000);
    ExpectSameAsGeneralConversion(text);
    const std::int64_t tenNano = tenNanoDegrees(random);
    std::snprintf(text, sizeof text, "%s%lld.%08lld", tenNano < 0 ? "-" : "", std::llabs(tenNano) / 100000000,
                  std::llabs(tenNano) % 100000000);
    ExpectSameAsGeneralConversion(text);
    float ignored = 0;
    accepted += DecimalTextToFloat(text, ignored) ? 1 : 0;
    if (HasFailure()) return;
  }
  // The fast path must really be the common one.
  EXPECT_GT(accepted, 499000u);
}

// Exact float midpoints written out in decimal: the fast path must not round these itself.
TEST(DecimalTextToFloat, LeavesExactTiesToTheGeneralConversion) {
  // 16777217 = 2^24 + 1 lies halfway between the floats 2^24 and 2^24 + 2.
  float value = 0;
  EXPECT_FALSE(DecimalTextToFloat("16777217", value));
  // 1 + 2^-24 = 1.000000059604644775390625 needs more digits than the fast path takes.
  EXPECT_FALSE(DecimalTextToFloat("1.000000059604644775390625", value));
  // 2^-1 + 2^-25: 0.5000000298023223876953125, likewise.
  EXPECT_FALSE(DecimalTextToFloat("0.5000000298023223876953125", value));
}

}  // namespace
}  // namespace corvane::navdata
