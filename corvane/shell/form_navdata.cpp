// Loading the navigation database at start and on Reset: black map, caption steps, report, start values.
#include <cstdint>
#include <string>

#include "corvane/navdata/nav_database_load.h"
#include "form1.h"

namespace corvane::shell {
namespace {

// A start with many bad rows names the first few; the rest are counted.
constexpr size_t kProblemsShown = 10;
constexpr std::uint32_t kQuickRefreshIntervalMs = 50;

}  // namespace

void TForm1::LoadDatabase() {
  imageCanvas_.SetPenColor(0);
  imageCanvas_.SetBrushColor(0);
  imageCanvas_.Rectangle(0, 0, IMG1.width, IMG1.height);

  const navdata::DatabaseSource source = rbFS.checked ? navdata::DatabaseSource::kFs : navdata::DatabaseSource::kXPlane;
  loadReport = navdata::LoadNavDatabase(*database, workingFolder, source, [this](std::string_view suffix) {
    Caption = captionBase + std::string(suffix);
  });
  if (!loadReport.problems.empty()) {
    std::string text = "Navigation data in " + workingFolder.string() + ": " +
                       std::to_string(loadReport.problems.size()) + " problem(s)";
    for (size_t i = 0; i < loadReport.problems.size() && i < kProblemsShown; ++i) {
      text += "\n" + navdata::ProblemText(loadReport.problems[i]);
    }
    if (loadReport.problems.size() > kProblemsShown) text += "\n...";
    dialogs_.ShowMessage(text);
  }

  // Start values of the map and the plan.
  view.rangeNm = map::kStartRangeNm;
  view.followAircraft = true;
  plan.tail = 0;
  plan.insertIndex = 0;
  plan.insertMode = false;
  refresh = map::NearbyRefreshState{};
  // A quick first pass fills the lists; Timer2 goes back to its configured interval when they are complete.
  Timer2.SetTemporaryInterval(kQuickRefreshIntervalMs);
  Caption = captionBase + std::string(navdata::kInitializingDisplayCaption);
  Timer2.SetEnabled(true);
}

}  // namespace corvane::shell
