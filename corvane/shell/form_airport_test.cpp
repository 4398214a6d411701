// The airport view on the form: ARP Info, the ">" buttons and their edits, BACK, its loop and its clicks.
#include <gtest/gtest.h>

#include <string>

#include "form1.h"
#include "test_form.h"

namespace corvane::shell {
namespace {

using testing::TemporaryFolder;
using testing::TestForm;
using testing::WriteText;

// One airport, TEST, whose only item is a runway label carrying an ILS frequency and course.
constexpr double kLabelLatitude = 50.1;
constexpr double kLabelLongitude = 4.1;

class FormAirportTest : public ::testing::Test {
 protected:
  FormAirportTest() {
    WriteText(folder.path() / "corvanxX_apt.dat", "I\r\n1000 Version\r\n1       12 1 0 TEST Test Field\r\n");
    WriteText(folder.path() / "NAVrwy.dat", "I\r\nheader\r\nTEST 09   50.100000   4.100000  90  1000 110.10 090\r\n");
    form.SetPaintBoxSize(1024, 768);
    SetPlan({"EHAM ", "TEST "});
  }

  void SetPlan(const std::vector<std::string>& idents) {
    for (std::size_t i = 0; i < idents.size(); ++i) {
      plan::Waypoint& entry = form.plan.entries[i];
      entry.ident = idents[i];
      entry.lat = 50.0f + float(i);
      entry.lon = 4.0f;
      entry.kind = plan::WaypointKind::kAirport;
    }
    form.plan.tail = static_cast<std::int32_t>(idents.size()) - 1;
  }

  bool PaintBoxShows(const std::string& text, map::Color color) const {
    for (const map::CanvasCall& call : test.paintBox.Calls()) {
      if (call.kind == map::CanvasCall::Kind::TextOut && call.text == text && call.x1 == 200 && call.y1 == 100 &&
          call.font.color == color) {
        return true;
      }
    }
    return false;
  }

  TemporaryFolder folder;
  TestForm test{folder.path() / "corvane.INI", folder.path()};
  TForm1& form = *test.form;
};

TEST_F(FormAirportTest, ArpInfoOpensTheDestinationAndBackReturnsToTheMap) {
  form.btFPClick();
  form.btArpInfoClick();
  EXPECT_FALSE(form.PanFP.visible);
  EXPECT_EQ(form.edICAO.text, "TEST ");
  EXPECT_EQ(form.edDEP.text, "EHAM ");
  EXPECT_TRUE(form.Timer3.Enabled());
  EXPECT_FALSE(form.Timer1.Enabled());
  EXPECT_EQ(form.PanAPV.left, 1024 - form.PanAPV.width);
  EXPECT_EQ(form.PanAPV.top, 768 - form.PanAPV.height);
  EXPECT_TRUE(form.PanAPV.visible && form.PanSID.visible && form.PanSTR.visible);
  EXPECT_FLOAT_EQ(form.AirportViewZoom, 0.1f);
  EXPECT_NEAR(form.view.centre.latitude, kLabelLatitude, 1e-5);

  form.TimerTick(2);
  ASSERT_FALSE(test.paintBox.Calls().empty());
  EXPECT_EQ(test.paintBox.Calls().back().kind, map::CanvasCall::Kind::CopyRect);

  // With the autopilot on, a right click on the label tunes its ILS: without a simulator the write fails.
  form.autopilot.AutopilotMode = 2;
  form.PB1MouseUp(map::MouseButton::kRight, 512, 384);
  EXPECT_EQ(form.SB1.text, "ILS Radio freq write failed!");
  // A left click 96 pixels up moves the view's centre 0.025 degrees north (384 pixels per 0.1 degree).
  form.PB1MouseUp(map::MouseButton::kLeft, 512, 288);
  EXPECT_NEAR(form.airportCentre.latitude, kLabelLatitude + 0.025, 1e-4);
  EXPECT_EQ(form.view.centre.latitude, form.airportCentre.latitude);

  form.procedures.selected = 1;
  form.btClArpClick();
  EXPECT_FALSE(form.Timer3.Enabled());
  EXPECT_TRUE(form.Timer1.Enabled());
  EXPECT_FALSE(form.PanAPV.visible || form.PanSID.visible || form.PanSTR.visible);
  EXPECT_FALSE(form.plan.insertMode);
  EXPECT_EQ(form.procedures.selected, 0);
}

TEST_F(FormAirportTest, AnAirportThatCannotBeShownIsReportedAndTheViewStaysStopped) {
  struct Case {
    std::vector<std::string> plan;
    std::string removedFile;
    std::string message;
  };
  for (const Case& c : {Case{{}, "", "No Flightplan!"}, Case{{"EHAM ", "XXXX "}, "", "Airport not found!"},
                        Case{{"EHAM ", "TEST "}, "NAVrwy.dat", "navrwy.dat: file not found in "}}) {
    form.plan = plan::FlightPlan{};
    SetPlan(c.plan);
    if (!c.removedFile.empty()) std::filesystem::remove(folder.path() / c.removedFile);
    test.paintBox.Clear();
    form.btArpInfoClick();
    EXPECT_FALSE(form.Timer3.Enabled()) << c.message;
    EXPECT_FALSE(form.Timer1.Enabled()) << c.message;
    EXPECT_TRUE(form.PanAPV.visible) << c.message;
    EXPECT_TRUE(form.SB1.text.starts_with(c.message)) << form.SB1.text;
    EXPECT_TRUE(PaintBoxShows(form.SB1.text, map::kRed)) << c.message;
  }
}

// The view shows the airport whose ident is the typed text whole, trimmed and upper-cased.
TEST_F(FormAirportTest, APartialIdentOpensNoAirport) {
  for (const auto& [typed, opens] :
       {std::pair{"T", false}, std::pair{"TES", false}, std::pair{" test ", true}, std::pair{"TESTS", false}}) {
    form.edICAO.text = typed;
    form.btViewArClick();
    EXPECT_EQ(form.Timer3.Enabled(), opens) << typed;
    EXPECT_EQ(form.SB1.text, opens ? "" : "Airport not found!") << typed;
    if (opens) {
      EXPECT_EQ(form.viewedAirport, "TEST");
    }
  }
}

// A left click on the north-up map lets go of the aircraft: CP stands out until it is pressed; BACK
// from the airport view returns to the aircraft too.
TEST_F(FormAirportTest, CpAndBackBringTheMapBackToTheAircraft) {
  form.connected = true;
  form.aircraft.latitude = 52.3;
  form.aircraft.longitude = 4.76;
  form.view.followAircraft = true;
  form.Timer1Timer();
  EXPECT_FALSE(form.btCenter.bold);
  form.PB1MouseUp(map::MouseButton::kLeft, 100, 100);
  ASSERT_FALSE(form.view.followAircraft);
  form.Timer1Timer();
  EXPECT_TRUE(form.btCenter.bold);
  EXPECT_EQ(form.btCenter.fontColor, kColorBlue);
  form.btCenterClick();
  form.Timer1Timer();
  EXPECT_FALSE(form.btCenter.bold);
  EXPECT_DOUBLE_EQ(form.view.centre.latitude, form.aircraft.latitude);

  form.PB1MouseUp(map::MouseButton::kLeft, 100, 100);
  form.edICAO.text = "TEST";
  form.btViewArClick();
  ASSERT_TRUE(form.Timer3.Enabled());
  form.btClArpClick();
  EXPECT_TRUE(form.view.followAircraft);
  form.Timer1Timer();
  EXPECT_DOUBLE_EQ(form.view.centre.longitude, form.aircraft.longitude);
  EXPECT_FALSE(form.btCenter.bold);
}

TEST_F(FormAirportTest, TheDepartureSideInsertsAfterTheDeparture) {
  form.edDEP.text = "test";
  form.edDEPKeyUp('T');
  EXPECT_TRUE(form.plan.insertMode);
  EXPECT_FALSE(form.Timer3.Enabled());
  form.edDEPKeyUp(kKeyEnter);
  EXPECT_TRUE(form.Timer3.Enabled());
  EXPECT_EQ(form.viewedAirport, "TEST");
  EXPECT_EQ(form.plan.insertIndex, 1);
  form.edICAOKeyUp('T');
  EXPECT_FALSE(form.plan.insertMode);
}

}  // namespace
}  // namespace corvane::shell
