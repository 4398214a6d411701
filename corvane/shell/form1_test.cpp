// TForm1: construction, the panels' starting state, and the shell's handlers.
#include "form1.h"

#include <gtest/gtest.h>

#include <set>

#include "formats/conversion_error.h"
#include "test_form.h"
#include "version.h"

namespace corvane::shell {
namespace {

using testing::TemporaryFolder;
using testing::TestForm;

class Form1Test : public ::testing::Test {
 protected:
  TemporaryFolder folder;
  TestForm test{folder.path() / "corvane.INI"};
  TForm1& form = *test.form;
};

TEST_F(Form1Test, ConstructionSetsCaptionStripsAndLayerButtons) {
  EXPECT_EQ(form.Caption, "Corvane V" + std::string(ProgramFileVersion()));
  EXPECT_EQ(form.captionBase, form.Caption);
  EXPECT_FALSE(form.connected);
  EXPECT_EQ(form.autopilot.AutopilotMode, 0);
  EXPECT_EQ(form.plan.ActiveWaypointIndex, 10000);
  EXPECT_EQ(form.view.mode, map::MapMode::kMap);
  EXPECT_EQ(form.PanAP.left, 1024 - 53);
  EXPECT_EQ(form.PanAP.height, 768);
  EXPECT_EQ(form.PanDisplay.height, 768);
  EXPECT_TRUE(form.bbARP.bold && form.bbGEO.bold && form.bbRR.bold && form.bbINF.bold);
  EXPECT_FALSE(form.bbVOR.bold || form.bbNDB.bold || form.bbFIX.bold || form.bbTCAS.bold || form.bbAWY.bold);
  EXPECT_EQ(form.bbARP.fontColor, 0x008000u);
  EXPECT_EQ(form.bbRR.fontColor, 0x008000u);
  EXPECT_EQ(form.bbGEO.fontColor, 0xFF0000u);
  EXPECT_EQ(form.btHide.caption, "Hide Plane");
  EXPECT_FALSE(form.bbVNAV.enabled);
  EXPECT_FALSE(form.bbSPD.enabled);
  // Button background and text background reach the panels and text controls.
  EXPECT_EQ(form.PanAP.color, form.shBBG.brushColor);
  EXPECT_EQ(form.PanAPV.color, form.shBBG.brushColor);
  EXPECT_EQ(form.Memo2.color, form.shTBG.brushColor);
  EXPECT_EQ(form.LB1.color, form.shTBG.brushColor);
}

TEST_F(Form1Test, PanelsStartAsTheLayoutSays) {
  struct Case {
    const char* name;
    bool visible;
  };
  const Case cases[] = {{"PanDisplay", true}, {"PanAP", true},     {"PanFP", false},  {"PanCFG", false},
                        {"PanTMR", false},    {"PanAPConf", true}, {"PanHLD", false}, {"PanPOS", false},
                        {"PanAPV", false},    {"PanSID", false},   {"PanSTR", false}, {"LB1", false}};
  for (const Case& c : cases) {
    const ControlEntry* entry = form.Controls().Find(c.name);
    ASSERT_NE(entry, nullptr) << c.name;
    const Control* control = std::visit(
        [](auto* p) -> const Control* {
          if constexpr (std::is_base_of_v<Control, std::remove_pointer_t<decltype(p)>>) return p;
          return nullptr;
        },
        entry->control);
    ASSERT_NE(control, nullptr) << c.name;
    EXPECT_EQ(control->visible, c.visible) << c.name;
  }
  for (int i = 1; i <= 5; ++i) {
    const ControlEntry* timer = form.Controls().Find("Timer" + std::to_string(i));
    ASSERT_NE(timer, nullptr);
    EXPECT_FALSE(std::get<Timer*>(timer->control)->Enabled());
  }
}

TEST_F(Form1Test, EveryControlNameIsUniqueAndOnAKnownParent) {
  std::set<std::string> names;
  for (const ControlEntry& entry : form.Controls().Entries()) {
    EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
    if (!entry.parent.empty()) {
      EXPECT_TRUE(names.count(entry.parent)) << entry.name << " on " << entry.parent;
    }
  }
}

TEST_F(Form1Test, HidePlaneTwiceReturnsToShownWithCaptionHide) {
  form.btHideClick();
  EXPECT_FALSE(form.layers.ownAircraftShown);
  EXPECT_EQ(form.btHide.caption, "Show");
  form.btHideClick();
  EXPECT_TRUE(form.layers.ownAircraftShown);
  EXPECT_EQ(form.btHide.caption, "Hide");
}

TEST_F(Form1Test, CentringUsesIntegerHalvesTowardZero) {
  struct Case {
    int mapWidth, mapHeight, expectedLeft, expectedTop;
  };
  // PanTMR is 420 x 410.
  const Case cases[] = {{1024, 768, 302, 179}, {1025, 767, 302, 178}, {300, 200, 150 - 210, 100 - 205}};
  for (const Case& c : cases) {
    form.SetPaintBoxSize(c.mapWidth, c.mapHeight);
    form.btCfgTmrClick();
    EXPECT_EQ(form.PanTMR.left, c.expectedLeft) << c.mapWidth;
    EXPECT_EQ(form.PanTMR.top, c.expectedTop) << c.mapHeight;
    EXPECT_TRUE(form.PanTMR.visible);
    EXPECT_EQ(form.PanAP.left, c.mapWidth - 53);
  }
}

TEST_F(Form1Test, TimerPanelShowsIntervalsAndAppliesThem) {
  form.Timer2.SetInterval(650);
  form.btCfgTmrClick();
  EXPECT_EQ(form.edTmr1.text, "300");
  EXPECT_EQ(form.edTmr2.text, "650");
  EXPECT_EQ(form.edTmr5.text, "300");
  form.edTmr4.text = "250";
  form.btTmrOKClick();
  EXPECT_EQ(form.Timer4.Interval(), 250u);
  EXPECT_FALSE(form.PanTMR.visible);
}

TEST_F(Form1Test, TimerOkWithABadFieldKeepsTheEarlierIntervalsAndThePanel) {
  form.btCfgTmrClick();
  form.edTmr1.text = "111";
  form.edTmr2.text = "222";
  form.edTmr3.text = "3x3";
  form.edTmr4.text = "444";
  try {
    form.btTmrOKClick();
    FAIL() << "no conversion error";
  } catch (const formats::ConversionError& error) {
    EXPECT_EQ(error.failedText(), "3x3");
  }
  EXPECT_EQ(form.Timer1.Interval(), 111u);
  EXPECT_EQ(form.Timer2.Interval(), 222u);
  EXPECT_EQ(form.Timer3.Interval(), 300u);
  EXPECT_EQ(form.Timer4.Interval(), 500u);
  EXPECT_TRUE(form.PanTMR.visible);
  form.edTmr3.text = "-1";
  EXPECT_THROW(form.btTmrOKClick(), formats::ConversionError);
}

TEST_F(Form1Test, GradientFieldsClampOnEnter) {
  struct Case {
    const char* typed;
    int key;
    const char* expected;
  };
  const Case cases[] = {{"99", 13, "100"},  {"700", 13, "600"}, {"450", 13, "450"}, {"600", 13, "600"},
                        {"100", 13, "100"}, {"-5", 13, "100"},  {"700", 65, "700"}, {"abc", 65, "abc"}};
  for (Edit* edit : {&form.edClimb, &form.edDesc}) {
    for (const Case& c : cases) {
      edit->text = c.typed;
      if (edit == &form.edClimb) {
        form.edClimbKeyUp(c.key);
      } else {
        form.edDescKeyUp(c.key);
      }
      EXPECT_EQ(edit->text, c.expected) << c.typed << " key " << c.key;
    }
  }
  form.edClimb.text = "abc";
  EXPECT_THROW(form.edClimbKeyUp(13), formats::ConversionError);
  EXPECT_EQ(form.edClimb.text, "abc");
}

TEST_F(Form1Test, ConfigurationPanelsOpenAndClose) {
  form.btApSetOKClick();
  EXPECT_FALSE(form.PanAPConf.visible);
  form.btAPSetClick();
  EXPECT_TRUE(form.PanAPConf.visible);
  EXPECT_EQ(form.PanAPConf.left, 512 - 125);
  form.btApSetOKClick();
  form.btAPset2Click();
  EXPECT_TRUE(form.PanAPConf.visible);

  form.btColorClick();
  EXPECT_TRUE(form.PanCFG.visible);
  form.btColorClick();
  EXPECT_FALSE(form.PanCFG.visible);
  form.btColorClick();
  form.btColOKClick();
  EXPECT_FALSE(form.PanCFG.visible);

  form.SB1.text = "FSUIPC write OK";
  form.btFPClick();
  EXPECT_TRUE(form.PanFP.visible);
  EXPECT_EQ(form.SB1.text, "");
  EXPECT_FALSE(form.btOK.enabled);
  EXPECT_FALSE(form.btSV.enabled);
  form.btCancelClick();
  EXPECT_FALSE(form.PanFP.visible);
}

TEST_F(Form1Test, DataFolderOptionSetsTheWorkingFolder) {
  TestForm withData(folder.path() / "other.INI", folder.path());
  EXPECT_EQ(withData.form->workingFolder, folder.path());
  EXPECT_EQ(form.workingFolder, std::filesystem::current_path());
}

}  // namespace
}  // namespace corvane::shell
