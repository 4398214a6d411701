// The start sequence, the connect button, Reset, polling and Set Position against the in-process simulator.
#include <gtest/gtest.h>

#include "corvane/shell/no_simulator_transport.h"
#include "form1.h"
#include "formats/conversion_error.h"
#include "settings_file.h"
#include "standin/flight_model.h"
#include "test_form.h"

namespace corvane::shell {
namespace {

using testing::TemporaryFolder;
using testing::TestForm;
using testing::WriteText;

// Each database load starts by painting the map image black with one rectangle over the whole image.
int LoadsSeen(const map::RecordingCanvas& canvas) {
  int loads = 0;
  for (const auto& call : canvas.Calls()) {
    if (call.kind == map::CanvasCall::Kind::Rectangle && call.x2 == 3000 && call.y2 == 2250) ++loads;
  }
  return loads;
}

standin::FlightModelOptions Simulator(bool xplane) {
  standin::FlightModelOptions options;
  options.xplane = xplane;
  options.latitude = 52.3;
  options.longitude = 4.76;
  options.headingDegTrue = 90;
  options.altitudeFt = 3000;
  return options;
}

TEST(StartSequence, TheSimulatorThatAnswersChoosesTheDataFamilyOnce) {
  struct Case {
    bool fsChecked;
    bool xplaneRunning;
    int expectedLoads;
    const char* expectedSimulator;
    bool fsAfter;
  };
  const Case cases[] = {{true, true, 2, "XPlane", false},
                        {false, true, 1, "XPlane", false},
                        {false, false, 2, "FlightSim", true},
                        {true, false, 1, "FlightSim", true}};
  for (const Case& c : cases) {
    TemporaryFolder folder;
    const auto path = folder.path() / "corvane.INI";
    WriteText(path, std::string("[SIM]\nFS=") + (c.fsChecked ? "1" : "0") + "\nXP=" + (c.fsChecked ? "0" : "1") + "\n");
    standin::InProcessSimulator simulator(Simulator(c.xplaneRunning));
    TestForm test(path, folder.path(), &simulator.transport);
    TForm1& form = *test.form;
    form.FormCreate();
    EXPECT_EQ(LoadsSeen(test.canvas), c.expectedLoads) << c.expectedSimulator;
    EXPECT_EQ(form.Caption, form.captionBase + " - Connected to " + c.expectedSimulator);
    EXPECT_TRUE(form.connected);
    EXPECT_TRUE(form.Timer5.Enabled());
    EXPECT_EQ(form.rbFS.checked, c.fsAfter);
    EXPECT_EQ(form.rbXP.checked, !c.fsAfter);
    EXPECT_TRUE(form.Timer2.Enabled());
    EXPECT_EQ(form.Timer2.Interval(), 50u);
    form.FormClose();
    form.FormDestroy();
    EXPECT_FALSE(form.link().IsOpen());
    EXPECT_EQ(IniDocument::Load(path).Get("SIM", "FS"), c.fsAfter ? "1" : "0");
  }
}

TEST(StartSequence, NoSimulatorLeavesTheLinkClosedAndTheStartCaption) {
  TemporaryFolder folder;
  TestForm test(folder.path() / "corvane.INI", folder.path());
  TForm1& form = *test.form;
  form.FormCreate();
  EXPECT_FALSE(form.connected);
  EXPECT_FALSE(form.Timer5.Enabled());
  EXPECT_EQ(form.Caption, form.captionBase + " - Initializing display");
  EXPECT_EQ(LoadsSeen(test.canvas), 1);
  // The empty data folder is reported, naming the files.
  ASSERT_EQ(test.dialogLog.size(), 1u);
  EXPECT_NE(test.dialogLog[0].find("NAVwpt.dat"), std::string::npos);
  form.btCenterClick();
  EXPECT_EQ(form.Caption, form.captionBase + " - NOT Connected");
  EXPECT_FALSE(form.Timer5.Enabled());
}

TEST(StartSequence, CentreWhileConnectedOnlyFollowsTheAircraft) {
  TemporaryFolder folder;
  standin::InProcessSimulator simulator(Simulator(true));
  TestForm test(folder.path() / "corvane.INI", folder.path(), &simulator.transport);
  TForm1& form = *test.form;
  form.FormCreate();
  form.view.followAircraft = false;
  const int served = simulator.transport.requestsServed();
  const std::string caption = form.Caption;
  form.btCenterClick();
  EXPECT_TRUE(form.view.followAircraft);
  EXPECT_EQ(simulator.transport.requestsServed(), served);
  EXPECT_EQ(form.Caption, caption);
}

TEST(StartSequence, PollingFillsTheAircraftAndPositionPanelUsesIt) {
  TemporaryFolder folder;
  standin::InProcessSimulator simulator(Simulator(true));
  TestForm test(folder.path() / "corvane.INI", folder.path(), &simulator.transport);
  TForm1& form = *test.form;
  form.FormCreate();
  form.Caption = "changed";
  form.Timer5Timer();
  EXPECT_NEAR(form.aircraft.latitude, 52.3, 1e-6);
  EXPECT_NEAR(form.aircraft.longitude, 4.76, 1e-6);
  EXPECT_EQ(form.Caption, form.captionBase + " - Connected to XPlane");
  form.btPositionClick();
  EXPECT_TRUE(form.PanPOS.visible);
  EXPECT_EQ(form.edPosHdg.text, "90");
  // 3000 ft through the metre encoding, truncated.
  EXPECT_TRUE(form.edPosAlt.text == "3000" || form.edPosAlt.text == "2999") << form.edPosAlt.text;
  form.view.centre = {51.5, -0.2};
  form.edPosAlt.text = "12000";
  form.edPosHdg.text = "270";
  form.btSetPositionClick();
  EXPECT_EQ(form.SB1.text, "FSUIPC write OK");
  EXPECT_NEAR(simulator.model.aircraft().latitude, 51.5, 1e-6);
  EXPECT_NEAR(simulator.model.aircraft().longitude, -0.2, 1e-6);
  EXPECT_NEAR(simulator.model.aircraft().altitudeFt, 12000, 1);
  EXPECT_NEAR(simulator.model.aircraft().headingDegTrue, 270, 0.01);
}

TEST(StartSequence, SetPositionNeedsAConnectionAndNumbers) {
  TemporaryFolder folder;
  standin::InProcessSimulator simulator(Simulator(true));
  TestForm test(folder.path() / "corvane.INI", folder.path(), &simulator.transport);
  TForm1& form = *test.form;
  form.edPosHdg.text = "90";
  form.edPosAlt.text = "1000";
  form.btSetPositionClick();  // not connected yet: nothing is sent
  EXPECT_EQ(simulator.transport.requestsServed(), 0);
  form.FormCreate();
  form.edPosHdg.text = "east";
  EXPECT_THROW(form.btSetPositionClick(), formats::ConversionError);
  // The first batch went out before the bad field was met.
  EXPECT_EQ(form.SB1.text, "FSUIPC write OK");
}

TEST(StartSequence, ResetClosesAndStartsAgain) {
  TemporaryFolder folder;
  standin::InProcessSimulator simulator(Simulator(true));
  TestForm test(folder.path() / "corvane.INI", folder.path(), &simulator.transport);
  TForm1& form = *test.form;
  form.FormCreate();
  form.btResetClick();
  EXPECT_EQ(LoadsSeen(test.canvas), 2);
  EXPECT_TRUE(form.connected);
  EXPECT_TRUE(form.link().IsOpen());
  EXPECT_EQ(form.Caption, form.captionBase + " - Connected to XPlane");
}

}  // namespace
}  // namespace corvane::shell
