// Replacing a file whole: the new content in place with the earlier permissions and no temporary
// left; on a full disk, a folder without rights or a folder in the file's place, the earlier file as
// it was and the reason; a device written directly, its refusal reported.
#include "formats/atomic_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "testing/scratch_folder.h"
#include "testing/write_fault.h"

namespace corvane::formats {
namespace {
namespace fs = std::filesystem;
using test_support::FaultyFolder;
using test_support::WriteFault;

std::string ReadWhole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(AtomicFile, ReplacesTheFileKeepingItsPermissionsAndWhereALinkPoints) {
  test_support::ScratchFolder scratch;
  const fs::path file = scratch / "plan.nav";
  std::ofstream(file, std::ios::binary) << std::string(10000, 'o');
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::replace);
  EXPECT_EQ(WriteFileAtomically(file, "new"), std::nullopt);
  EXPECT_EQ(ReadWhole(file), "new");
  // The owner's bits: all that Windows keeps of them.
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::owner_all, fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(std::distance(fs::directory_iterator(scratch.path()), fs::directory_iterator()), 1);
#ifndef _WIN32  // links there need rights a test does not have

  fs::create_symlink(file, scratch / "link.nav");
  EXPECT_EQ(WriteFileAtomically(scratch / "link.nav", "through the link"), std::nullopt);
  EXPECT_TRUE(fs::is_symlink(scratch / "link.nav"));
  EXPECT_EQ(ReadWhole(file), "through the link");
#endif
}

TEST(AtomicFile, AFailureLeavesTheEarlierFileAndSaysWhy) {
  for (const WriteFault fault : {WriteFault::kFullDisk, WriteFault::kReadOnlyFolder}) {
    SCOPED_TRACE(test_support::Describe(fault));
    FaultyFolder folder("corvane.INI", "earlier");
    std::string whyNot;
    if (!folder.Arm(fault, whyNot)) {
      std::printf("skipped: %s\n", whyNot.c_str());
      continue;
    }
    const auto reason = WriteFileAtomically(folder.file(), std::string(100000, 'n'));
    folder.Disarm();
    ASSERT_TRUE(reason.has_value());
    EXPECT_NE(reason->find(fault == WriteFault::kFullDisk ? "space" : "ermission"), std::string::npos) << *reason;
    EXPECT_TRUE(folder.EarlierFileIntact());
  }
}

TEST(AtomicFile, AFolderInTheFilesPlaceIsRefused) {
  test_support::ScratchFolder scratch;
  fs::create_directory(scratch / "plan.nav");
  const auto reason = WriteFileAtomically(scratch / "plan.nav", "x");
  ASSERT_TRUE(reason.has_value());
  EXPECT_TRUE(fs::is_directory(scratch / "plan.nav"));
  EXPECT_EQ(std::distance(fs::directory_iterator(scratch.path()), fs::directory_iterator()), 1);
}

TEST(AtomicFile, ADeviceIsWrittenDirectlyAndItsRefusalReported) {
  if (!fs::exists("/dev/full") || !fs::exists("/dev/null")) GTEST_SKIP() << "no /dev/full and /dev/null here";
  EXPECT_EQ(WriteFileAtomically("/dev/null", "gone"), std::nullopt);
  const auto reason = WriteFileAtomically("/dev/full", std::string(100000, 'x'));
  ASSERT_TRUE(reason.has_value());
  EXPECT_NE(reason->find("space"), std::string::npos) << *reason;
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

}  // namespace
}  // namespace corvane::formats
