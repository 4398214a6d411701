// The direct taxi node row against the layout formatter: same bytes, same refusals.
#include "tessel/taxi_node_row.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "formats/dat_rows.h"
#include "tessel/packed_values.h"

namespace tessel {
namespace {
namespace fmt = corvane::formats;

// Every packed value decodes to a coordinate: the whole 32-bit range, beyond the poles included.
TEST(TaxiNodeRow, RandomPackedCoordinatesGiveTheFormattersTaxiNodeRow) {
  std::mt19937 random(5);
  int refused = 0;
  for (int i = 0; i < 200000; ++i) {
    const std::uint32_t latitudePacked = i % 4 == 0 ? random() : random() % (1u << 29);
    const std::uint32_t longitudePacked = i % 4 == 1 ? random() : random() % (3u << 28);
    const double latitudeDeg = DecodePackedLatitude(latitudePacked);
    const double longitudeDeg = DecodePackedLongitude(longitudePacked);
    std::string expected;
    try {
      expected = fmt::FormatTaxiNodeRow(latitudeDeg, longitudeDeg);
    } catch (const std::exception&) {
    }
    std::string row(taxi_node::kRowBytes, '?');
    const bool written = WriteTaxiNodeRow(latitudeDeg, longitudeDeg, row.data());
    ASSERT_EQ(written, !expected.empty()) << latitudeDeg << " " << longitudeDeg;
    if (written) {
      ASSERT_EQ(row, expected) << latitudePacked << " " << longitudePacked;
    } else {
      ++refused;
    }
  }
  EXPECT_GT(refused, 1000);  // the values beyond the poles were met and refused
}

}  // namespace
}  // namespace tessel
