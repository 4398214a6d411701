// The airport lookup behind the stand-in's start position.
#include "standin/airport_lookup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "testing/scratch_folder.h"

namespace corvane::standin {
namespace {

TEST(AirportLookupTest, FindsIdentInEitherFileWithoutRegardToCase) {
  const test_support::ScratchFolder scratch;
  const std::filesystem::path& folder = scratch.path();
  {
    std::ofstream out(folder / "navapt.DAT", std::ios::binary);
    out << "; comment line\r\n"
        << "EHAM  52.308601   4.763889   -11  SCHIPHOL\r\n"
        << "EHRD  bad-lat     4.437222   -15  ROTTERDAM\r\n"
        << "EDDF  50.033333   8.570556   364  FRANKFURT MAIN\r\n"
        << "K2\r\n";
  }
  std::string error;
  const auto eham = FindAirport(folder, "eham", error);
  ASSERT_TRUE(eham.has_value()) << error;
  EXPECT_DOUBLE_EQ(eham->latitude, 52.308601);
  EXPECT_DOUBLE_EQ(eham->longitude, 4.763889);
  const auto eddf = FindAirport(folder, "EDDF", error);
  ASSERT_TRUE(eddf.has_value()) << error;
  EXPECT_DOUBLE_EQ(eddf->latitude, 50.033333);

  EXPECT_FALSE(FindAirport(folder, "EHRD", error));
  EXPECT_NE(error.find(":3: bad position"), std::string::npos) << error;
  EXPECT_FALSE(FindAirport(folder, "LFPG", error));
  EXPECT_NE(error.find("not found"), std::string::npos);
  EXPECT_FALSE(FindAirport(folder / "missing", "EHAM", error));
}

}  // namespace
}  // namespace corvane::standin
