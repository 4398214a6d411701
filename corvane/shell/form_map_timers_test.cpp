// The map's loops on the form, on the demo data: complete nearby lists start the map, frames reach PB1.
#include <gtest/gtest.h>

#include <cstdlib>

#include "ini_file.h"
#include "test_form.h"

namespace corvane::shell {
namespace {

using testing::TemporaryFolder;
using testing::TestForm;
using testing::WriteText;

std::filesystem::path DemoFolder() {
  const char* source = std::getenv("CORVANE_SOURCE_DIR");
  return std::filesystem::path(source != nullptr ? source : ".") / "data" / "demo";
}

class FormMapTimersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(DemoFolder() / "NAVapt.dat")) GTEST_SKIP() << "no demo data";
    WriteText(settingsPath(), "[SIM]\nFS=0\nXP=1\n[Timer]\nOne=250\nTwo=700\n[Position]\nYpos=52.3\nXpos=4.76\n");
    test = std::make_unique<TestForm>(settingsPath(), DemoFolder());
  }

  // Timer2 ticks until the map timer runs; returns the ticks it took (or -1 after a limit).
  int RefreshUntilMapRuns() {
    for (int tick = 1; tick <= 400; ++tick) {
      form().TimerTick(1);
      if (form().Timer1.Enabled()) return tick;
    }
    return -1;
  }

  TForm1& form() { return *test->form; }
  std::filesystem::path settingsPath() const { return folder.path() / "corvane.INI"; }

  TemporaryFolder folder;
  std::unique_ptr<TestForm> test;
};

TEST_F(FormMapTimersTest, CompleteListsStartTheMapAndTheConfiguredInterval) {
  form().FormCreate();
  EXPECT_EQ(form().Caption, form().captionBase + " - Initializing display");
  EXPECT_EQ(form().Timer2.Interval(), 50u);
  EXPECT_FALSE(form().Timer1.Enabled());

  // The map starts as soon as the lists are complete, not when the cycle wraps.
  ASSERT_GT(RefreshUntilMapRuns(), 0);
  EXPECT_EQ(form().refresh.phase, map::kPhaseListsComplete + 1);
  EXPECT_EQ(form().Caption, form().captionBase);
  EXPECT_EQ(form().Timer2.Interval(), 700u);
  EXPECT_EQ(form().Timer1.Interval(), 250u);
  EXPECT_FALSE(map::IsEndRow((*form().nearby).points[0]));
  EXPECT_FALSE(map::IsEndRow((*form().nearby).runways[0]));
}

TEST_F(FormMapTimersTest, WithTheDefaultIntervalsTheMapRunsWithinTwoSecondsOfTheLoad) {
  test = std::make_unique<TestForm>(folder.path() / "defaults.INI", DemoFolder());
  VirtualClock clock({&form().Timer1, &form().Timer2, &form().Timer3, &form().Timer4, &form().Timer5},
                     [&](int timerIndex) { form().TimerTick(timerIndex); });
  form().FormCreate();
  while (!form().Timer1.Enabled() && clock.NowMs() < 60000) clock.Advance(10);
  EXPECT_LT(clock.NowMs(), 2000u);
  // Its first frame is already on the paint box.
  EXPECT_EQ(test->paintBox.Calls().size(), 1u);
}

// The first pass after a load runs at 50 ms; PanTMR and the settings file only ever see the configured interval.
TEST_F(FormMapTimersTest, TheQuickFirstPassIsNeitherShownNorSaved) {
  form().FormCreate();
  ASSERT_EQ(form().Timer2.Interval(), 50u);
  form().btCfgTmrClick();
  EXPECT_EQ(form().edTmr2.text, "700");
  form().btTmrOKClick();
  EXPECT_EQ(form().Timer2.Interval(), 50u);
  form().FormClose();
  EXPECT_EQ(IniDocument::Load(settingsPath()).Get("Timer", "Two"), "700");

  ASSERT_GT(RefreshUntilMapRuns(), 0);
  EXPECT_EQ(form().Timer2.Interval(), 700u);
}

TEST_F(FormMapTimersTest, AConfiguredIntervalOfZeroKeepsTheRefreshRunning) {
  WriteText(settingsPath(), "[Timer]\nTwo=0\n");
  test = std::make_unique<TestForm>(settingsPath(), DemoFolder());
  form().FormCreate();
  ASSERT_GT(RefreshUntilMapRuns(), 0);
  EXPECT_EQ(form().Timer2.Interval(), 50u);
  form().FormClose();
  EXPECT_EQ(IniDocument::Load(settingsPath()).Get("Timer", "Two"), "0");
}

// A localizer whose course does not read draws no course line: the status line names it, once.
TEST_F(FormMapTimersTest, ALocalizerWithoutAReadableCourseIsReportedOnce) {
  form().FormCreate();
  navdata::BeaconTable& beacons = form().database->beacons;
  beacons.OpenForAppend(2);
  beacons.Append({navdata::BeaconKind::kIls, 52.33f, 4.74f, "IGOOD", "110.10 183 -1.", "EHAM 18R"});
  beacons.Append({navdata::BeaconKind::kIls, 52.30f, 4.78f, "IBAD", "110.55 27x 1.5", "EHAM 27"});
  beacons.Close();
  ASSERT_GT(RefreshUntilMapRuns(), 0);
  EXPECT_EQ(form().SB1.text, "ILS IBAD: course and variation '27x 1.5' do not read; no course line is drawn");
  form().SB1.text.clear();
  for (int tick = 0; tick < 400; ++tick) form().TimerTick(1);
  EXPECT_EQ(form().SB1.text, "");
}

TEST_F(FormMapTimersTest, NoMapTimerWhileTheAirportViewIsOpen) {
  form().FormCreate();
  form().PanAPV.visible = true;
  EXPECT_EQ(RefreshUntilMapRuns(), -1);
  form().PanAPV.visible = false;
  EXPECT_GT(RefreshUntilMapRuns(), 0);
}

TEST_F(FormMapTimersTest, AReloadStartsTheRefreshAgainAndClearsItsCaption) {
  form().FormCreate();
  ASSERT_GT(RefreshUntilMapRuns(), 0);
  for (int tick = 0; tick < 30; ++tick) form().TimerTick(1);
  ASSERT_NE(form().refresh.phase, 0);
  form().refresh.chunk = 7;

  form().btResetClick();
  EXPECT_EQ(form().refresh.phase, 0);
  EXPECT_EQ(form().refresh.chunk, 50000);
  EXPECT_EQ(form().Timer2.Interval(), 50u);
  EXPECT_EQ(form().Caption, form().captionBase + " - Initializing display");
  // The map timer already runs; the complete lists still take the start suffix away.
  for (int tick = 0; tick < 201 && form().refresh.phase <= map::kPhaseListsComplete; ++tick) form().TimerTick(1);
  EXPECT_EQ(form().Caption, form().captionBase);
}

TEST_F(FormMapTimersTest, AFrameIsDrawnIntoTheImageAndCopiedToThePaintBox) {
  form().FormCreate();
  ASSERT_GT(RefreshUntilMapRuns(), 0);
  form().SetPaintBoxSize(900, 700);
  form().layers.vor = true;
  test->canvas.Clear();
  test->paintBox.Clear();
  form().TimerTick(0);

  bool schiphol = false;
  bool spijkerboor = false;
  for (const map::CanvasCall& call : test->canvas.Calls()) {
    if (call.kind != map::CanvasCall::Kind::TextOut) continue;
    schiphol |= call.text == "# EHAM ";
    spijkerboor |= call.text.starts_with("o SPY ");
  }
  EXPECT_TRUE(schiphol);
  EXPECT_TRUE(spijkerboor);
  // Centred on the settings' position, north-up: the image is cleared first, then copied in one piece.
  EXPECT_EQ(form().view.width, 900);
  EXPECT_EQ(form().view.originY, 350);
  ASSERT_EQ(test->paintBox.Calls().size(), 1u);
  const map::CanvasCall& copy = test->paintBox.Calls()[0];
  EXPECT_EQ(copy.kind, map::CanvasCall::Kind::CopyRect);
  EXPECT_EQ(copy.x2, 900);
  EXPECT_EQ(copy.y2, 700);
  EXPECT_EQ(form().PanAP.left, 900 - kAutopilotStripOffsetPx);
}

}  // namespace
}  // namespace corvane::shell
