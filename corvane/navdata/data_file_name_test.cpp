// Finding data files without regard to letter case.
#include <gtest/gtest.h>

#include "corvane/navdata/data_file_name.h"
#include "corvane/navdata/test_data_folder.h"

namespace corvane::navdata {
namespace {

TEST(FindFileIgnoringCase, FindsAnyCaseAndPrefersTheExactName) {
  testing::TestDataFolder folder;
  if (folder.IgnoresCase()) GTEST_SKIP() << "names that differ only in case are one file here";
  folder.Write("FSXARP.dat", {});
  folder.Write("NAVwpt.dat", {});
  folder.Write("navwpt.dat", {});
  std::filesystem::create_directory(folder.path() / "fsxrwy.dat");

  struct Case {
    const char* asked;
    const char* found;  // nullptr: none
  };
  const Case cases[] = {
      {"fsxarp.dat", "FSXARP.dat"}, {"FSXARP.DAT", "FSXARP.dat"},
      {"NAVwpt.dat", "NAVwpt.dat"}, {"navwpt.dat", "navwpt.dat"},
      {"NavWpt.dat", "NAVwpt.dat"},  // first in name order
      {"fsxrwy.dat", nullptr},       // a folder is not a data file
      {"fsxarp.da", nullptr},       {"", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.asked);
    const std::optional<std::filesystem::path> found = FindFileIgnoringCase(folder.path(), c.asked);
    if (c.found == nullptr) {
      EXPECT_FALSE(found.has_value());
    } else {
      ASSERT_TRUE(found.has_value());
      EXPECT_EQ(found->filename().string(), c.found);
    }
  }
  EXPECT_FALSE(FindFileIgnoringCase(folder.path() / "no such folder", "fsxarp.dat").has_value());
}

}  // namespace
}  // namespace corvane::navdata
