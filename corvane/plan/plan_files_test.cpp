// Plan files: what SAVE writes, what LOAD reads back, folders, and a failed save keeping the old file.
#include "corvane/plan/plan_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "corvane/plan/plan_listing.h"
#include "formats/text_lines.h"
#include "testing/scratch_folder.h"

namespace corvane::plan {
namespace {

class PlanFilesTest : public ::testing::Test {
 protected:
  static std::string Contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  test_support::ScratchFolder scratch_;
  const std::filesystem::path& folder_ = scratch_.path();
};

FlightPlan PlanOfLength(int waypoints) {
  FlightPlan plan;
  for (int i = 0; i < waypoints; ++i) {
    plan[i].kind = i == 0 || i == waypoints - 1 ? WaypointKind::kAirport : WaypointKind::kFix;
    plan[i].ident = "WPT" + std::to_string(i);
    plan[i].info = ".";
    plan[i].lat = 52.0f + static_cast<float>(i);
    plan[i].lon = 4.0f - static_cast<float>(i);
    if (i > 0) plan[i].legNm = LegNm(plan, i - 1, i);
  }
  plan.tail = waypoints - 1;
  return plan;
}

TEST_F(PlanFilesTest, ThreeWaypointsMakeThreeLinesAndFourMakeSix) {
  for (const auto& [waypoints, lineCount] : {std::pair{3, 3u}, std::pair{4, 6u}}) {
    const FlightPlan plan = PlanOfLength(waypoints);
    const std::vector<std::string> lines = ListPlan(plan);
    const std::filesystem::path path = folder_ / ("plan" + std::to_string(waypoints) + ".nav");
    SavePlanFile(path, lines);

    std::string expected;
    for (const std::string& line : lines) expected += line + "\r\n";
    EXPECT_EQ(Contents(path), expected);
    const std::vector<std::string> loaded = LoadPlanFile(path);
    ASSERT_EQ(loaded.size(), lineCount);
    EXPECT_EQ(loaded, lines);

    FlightPlan parsed;
    ASSERT_FALSE(ParsePlanText(loaded, parsed).has_value());
    EXPECT_EQ(parsed.ListedCount(), waypoints);
    EXPECT_EQ(parsed.tail, waypoints - 1);
  }
  EXPECT_FALSE(std::filesystem::exists(folder_ / "plan3.nav.saving"));
}

TEST_F(PlanFilesTest, SavingReplacesTheFileAndUserTextIsKept) {
  const std::filesystem::path path = folder_ / "plan.nav";
  SavePlanFile(path, ListPlan(PlanOfLength(5)));
  const std::vector<std::string> typed = {"my own notes", "", "Total distance is 3 nm."};
  SavePlanFile(path, typed);
  EXPECT_EQ(LoadPlanFile(path), typed);
}

TEST_F(PlanFilesTest, AFailedSaveLeavesThePreviousFile) {
  // The target name is taken by a folder: the rename fails, nothing is left behind.
  const std::filesystem::path taken = folder_ / "taken.nav";
  std::filesystem::create_directories(taken / "inside");
  EXPECT_THROW(SavePlanFile(taken, ListPlan(PlanOfLength(3))), PlanFileWriteError);
  EXPECT_TRUE(std::filesystem::is_directory(taken / "inside"));
  EXPECT_FALSE(std::filesystem::exists(folder_ / "taken.nav.saving"));

  // A folder that does not exist: the error names the file.
  const std::filesystem::path missing = folder_ / "no" / "such" / "plan.nav";
  try {
    SavePlanFile(missing, ListPlan(PlanOfLength(3)));
    FAIL() << "saved into a missing folder";
  } catch (const PlanFileWriteError& error) {
    EXPECT_EQ(error.path(), missing);
    EXPECT_EQ(std::string(error.what()).rfind("Cannot write ", 0), 0u);
  }
  EXPECT_THROW(LoadPlanFile(folder_ / "absent.nav"), formats::TextFileError);
}

TEST(PlanFolders, ChosenNamesTheAutosaveFileAndTypedPaths) {
  const struct {
    std::string_view chosen;
    std::string_view folder;
  } cases[] = {
      {"C:\\plans\\eham-bikf.nav", "C:\\plans\\"},
      {"/home/pilot/plans/eham-bikf.nav", "/home/pilot/plans/"},
      {"eham-bikf.nav", ""},
      {"C:\\", "C:\\"},
  };
  for (const auto& c : cases) EXPECT_EQ(FolderOfChosenFile(c.chosen), c.folder) << c.chosen;

  const struct {
    std::string_view chosen;
    std::string_view named;
  } extensions[] = {
      {"/srv/plans/trip", "/srv/plans/trip.nav"},
      {"/srv/plans/trip.txt", "/srv/plans/trip.txt"},
      {"/srv/my.plans/trip", "/srv/my.plans/trip.nav"},
      {"C:\\plans\\trip", "C:\\plans\\trip.nav"},
  };
  for (const auto& c : extensions) EXPECT_EQ(WithDefaultExtension(c.chosen, "nav"), c.named) << c.chosen;

  const char* home = std::getenv("HOME");
  if (home != nullptr && *home != '\0') {
    EXPECT_EQ(AutosavePath("C:\\"), std::filesystem::path(home) / "autosave.nav");
    EXPECT_EQ(AutosavePath(""), std::filesystem::path(home) / "autosave.nav");
    for (const auto& [typed, inHome] :
         {std::pair{"C:default.fpl", "default.fpl"}, std::pair{"C:\\ivap\\flight.fpl", "ivap/flight.fpl"}}) {
      EXPECT_EQ(UserFilePath(typed), std::filesystem::path(home) / inHome) << typed;
    }
  }
  EXPECT_EQ(AutosavePath("/srv/plans/"), std::filesystem::path("/srv/plans/autosave.nav"));
  EXPECT_EQ(AutosavePath("/srv/plans"), std::filesystem::path("/srv/plans/autosave.nav"));
  EXPECT_EQ(UserFilePath("/srv/ivap/flight.fpl"), std::filesystem::path("/srv/ivap/flight.fpl"));
}

}  // namespace
}  // namespace corvane::plan
