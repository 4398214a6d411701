// The form driver's script lines: prints, sets, answers, virtual time, expects and errors.
#include "form_driver.h"

#include <gtest/gtest.h>

#include <sstream>

#include "test_form.h"

namespace corvane::shell {
namespace {

class FormDriverTest : public ::testing::Test {
 protected:
  testing::TemporaryFolder folder;
  testing::TestForm test{folder.path() / "corvane.INI"};
  std::vector<std::string> output;
  std::uint64_t advancedMs = 0;
  FormDriver driver{*test.form, test.dialogs, [this](std::uint64_t ms) { advancedMs += ms; },
                    [this](const std::string& line) { output.push_back(line); }};

  std::string Run(const std::string& line) {
    output.clear();
    EXPECT_EQ(driver.RunLine(line), FormDriver::LineResult::kDone) << line;
    return output.empty() ? std::string() : output.back();
  }
};

TEST_F(FormDriverTest, PrintsControlsPropertiesAndMembers) {
  struct Case {
    const char* line;
    std::string expected;
  };
  const Case cases[] = {
      {"print bbARP", "caption=ARP bold=1 color=0x008000 enabled=1 visible=1"},
      {"print bbVNAV", "caption=Vn bold=0 color=0x000000 enabled=0 visible=1"},
      {"print bbGEO.color", "0xFF0000"},
      {"print edCrsAlt", "290"},
      {"print edCrsAlt.caption", "Cruise Altitude"},
      {"print lbHold", "HOLDING at "},
      {"print Timer3", "interval=300 enabled=0"},
      {"print Timer3.interval", "300"},
      {"print rbXP.checked", "1"},
      {"print PanAPConf.visible", "1"},
      {"print PanAP.left", "971"},
      {"print AutopilotMode", "0"},
      {"print ActiveWaypointIndex", "10000"},
      {"print tail", "0"},
      {"print insertMode", "0"},
      {"print centre", "52 5"},
      {"print mode", "2"},
      {"print caption", test.form->captionBase},
      {"print SB1", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Run(c.line), c.expected) << c.line;
}

TEST_F(FormDriverTest, SetsEditsMemosChecksAndRadioGroups) {
  Run("set edSearch EH AM");
  EXPECT_EQ(test.form->edSearch.text, "EH AM");
  Run("set Memo1 first line\\nsecond");
  EXPECT_EQ(test.form->Memo1.lines, (std::vector<std::string>{"first line", "second"}));
  EXPECT_EQ(Run("print Memo1"), "first line\\nsecond");
  Run("set rbFS 1");
  EXPECT_TRUE(test.form->rbFS.checked);
  EXPECT_FALSE(test.form->rbXP.checked);
  EXPECT_TRUE(test.form->rbHldRgt.checked);  // another group stays
  Run("set chClimb 1");
  EXPECT_TRUE(test.form->chClimb.checked);
  EXPECT_EQ(driver.RunLine("set chClimb yes"), FormDriver::LineResult::kBadLine);
  EXPECT_EQ(driver.RunLine("set btFP x"), FormDriver::LineResult::kBadLine);
  EXPECT_EQ(driver.RunLine("set noSuchControl 1"), FormDriver::LineResult::kBadLine);
}

TEST_F(FormDriverTest, HandlersResizeAndAdvance) {
  Run("resize 800 600");
  EXPECT_EQ(Run("print PanAP.left"), "747");
  Run("btCfgTmrClick");
  EXPECT_EQ(Run("print PanTMR.left"), std::to_string(400 - 210));
  Run("btHideClick");
  EXPECT_EQ(Run("print btHide.caption"), "Show");
  Run("advance 1500");
  EXPECT_EQ(advancedMs, 1500u);
  Run("edClimbKeyUp 13");
  EXPECT_EQ(Run("print edClimb"), "250");
  EXPECT_EQ(driver.RunLine("edClimbKeyUp"), FormDriver::LineResult::kBadLine);
  EXPECT_EQ(driver.RunLine("resize 0 10"), FormDriver::LineResult::kBadLine);
  EXPECT_EQ(driver.RunLine("noSuchHandler"), FormDriver::LineResult::kBadLine);
}

TEST_F(FormDriverTest, AConversionErrorIsShownAndTheRunGoesOn) {
  Run("btCfgTmrClick");
  Run("set edTmr1 abc");
  EXPECT_EQ(driver.RunLine("btTmrOKClick"), FormDriver::LineResult::kDone);
  ASSERT_FALSE(test.dialogLog.empty());
  EXPECT_EQ(test.dialogLog.back(), "message: 'abc' is not a valid timer interval");
  EXPECT_EQ(Run("print PanTMR.visible"), "1");
}

TEST_F(FormDriverTest, AnswersWaitForTheirDialogAndUnansweredDialogsCancel) {
  Run("answer open /tmp/plan.nav");
  Run("answer font DejaVu Sans 11");
  EXPECT_EQ(test.dialogs.Pending(), 2u);
  EXPECT_EQ(test.dialogs.OpenFile(test.form->OpenDialog1), "/tmp/plan.nav");
  const auto font = test.dialogs.PickFont(test.form->IMG1.font);
  ASSERT_TRUE(font.has_value());
  EXPECT_EQ(font->name, "DejaVu Sans");
  EXPECT_EQ(font->size, 11);
  EXPECT_EQ(test.dialogs.SaveFile(test.form->SaveDialog1), std::nullopt);
  EXPECT_FALSE(test.dialogs.Confirm("Fly direct?", "Direct"));
  EXPECT_EQ(test.dialogs.InputBox("t", "p", "default"), "default");
  EXPECT_EQ(driver.RunLine("answer font Arial"), FormDriver::LineResult::kBadLine);
  EXPECT_EQ(driver.RunLine("answer maybe"), FormDriver::LineResult::kBadLine);
}

TEST_F(FormDriverTest, ScriptStopsAtTheFirstDifferenceWithExitCodeOne) {
  std::istringstream script("# comment\n\nexpect edCrsAlt 290\nexpect tail 3\nbtHideClick\n");
  EXPECT_EQ(driver.RunScript(script, "test.run"), 1);
  EXPECT_EQ(test.form->btHide.caption, "Hide Plane");
  EXPECT_EQ(output.at(output.size() - 2), "expect tail: wanted '3', got '0'");
  EXPECT_EQ(output.back(), "test.run:4: expect tail 3");
  std::istringstream bad("print nothingHere\n");
  EXPECT_EQ(driver.RunScript(bad, "bad.run"), 2);
  std::istringstream good("expect btHide.caption Hide Plane\nexpect centre 52 5\n");
  EXPECT_EQ(driver.RunScript(good, "good.run"), 0);
}

}  // namespace
}  // namespace corvane::shell
