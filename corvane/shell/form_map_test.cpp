// The map's handlers on the form: layer buttons and their looks, colours, text size, reset, wheel and keys.
#include <gtest/gtest.h>

#include "form1.h"
#include "form_handlers.h"
#include "test_form.h"

namespace corvane::shell {
namespace {

using testing::TemporaryFolder;
using testing::TestForm;

class FormMapTest : public ::testing::Test {
 protected:
  TemporaryFolder folder;
  TestForm test{folder.path() / "corvane.INI"};
  TForm1& form = *test.form;

  void Run(std::string_view handler, std::vector<std::string> arguments = {}) {
    const HandlerEntry* entry = FindHandler(handler);
    ASSERT_NE(entry, nullptr) << handler;
    entry->run(form, arguments);
  }
};

TEST_F(FormMapTest, ToggleButtonsInvertAndRestyle) {
  Run("bbVORClick");
  EXPECT_TRUE(form.layers.vor);
  EXPECT_TRUE(form.bbVOR.bold);
  EXPECT_EQ(form.bbVOR.fontColor, 0x008000u);
  Run("bbARPClick");
  EXPECT_FALSE(form.layers.airports);
  EXPECT_FALSE(form.bbARP.bold);
  Run("bbINFClick");
  Run("bbRRClick");
  Run("bbFIXClick");
  Run("bbNDBClick");
  EXPECT_FALSE(form.layers.labels || form.layers.rangeRings);
  EXPECT_TRUE(form.layers.fixes && form.layers.ndb);
}

TEST_F(FormMapTest, CyclicButtons) {
  for (int i = 0; i < 4; ++i) Run("bbAWYClick");
  EXPECT_EQ(form.layers.airwayMode, 0);
  EXPECT_EQ(form.bbAWY.caption, "AWY");
  Run("bbAWYClick");
  EXPECT_EQ(form.bbAWY.caption, "AWH");
  EXPECT_EQ(form.bbAWY.fontColor, form.shAwh.brushColor);
  Run("bbGEOClick");
  EXPECT_EQ(form.layers.geoMode, 2);
  EXPECT_EQ(form.bbGEO.fontColor, 0x008000u);
  Run("bbTCASClick");
  EXPECT_EQ(form.layers.trafficMode, 1);
  EXPECT_EQ(form.bbTCAS.fontColor, 0xFF0000u);
  Run("bbMAPClick");
  EXPECT_EQ(form.view.mode, map::MapMode::kArc);
  EXPECT_EQ(form.bbMAP.caption, "ARC");
  EXPECT_TRUE(form.view.followAircraft);
}

TEST_F(FormMapTest, ResetAfterArcModeKeepsTheCaptions) {
  Run("bbMAPClick");
  Run("bbAWYClick");
  Run("bbVORClick");
  form.ResetDisplay();
  EXPECT_EQ(form.view.mode, map::MapMode::kMap);
  EXPECT_TRUE(form.view.followAircraft);
  EXPECT_EQ(form.bbMAP.caption, "ARC");
  EXPECT_EQ(form.bbAWY.caption, "AWH");
  EXPECT_FALSE(form.bbAWY.bold);
  EXPECT_FALSE(form.bbVOR.bold);
  EXPECT_EQ(form.layers.airwayMode, 0);
  Run("bbMAPClick");
  EXPECT_EQ(form.view.mode, map::MapMode::kArc);
}

TEST_F(FormMapTest, TextSizeClamps) {
  form.IMG1.font.size = 20;
  Run("btTextPClick");
  EXPECT_EQ(form.IMG1.font.size, 20);
  form.IMG1.font.size = 6;
  Run("btTextMClick");
  EXPECT_EQ(form.IMG1.font.size, 6);
  Run("btTextPClick");
  EXPECT_EQ(test.canvas.CurrentFont().size, 7);
}

TEST_F(FormMapTest, ColourDialogs) {
  const Color before = form.shARP.brushColor;
  Run("shARPContextPopup");  // no answer queued: cancelled
  EXPECT_EQ(form.shARP.brushColor, before);
  test.dialogs.Queue({DialogAnswer::Kind::Color, "", 0x123456});
  Run("shBBGContextPopup");
  EXPECT_EQ(form.shBBG.brushColor, 0x123456u);
  EXPECT_EQ(form.PanDisplay.color, 0x123456u);
  EXPECT_EQ(form.PanAPV.color, 0x123456u);
  test.dialogs.Queue({DialogAnswer::Kind::Color, "", 0x654321});
  Run("shTBGContextPopup");
  EXPECT_EQ(form.Memo1.color, 0x654321u);
  EXPECT_EQ(form.LB1.color, 0x654321u);
  test.dialogs.Queue({DialogAnswer::Kind::Color, "", 0x00FF00});
  Run("shGEO2ContextPopup");
  EXPECT_EQ(form.MapColours().geo2, 0x00FF00u);
}

TEST_F(FormMapTest, WheelAndKeys) {
  form.view.rangeNm = 160;
  for (int i = 0; i < 3; ++i) Run("FormMouseWheel", {"-120"});
  EXPECT_EQ(form.view.rangeNm, 240);
  Run("FormKeyDown", {"187"});  // 0xBB
  EXPECT_EQ(form.view.rangeNm, 180);
  form.PanFP.visible = true;
  Run("FormKeyDown", {"189"});
  EXPECT_EQ(form.view.rangeNm, 180);
}

}  // namespace
}  // namespace corvane::shell
