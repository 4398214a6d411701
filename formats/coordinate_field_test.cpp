// The direct coordinate writer against the long way through the plain decimal text: same bytes,
// same refusals.
#include "formats/coordinate_field.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "formats/field_format.h"

namespace corvane::formats {
namespace {

// The long way's field, or "" where it refuses the value.
std::string Reference(double value, std::size_t pointColumn, std::size_t decimals) {
  try {
    return FormatCoordinateByPlainText(value, static_cast<int>(pointColumn), static_cast<int>(decimals));
  } catch (const std::exception&) {
    return "";
  }
}

std::string Direct(double value, std::size_t pointColumn, std::size_t decimals) {
  std::string field(pointColumn + decimals, '?');
  return WriteCoordinateField(value, pointColumn, decimals, field.data()) ? field : "";
}

TEST(CoordinateField, EdgeValuesMatchTheLongWay) {
  const double kValues[] = {0.0,
                            -0.0,
                            1e-9,
                            -1e-9,
                            -0.5,
                            0.5,
                            -0.000000004,
                            -0.00000001,
                            99.99999999,
                            99.999999999999999,  // rounds up to 100 at 15 digits
                            -99.9999999999999,
                            999.9,
                            -999.9,
                            1000.0,
                            -180.0,
                            180.0,
                            -323.921140506864,
                            1.0 - std::ldexp(1.0, -53),  // rounds up into a new digit at 15 digits
                            -(10.0 - std::ldexp(1.0, -49)),
                            0.000999999999999999,
                            89.99725341796875,  // 16 digits ending in 5: a tie, rounded to even
                            89.99176025390625,
                            std::ldexp(1.0, -59),
                            std::ldexp(1.0, -61),
                            123456789012345678.0,
                            1e300,
                            -1e-300,
                            std::numeric_limits<double>::denorm_min(),
                            std::numeric_limits<double>::quiet_NaN(),
                            std::numeric_limits<double>::infinity(),
                            -std::numeric_limits<double>::infinity()};
  for (const double value : kValues) {
    for (const auto& [pointColumn, decimals] :
         {std::pair<std::size_t, std::size_t>{4, 8}, {5, 8}, {4, 6}, {5, 6}, {1, 3}, {2, 0}}) {
      EXPECT_EQ(Direct(value, pointColumn, decimals), Reference(value, pointColumn, decimals))
          << value << " at " << pointColumn << "/" << decimals;
    }
  }
}

// Doubles of every shape between 1e-7 and 2000, and halfway cases at the 16th digit.
TEST(CoordinateField, RandomDoublesAndTiesMatchTheLongWay) {
  std::mt19937_64 random(9);
  for (int i = 0; i < 100000; ++i) {
    const std::uint64_t mantissa = (random() >> 11) | (std::uint64_t{1} << 52);
    const int trailingZeros = static_cast<int>(random() % 53);
    const double magnitude = std::ldexp(static_cast<double>(mantissa >> trailingZeros << trailingZeros),
                                        static_cast<int>(random() % 36) - 76);
    const double value = random() % 2 == 0 ? magnitude : -magnitude;
    ASSERT_EQ(Direct(value, 5, 8), Reference(value, 5, 8)) << value;
    ASSERT_EQ(Direct(value, 4, 6), Reference(value, 4, 6)) << value;
    // Twenty decimals show all fifteen digits, and so the rounding of the last.
    ASSERT_EQ(Direct(value, 5, 20), Reference(value, 5, 20)) << value;
  }
  // Values just below a step of the last kept decimal, where the rounding to 15 digits may carry
  // into the kept ones.
  for (std::uint64_t step = 100000000; step < 100000000 + 200000; ++step) {
    for (const int fractionBits : {25, 27, 30}) {
      const std::uint64_t below = ((step * 37) << fractionBits) / 100000000 - 1;
      const double value = std::ldexp(static_cast<double>(below), -fractionBits);
      ASSERT_EQ(Direct(value, 5, 8), Reference(value, 5, 8)) << below << "/2^" << fractionBits;
    }
  }
  // Latitudes stored in scenery files on multiples of 2^13 end in a 5 at the 16th digit.
  for (std::uint32_t packed = 0; packed < (1u << 29); packed += (1u << 13) * 7) {
    const double latitudeDeg = 90.0 - static_cast<double>(packed) * 180.0 / 536870912.0;
    ASSERT_EQ(Direct(latitudeDeg, 4, 20), Reference(latitudeDeg, 4, 20)) << packed;
    ASSERT_EQ(Direct(latitudeDeg / 64, 4, 20), Reference(latitudeDeg / 64, 4, 20)) << packed;
  }
}

}  // namespace
}  // namespace corvane::formats
