// Output files: lines of every length come back as written, with CR LF, across the buffer's
// boundaries; a device that refuses the bytes makes the closing fail with its reason.
#include "tessel/dat_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tessel/testing/test_support.h"

namespace tessel {
namespace {

TEST(DatFile, LinesOfEveryLengthComeBackAsWritten) {
  constexpr std::size_t kMiB = 1 << 20;
  const std::vector<std::vector<std::size_t>> cases = {
      {},
      {0, 0},
      {5, kMiB - 2, 3},          // the second line, after a flush, fills the buffer exactly
      {7, kMiB - 1, kMiB + 10},  // lines that do not fit, one longer than the buffer
      std::vector<std::size_t>(100000, 30),
  };
  testing::ScratchFolder scratch;
  for (const auto& lengths : cases) {
    std::string expected;
    DatFile file;
    std::string reason;
    ASSERT_TRUE(file.Open(scratch / "out.dat", reason)) << reason;
    for (std::size_t i = 0; i < lengths.size(); ++i) {
      const std::string line(lengths[i], static_cast<char>('a' + i % 26));
      file.WriteLine(line);
      expected += line + "\r\n";
    }
    ASSERT_TRUE(file.Close(reason)) << reason;
    EXPECT_EQ(testing::ReadWholeFile(scratch / "out.dat"), expected) << lengths.size() << " lines";
  }
}

TEST(DatFile, BlocksOfLinesGoOutInOrderWithTheSingleLines) {
  testing::ScratchFolder scratch;
  DatFile file;
  std::string reason;
  ASSERT_TRUE(file.Open(scratch / "out.dat", reason)) << reason;
  std::string expected;
  for (const std::size_t blockBytes : {std::size_t{10}, std::size_t{200000}, std::size_t{0}, std::size_t{900000}}) {
    file.WriteLine("single");
    const std::string block(blockBytes, 'b');
    file.WriteText(block);
    expected += "single\r\n" + block;
  }
  ASSERT_TRUE(file.Close(reason)) << reason;
  EXPECT_EQ(testing::ReadWholeFile(scratch / "out.dat"), expected);
}

// An earlier file, longer or shorter, is replaced by the new lines and keeps its permissions; its
// other names keep the earlier content rather than a file half written.
TEST(DatFile, AnEarlierFileIsReplacedByTheNewLines) {
  namespace fs = std::filesystem;
  testing::ScratchFolder scratch;
  const auto writeNew = [&](const fs::path& path, const std::string& line) {
    DatFile file;
    std::string reason;
    ASSERT_TRUE(file.Open(path, reason)) << reason;
    file.WriteLine(line);
    ASSERT_TRUE(file.Close(reason)) << reason;
  };
  std::ofstream(scratch / "layout.dat", std::ios::binary) << std::string(3 << 20, 'o');
  fs::permissions(scratch / "layout.dat", fs::perms::owner_read | fs::perms::owner_write);
  fs::create_hard_link(scratch / "layout.dat", scratch / "second.dat");

  writeNew(scratch / "layout.dat", "new");
  EXPECT_EQ(testing::ReadWholeFile(scratch / "layout.dat"), "new\r\n");
  EXPECT_EQ(testing::ReadWholeFile(scratch / "second.dat").size(), std::size_t{3} << 20);
  // The owner's bits: all that Windows keeps of them.
  EXPECT_EQ(fs::status(scratch / "layout.dat").permissions() & fs::perms::owner_all,
            fs::perms::owner_read | fs::perms::owner_write);

  const std::string longer(5000, 'x');
  writeNew(scratch / "layout.dat", longer);
  EXPECT_EQ(testing::ReadWholeFile(scratch / "layout.dat"), longer + "\r\n");
  writeNew(scratch / "layout.dat", "");
  EXPECT_EQ(testing::ReadWholeFile(scratch / "layout.dat"), "\r\n");
}

TEST(DatFile, AFullDeviceFailsTheClosingWithItsReason) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  DatFile file;
  std::string reason;
  ASSERT_TRUE(file.Open("/dev/full", reason)) << reason;
  for (int i = 0; i < 100; ++i) file.WriteLine(std::string(50000, 'x'));
  EXPECT_FALSE(file.Close(reason));
  EXPECT_NE(reason.find("space"), std::string::npos) << reason;
}

}  // namespace
}  // namespace tessel
