// The plan's handlers on the form: clicks on the map, delete, the panel, plan files and search.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "corvane/plan/plan_listing.h"
#include "form1.h"
#include "form_handlers.h"
#include "test_form.h"

namespace corvane::shell {
namespace {

using testing::ReadText;
using testing::TemporaryFolder;
using testing::TestForm;
using testing::WriteText;

struct Point {
  std::int32_t kind;
  float lat;
  float lon;
  const char* ident;
  const char* info;
};

// Amsterdam, Spijkerboor, a fix west of it and Keflavik, as the nearby refresh would list them.
const Point kNearby[] = {
    {1, 52.308613f, 4.763889f, "EHAM ", "-11"},
    {3, 52.540279f, 4.853781f, "SPY", "113.30"},
    {11, 52.450001f, 3.950000f, "ANDIK ", "."},
    {1, 63.985001f, -22.605556f, "BIKF ", "171"},
};

class FormPlanTest : public ::testing::Test {
 protected:
  FormPlanTest() {
    for (std::size_t i = 0; i < std::size(kNearby); ++i) {
      map::NearbyPoint* row = form.nearby->points.Slot(i);
      *row = {kNearby[i].kind, kNearby[i].lat, kNearby[i].lon, kNearby[i].ident, kNearby[i].info, "."};
    }
    form.SetPaintBoxSize(1024, 768);
    form.view.centre = {52.3, 4.76};
    form.view.rangeNm = 1280;
    form.edCrsAlt.text = "33000";
    Geometry();
  }

  // What the next map tick would do with the paint box before a click is handled.
  void Geometry() { map::UpdateGeometry(form.view, 1024, 768, 0); }

  void Answer(DialogAnswer::Kind kind, std::string text = {}) {
    DialogAnswer answer;
    answer.kind = kind;
    answer.text = std::move(text);
    test.dialogs.Queue(std::move(answer));
  }

  void Run(std::string_view handler, std::vector<std::string> arguments = {}) {
    const HandlerEntry* entry = FindHandler(handler);
    ASSERT_NE(entry, nullptr) << handler;
    entry->run(form, arguments);
  }

  void ClickAt(const char* button, float lat, float lon) {
    const map::ScreenPoint pixel = map::ProjectToScreen(form.view, lat, lon);
    Run("PB1MouseUp", {button, std::to_string(pixel.x), std::to_string(pixel.y)});
  }

  std::vector<std::string> Idents() const {
    std::vector<std::string> idents;
    for (std::int32_t i = 0; i < form.plan.ListedCount(); ++i) idents.push_back(form.plan[i].ident);
    return idents;
  }

  TemporaryFolder folder;
  TestForm test{folder.path() / "corvane.INI"};
  TForm1& form = *test.form;
};

TEST_F(FormPlanTest, RightClicksBuildThePlanAndTheStatusShowsTheCentre) {
  ClickAt("right", 52.31f, 4.77f);
  EXPECT_EQ(form.plan.tail, 1);
  EXPECT_EQ(form.plan[0].altitude, 33000);
  EXPECT_EQ(form.SB1.text, map::CentreStatusText(form.view.centre));
  EXPECT_TRUE(form.SB1.text.starts_with("Latitude = 52.3  -  Longtitude = 4.76")) << form.SB1.text;

  // The arrival: beacons and fixes become pickable, airports go away above 10000 ft, high airways on.
  ClickAt("right", 63.9f, -22.5f);
  EXPECT_EQ(form.plan.tail, 1);
  EXPECT_EQ(Idents(), (std::vector<std::string>{"EHAM ", "BIKF "}));
  EXPECT_FALSE(form.layers.airports);
  EXPECT_FALSE(form.bbARP.bold);
  EXPECT_TRUE(form.layers.vor && form.layers.ndb && form.layers.fixes);
  EXPECT_TRUE(form.bbFIX.bold);
  EXPECT_EQ(form.layers.airwayMode, 1);
  EXPECT_EQ(form.bbAWY.caption, "AWH");

  ClickAt("right", 52.54f, 4.85f);
  ClickAt("right", 52.45f, 3.95f);
  EXPECT_EQ(Idents(), (std::vector<std::string>{"EHAM ", "SPY", "ANDIK ", "BIKF "}));
  EXPECT_EQ(form.plan.tail, 3);
  EXPECT_EQ(form.plan[3].legNm, plan::LegNm(form.plan, 2, 3));

  // The middle button takes the last en-route point away.
  ClickAt("middle", 52.0f, 4.0f);
  EXPECT_EQ(Idents(), (std::vector<std::string>{"EHAM ", "SPY", "BIKF "}));
  EXPECT_EQ(form.SB1.text, map::CentreStatusText(form.view.centre));
}

TEST_F(FormPlanTest, ClickDispatchByButtonModeAndAutopilot) {
  form.bbVORClick();
  form.bbFIXClick();
  // Heading-up modes with the autopilot off: right does nothing, left tunes (no simulator here).
  form.view.mode = map::MapMode::kRose;
  form.view.rangeNm = 40;  // tuning takes only beacons within 5 nm of the click
  Geometry();
  form.SB1.text = "before";
  ClickAt("right", 52.31f, 4.77f);
  EXPECT_EQ(form.plan.tail, 0);
  EXPECT_EQ(form.SB1.text, "before");
  ClickAt("left", 52.54f, 4.85f);
  EXPECT_EQ(form.SB1.text, "SPY VOR Radio freq write failed!");
  EXPECT_EQ(form.view.centre.latitude, 52.3);

  // Autopilot on: right asks to fly direct, middle opens the holding panel, in any mode.
  form.autopilot.AutopilotMode = 2;
  Answer(DialogAnswer::Kind::No);
  ClickAt("right", 52.54f, 4.85f);
  EXPECT_EQ(form.autopilot.AutopilotMode, 2);
  EXPECT_EQ(test.dialogLog.back(), "confirm: Warning: Fly direct SPY? -> no");
  Answer(DialogAnswer::Kind::Yes);
  ClickAt("right", 52.54f, 4.85f);
  EXPECT_EQ(form.autopilot.AutopilotMode, 5);
  EXPECT_EQ(form.bbLNAV.caption, "Dt");
  EXPECT_TRUE(form.bbLNAV.bold);
  EXPECT_EQ(form.DirectTarget.name, "SPY");
  EXPECT_EQ(form.SB1.text, map::CentreStatusText(form.view.centre));

  ClickAt("middle", 52.45f, 3.95f);
  EXPECT_TRUE(form.PanHLD.visible);
  EXPECT_EQ(form.lbHold.caption, "Holding at ANDIK ");
  EXPECT_EQ(form.edHldTm.text, "3");
  EXPECT_EQ(form.PanHLD.left, 512 - form.PanHLD.width / 2 - form.PanAP.width);
  EXPECT_EQ(form.PanHLD.top, 100);
  // A fly-direct before OK leaves the hold at the fix the panel names.
  Answer(DialogAnswer::Kind::Yes);
  ClickAt("right", 52.54f, 4.85f);
  form.btHldOKClick();
  EXPECT_EQ(form.autopilot.hold.fix.name, "ANDIK ");

  // North-up left click recentres and lets go of the aircraft.
  form.autopilot.AutopilotMode = 0;
  form.view.mode = map::MapMode::kMap;
  form.view.followAircraft = true;
  Geometry();
  Run("PB1MouseUp", {"left", "512", "384"});
  EXPECT_FALSE(form.view.followAircraft);
  EXPECT_NEAR(form.view.centre.latitude, 52.3, 1e-4);

  // Nothing while the plan panel is open.
  form.btFPClick();
  ClickAt("right", 52.31f, 4.77f);
  EXPECT_EQ(form.plan.tail, 0);
}

TEST_F(FormPlanTest, AFullPlanKeepsItsRefusalOnTheStatusLine) {
  for (std::int32_t i = 0; i < plan::FlightPlan::kCapacity; ++i) form.plan[i] = {50.0f + i * 0.01f, 4.0f, "X", "."};
  form.plan.tail = plan::FlightPlan::kCapacity - 1;
  ClickAt("right", 52.54f, 4.85f);
  EXPECT_EQ(form.SB1.text, plan::kPlanFullText);
  EXPECT_EQ(form.plan.tail, plan::FlightPlan::kCapacity - 1);
}

TEST_F(FormPlanTest, DeleteKeyAndTheActiveWaypoint) {
  ClickAt("right", 52.31f, 4.77f);
  ClickAt("right", 63.9f, -22.5f);
  ClickAt("right", 52.54f, 4.85f);
  form.plan.ActiveWaypointIndex = 2;

  form.btFPClick();
  Run("FormKeyDown", {"46"});
  EXPECT_EQ(form.plan.ListedCount(), 3) << "the key belongs to the plan text while the panel is open";
  form.btCancelClick();

  // The key works in every mode and autopilot state, and its status stays.
  form.view.mode = map::MapMode::kArc;
  form.autopilot.AutopilotMode = 2;
  Run("FormKeyDown", {"46"});
  EXPECT_EQ(Idents(), (std::vector<std::string>{"EHAM ", "BIKF "}));
  EXPECT_EQ(form.SB1.text, "Deleting 3 SPY");
  EXPECT_EQ(form.plan.ActiveWaypointIndex, 1);
  Run("FormKeyDown", {"46"});
  Run("FormKeyDown", {"46"});
  EXPECT_EQ(form.plan.ListedCount(), 0);
  EXPECT_EQ(form.plan.ActiveWaypointIndex, 0);
  Run("FormKeyDown", {"46"});  // nothing left: nothing happens
  EXPECT_EQ(form.plan.tail, 0);

  form.plan.ActiveWaypointIndex = plan::kNoActiveWaypoint;
  Run("btAPprClick");
  EXPECT_EQ(form.plan.ActiveWaypointIndex, plan::kNoActiveWaypoint);
}

TEST_F(FormPlanTest, SaveLoadCancelAndOk) {
  ClickAt("right", 52.31f, 4.77f);
  ClickAt("right", 63.9f, -22.5f);
  ClickAt("right", 52.54f, 4.85f);
  const std::vector<std::string> built = Idents();
  form.btFPClick();
  EXPECT_TRUE(form.btSV.enabled && form.btOK.enabled);

  // The name takes the default extension and its folder is remembered.
  const std::string saveFolder = (folder.path() / "plans").string() + "/";
  std::filesystem::create_directories(saveFolder);
  Answer(DialogAnswer::Kind::Save, saveFolder + "eham-bikf");
  Run("btSVClick");
  EXPECT_EQ(form.SaveDialog1.title, "Save NAV FP");
  EXPECT_EQ(form.SaveDialog1.filter, "NAV files|*.nav|Text files|*.txt|All files|*.*");
  EXPECT_EQ(form.SaveDialog1.defaultExt, "nav");
  EXPECT_EQ(form.SaveDialog1.initialDir, saveFolder);
  ASSERT_TRUE(std::filesystem::exists(saveFolder + "eham-bikf.nav"));
  EXPECT_EQ(ReadText(saveFolder + "eham-bikf.nav").size(), [&] {
    std::size_t size = 0;
    for (const std::string& line : form.Memo1.lines) size += line.size() + 2;
    return size;
  }());
  Run("btClrClick");
  EXPECT_EQ(form.plan.tail, 0);
  EXPECT_FALSE(form.PanFP.visible);
  EXPECT_TRUE(form.layers.airports);  // the display reset

  // LOAD fills the text only; CANCEL keeps the (empty) plan.
  const std::string loadFolder = (folder.path() / "other").string() + "/";
  std::filesystem::create_directories(loadFolder);
  std::filesystem::copy_file(saveFolder + "eham-bikf.nav", loadFolder + "trip.nav");
  form.btFPClick();
  EXPECT_FALSE(form.btOK.enabled);
  Answer(DialogAnswer::Kind::Open, loadFolder + "trip.nav");
  Run("btLDClick");
  EXPECT_EQ(test.dialogLog.back(), "open: Load NAV FP -> " + loadFolder + "trip.nav");
  EXPECT_EQ(form.Memo1.lines.size(), 3u);
  EXPECT_TRUE(form.btOK.enabled);
  EXPECT_EQ(form.OpenDialog1.initialDir, loadFolder);
  EXPECT_EQ(form.SaveDialog1.initialDir, loadFolder);
  EXPECT_FALSE(form.layers.airports || form.layers.vor || form.layers.ndb || form.layers.fixes);
  EXPECT_FALSE(form.bbARP.bold);
  EXPECT_EQ(form.plan.tail, 0);
  form.btCancelClick();
  EXPECT_EQ(form.plan.ListedCount(), 0);

  // LOAD again and OK: the plan is back; the autosave goes to the save folder, not beside the plan.
  form.btFPClick();
  Answer(DialogAnswer::Kind::Open, loadFolder + "trip.nav");
  Run("btLDClick");
  Run("btOKClick");
  EXPECT_EQ(Idents(), (std::vector<std::string>{"EHAM", "SPY", "BIKF"}));
  EXPECT_FALSE(form.PanFP.visible);
  EXPECT_EQ(ReadText(saveFolder + "autosave.nav"), ReadText(loadFolder + "trip.nav"));
  EXPECT_FALSE(std::filesystem::exists(loadFolder + "autosave.nav"));
  EXPECT_EQ(form.planSaveFolder, saveFolder);
  // ... and stays the save folder of the settings at the next start.
  form.FormClose();
  EXPECT_NE(ReadText(folder.path() / "corvane.INI").find("Save1=" + saveFolder), std::string::npos);

  // A file that cannot be read leaves the text as it was.
  form.btFPClick();
  const std::vector<std::string> listed = form.Memo1.lines;
  Answer(DialogAnswer::Kind::Open, loadFolder + "missing.nav");
  Run("btLDClick");
  EXPECT_EQ(form.Memo1.lines, listed);
  EXPECT_TRUE(test.dialogLog.back().starts_with("message: ")) << test.dialogLog.back();
}

TEST_F(FormPlanTest, AnOkWithABadLineKeepsThePanelOpenAndThePlanAsItWas) {
  const std::string eham = " 1    EHAM    33000  320    0     -11   52.30861282   4.76388884     ";
  const std::string bikf = " 1    BIKF    33000  320    0     171   63.98500061   -22.60560036     ";
  form.btFPClick();
  form.Memo1.lines = {eham, " 3     SPY  33000  320   14  113.30   52.54027939   4.85378122     ", bikf};
  Run("btOKClick");
  ASSERT_EQ(Idents(), (std::vector<std::string>{"EHAM", "SPY", "BIKF"}));
  form.btFPClick();
  form.Memo1.lines = {eham, " 3     SPY  33000  320  oops  113.30   52.54027939   4.85378122     ", bikf};
  Run("btOKClick");
  EXPECT_TRUE(form.PanFP.visible);
  EXPECT_EQ(Idents(), (std::vector<std::string>{"EHAM", "SPY", "BIKF"}));
  EXPECT_EQ(form.plan.tail, 2);
  EXPECT_TRUE(test.dialogLog.back().find("line 2") != std::string::npos) << test.dialogLog.back();
}

// A panel opened in a maximised window stays reachable after a restore: it moves inside the map.
TEST_F(FormPlanTest, AnOpenPanelStaysInsideTheMapWhenTheWindowShrinks) {
  form.SetPaintBoxSize(1900, 1000);
  form.btFPClick();
  ASSERT_EQ(form.PanFP.left, 600);
  const int hiddenLeft = form.PanHLD.left;
  struct Case {
    int width, height, left, top;
  };
  for (const Case& c : {Case{900, 600, 200, 140}, Case{600, 400, 0, 0}, Case{1900, 1000, 0, 0}}) {
    form.SetPaintBoxSize(c.width, c.height);
    EXPECT_EQ(form.PanFP.left, c.left) << c.width;
    EXPECT_EQ(form.PanFP.top, c.top) << c.width;
  }
  EXPECT_EQ(form.PanHLD.left, hiddenLeft);
}

TEST_F(FormPlanTest, SearchListPlacementPickAndReset) {
  auto& fixes = form.database->fixes;
  fixes.OpenForAppend(120);
  for (int i = 0; i < 120; ++i) {
    char ident[8];
    std::snprintf(ident, sizeof ident, "SP%03d ", i);
    fixes.Append({50.0f + i * 0.01f, 4.0f, ident});
  }
  fixes.Append({51.0f, 6.0f, "KOBBY "});
  fixes.Close();

  form.edSearch.text = "k";
  Run("edSearchKeyDown", {"13"});
  EXPECT_FALSE(form.LB1.visible) << "one letter is not searched";
  form.edSearch.text = "kobb";
  Run("edSearchKeyDown", {"65"});
  EXPECT_FALSE(form.LB1.visible) << "only Enter searches";
  Run("edSearchKeyDown", {"13"});
  ASSERT_TRUE(form.LB1.visible);
  EXPECT_EQ(form.LB1.left, 512 - form.LB1.width / 2);
  EXPECT_EQ(form.LB1.top, 384 - form.LB1.height / 2);
  ASSERT_EQ(form.LB1.lines.size(), 3u);
  EXPECT_EQ(form.LB1.lines[2], " ");

  Run("LB1MouseUp", {"0"});  // the header line: the map stays
  EXPECT_FALSE(form.LB1.visible);
  EXPECT_EQ(form.view.centre.latitude, 52.3);

  Run("edSearchKeyDown", {"13"});
  Run("LB1MouseUp", {"1"});
  EXPECT_EQ(form.view.centre.latitude, 51.0);
  EXPECT_EQ(form.view.centre.longitude, 6.0);
  EXPECT_EQ(form.searchResults.rows[1].name, " ") << "the table is reset after a pick";

  form.edSearch.text = "sp";
  Run("edSearchKeyDown", {"13"});
  ASSERT_EQ(form.LB1.lines.size(), 99u);
  EXPECT_EQ(form.LB1.lines.back(), "To many results");
}

}  // namespace
}  // namespace corvane::shell
