// The breadth-first folder walk: order, the exact-case extension, capacities and unreadable folders.
#include "tessel/scan_folders.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tessel/testing/test_support.h"

namespace tessel {
namespace {
namespace fs = std::filesystem;
using namespace tessel::testing;
using Lines = std::vector<std::string>;

void Touch(const fs::path& path) { std::ofstream(path) << "x"; }

class FolderWalk : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* folder : {"b", "a", "a/deep", "C"}) fs::create_directories(scratch / "root" / folder);
    for (const char* file : {"z.BGL", "y.bgl", "x.Bgl", "w.bgL", "v.BGLX", "u.txt", ".bgl", "a/deep/d.bgl", "a/a.BGL",
                             "b/b.bgl", "C/c.bgl"}) {
      Touch(scratch / "root" / file);
    }
  }
  // As a user of the platform types it, with its own folder separator.
  std::string Root() const { return (scratch / "root").string() + static_cast<char>(fs::path::preferred_separator); }
  std::string At(const std::string& relative) const {
    return (scratch / "root" / fs::path(relative).make_preferred()).string();
  }

  ScratchFolder scratch;
  RunLists lists;
  RecordingObserver observer;
};

TEST_F(FolderWalk, BreadthFirstInNameOrderTakingOnlyExactCaseExtensions) {
  const Lines files = ScanFolders(Root(), lists, observer);
  EXPECT_EQ(files, (Lines{At(".bgl"), At("y.bgl"), At("z.BGL"), At("a/a.BGL"), At("b/b.bgl"), At("C/c.bgl"),
                          At("a/deep/d.bgl")}));
  EXPECT_EQ(lists[TabList::Files], files);
  EXPECT_EQ(lists[TabList::Dirs], (Lines{At("a"), At("b"), At("C"), At("a/deep")}));
  EXPECT_TRUE(observer.problems.empty());
}

TEST_F(FolderWalk, CapacitiesAreReportedByName) {
  const Lines files = ScanFolders(Root(), lists, observer, 2, 3);
  EXPECT_EQ(files.size(), 3u);
  EXPECT_EQ(lists[TabList::Dirs].size(), 2u);
  ASSERT_EQ(observer.problems.size(), 2u);
  EXPECT_NE(observer.problems[0].find("Folder limit of 2 folders"), std::string::npos) << observer.problems[0];
  EXPECT_NE(observer.problems[1].find("File limit of 3 scenery files"), std::string::npos) << observer.problems[1];
}

TEST_F(FolderWalk, MissingRootAndUnreadableFoldersAreReportedAndTheWalkGoesOn) {
  EXPECT_TRUE(ScanFolders((scratch / "nothing").string() + "/", lists, observer).empty());
  ASSERT_EQ(observer.problems.size(), 1u);
  EXPECT_NE(observer.problems[0].find("Cannot read folder"), std::string::npos);

  observer.problems.clear();
  fs::permissions(scratch / "root" / "b", fs::perms::none);
  std::error_code stillReadable;
  fs::directory_iterator(scratch / "root" / "b", stillReadable);
  if (!stillReadable) {
    fs::permissions(scratch / "root" / "b", fs::perms::owner_all);
    GTEST_SKIP() << "folder permissions do not bind this user";
  }
  const Lines files = ScanFolders(Root(), lists, observer);
  fs::permissions(scratch / "root" / "b", fs::perms::owner_all);
  EXPECT_EQ(files.size(), 6u);
  ASSERT_EQ(observer.problems.size(), 1u);
}

TEST_F(FolderWalk, ALinkBackUpTheTreeIsWalkedOnce) {
  std::error_code linkError;
  fs::create_directory_symlink(scratch / "root", scratch / "root" / "a" / "loop", linkError);
  if (linkError) GTEST_SKIP() << "no folder links here: " << linkError.message();
  const Lines files = ScanFolders(Root(), lists, observer);
  EXPECT_EQ(files.size(), 7u);
  ASSERT_EQ(observer.problems.size(), 1u);
  EXPECT_NE(observer.problems[0].find("already scanned"), std::string::npos);
}

TEST(SceneryFileName, ExactCaseExtensions) {
  EXPECT_TRUE(IsSceneryFileName("APX.BGL"));
  EXPECT_TRUE(IsSceneryFileName("apx.bgl"));
  EXPECT_FALSE(IsSceneryFileName("apx.Bgl"));
  EXPECT_FALSE(IsSceneryFileName("apx.bGL"));
  EXPECT_FALSE(IsSceneryFileName("BGL"));
}

}  // namespace
}  // namespace tessel
