// The settings file: defaults, encodings, the written file, round trips and the sound handling of bad edits.
#include "settings_file.h"

#include <gtest/gtest.h>

#include "form1.h"
#include "test_form.h"

namespace corvane::shell {
namespace {

using testing::ReadText;
using testing::TemporaryFolder;
using testing::TestForm;
using testing::WriteText;

TEST(SettingsFile, PathIsTheProgramPathWithIni) {
  EXPECT_EQ(SettingsPathFor("/opt/corvane/bin/corvane"), "/opt/corvane/bin/corvane.INI");
  EXPECT_EQ(SettingsPathFor("C:/games/corvane.exe"), "C:/games/corvane.INI");
}

TEST(SettingsFile, FirstStartWithoutAFileTakesEveryDefault) {
  TemporaryFolder folder;
  TestForm test(folder.path() / "corvane.INI");
  const TForm1& form = *test.form;
  EXPECT_EQ(form.Timer1.Interval(), 300u);
  EXPECT_EQ(form.Timer2.Interval(), 500u);
  EXPECT_EQ(form.Timer3.Interval(), 300u);
  EXPECT_EQ(form.Timer4.Interval(), 500u);
  EXPECT_EQ(form.Timer5.Interval(), 300u);
  EXPECT_TRUE(form.rbXP.checked);
  EXPECT_FALSE(form.rbFS.checked);
  EXPECT_DOUBLE_EQ(form.view.centre.latitude, 52.0);
  EXPECT_DOUBLE_EQ(form.view.centre.longitude, 5.0);
  EXPECT_EQ(form.edCrsAlt.text, "290");
  EXPECT_EQ(form.edCrsSpd.text, "220");
  EXPECT_EQ(form.edClimb.text, "250");
  EXPECT_EQ(form.APSwDist.text, "100");
  EXPECT_FALSE(form.chClimb.checked);
  EXPECT_TRUE(form.chSpoil.checked);
  EXPECT_FALSE(form.chTrackLegs.checked);
  EXPECT_EQ(form.IMG1.font.name, "Arial");
  EXPECT_EQ(form.IMG1.font.size, 8);
  EXPECT_EQ(form.shARP.brushColor, 0x4080FFu);
  EXPECT_EQ(form.shGEO3.brushColor, 0x80000001u);
  EXPECT_EQ(form.OpenDialog1.initialDir, "C:\\");
  EXPECT_EQ(form.edIvapFP.text, "C:default.fpl");
  EXPECT_TRUE(form.PanAPConf.visible);
  EXPECT_EQ(test.canvas.CurrentFont().name, "Arial");
}

// The whole file a first start writes at close: every key in its order with its default value.
TEST(SettingsFile, CloseWritesEveryKeyInOrder) {
  TemporaryFolder folder;
  const auto path = folder.path() / "corvane.INI";
  TestForm test(path);
  test.form->FormClose();
  const std::string expected =
      "[Form]\r\n"
      "Top=100\r\n"
      "Left=100\r\n"
      "Height=600\r\n"
      "Width=800\r\n"
      "[Position]\r\n"
      "Xpos=5\r\n"
      "Ypos=52\r\n"
      "[Display]\r\n"
      "FontName=Arial\r\n"
      "FontSize=8\r\n"
      "[Colors]\r\n"
      "ARP=4227327\r\n"
      "VOR=16744448\r\n"
      "NDB=65280\r\n"
      "FIX=12632256\r\n"
      "RING=8421504\r\n"
      "ROUT=16711935\r\n"
      "GEO=32768\r\n"
      "GEO2=128\r\n"
      "GEO3=-2147483647\r\n"
      "GEO4=8421504\r\n"
      "ButtonBG=-2147483647\r\n"
      "TextBG=12632256\r\n"
      "AWL=32896\r\n"
      "AWH=8421376\r\n"
      "AWB=8388736\r\n"
      "[SIM]\r\n"
      "FS=0\r\n"
      "XP=1\r\n"
      "[AP]\r\n"
      "Climb=0\r\n"
      "Spoil=1\r\n"
      "TrackLegs=0\r\n"
      "CrsAlt=290\r\n"
      "CrsSpd=220\r\n"
      "Desc=290\r\n"
      "App=220\r\n"
      "Min=160\r\n"
      "[Calc]\r\n"
      "Climb=250\r\n"
      "Desc=200\r\n"
      "[Dirs]\r\n"
      "Open1=C:\\\r\n"
      "Open2=C:\\\r\n"
      "Open3=C:\\\r\n"
      "Save1=C:\\\r\n"
      "Save2=C:\\\r\n"
      "Save3=C:\\\r\n"
      "[Timer]\r\n"
      "One=300\r\n"
      "Two=500\r\n"
      "Three=300\r\n"
      "Four=500\r\n"
      "Five=300\r\n"
      "[Sizes]\r\n"
      "Geo=10\r\n"
      "Arp=6\r\n"
      "Bcn=6\r\n"
      "Fix=3\r\n"
      "[Ivap]\r\n"
      "FP=C:default.fpl\r\n";
  EXPECT_EQ(ReadText(path), expected);
  EXPECT_TRUE(test.dialogLog.empty());
}

TEST(SettingsFile, EncodingsAsWritten) {
  TemporaryFolder folder;
  const auto path = folder.path() / "corvane.INI";
  TestForm test(path);
  test.form->view.centre.latitude = 52.37;
  test.form->view.centre.longitude = -4.5;
  test.form->FormClose();
  const IniDocument written = IniDocument::Load(path);
  // GEO3 and ButtonBG absent: the system background colour, written as a signed 32-bit number.
  EXPECT_EQ(written.Get("Colors", "GEO3"), "-2147483647");
  EXPECT_EQ(written.Get("Colors", "ButtonBG"), "-2147483647");
  EXPECT_EQ(written.Get("Colors", "ARP"), "4227327");
  EXPECT_EQ(written.Get("Position", "Ypos"), "52.37");
  EXPECT_EQ(written.Get("Position", "Xpos"), "-4.5");
  EXPECT_EQ(written.Get("SIM", "XP"), "1");
  EXPECT_EQ(written.Get("SIM", "FS"), "0");
  EXPECT_EQ(written.Get("Dirs", "Save3"), "C:\\");
  EXPECT_EQ(written.Get("Ivap", "FP"), "C:default.fpl");
  EXPECT_EQ(written.Get("Form", "Width"), "800");
}

TEST(SettingsFile, ValuesThatDoNotReadTakeTheirDefault) {
  struct Case {
    const char* section;
    const char* key;
    const char* text;
    std::string expected;  // as the form holds it afterwards
  };
  const Case cases[] = {
      {"AP", "CrsAlt", "abc", "290"},
      {"AP", "CrsAlt", "", "290"},
      {"AP", "CrsAlt", "12x", "290"},
      {"AP", "CrsAlt", "35000", "35000"},
      {"AP", "CrsAlt", " 4100 ", "4100"},
      {"AP", "CrsAlt", "$FF", "255"},
      {"AP", "CrsAlt", "99999999999", "290"},
      {"Position", "Ypos", "5O.1", "52"},
      {"Position", "Ypos", "50,5", "52"},
      {"Position", "Ypos", "-33.9", "-33.9"},
      {"SIM", "FS", "2", "1"},
      {"SIM", "FS", "x", "0"},
      {"Timer", "One", "-5", "300"},
      {"Timer", "One", "0", "0"},
  };
  for (const Case& c : cases) {
    TemporaryFolder folder;
    const auto path = folder.path() / "corvane.INI";
    WriteText(path, std::string("[") + c.section + "]\n" + c.key + "=" + c.text + "\n");
    TestForm test(path);
    const TForm1& form = *test.form;
    std::string actual;
    if (std::string(c.key) == "CrsAlt") actual = form.edCrsAlt.text;
    if (std::string(c.key) == "Ypos") {
      char buffer[32];
      std::snprintf(buffer, sizeof buffer, "%g", form.view.centre.latitude);
      actual = buffer;
    }
    if (std::string(c.key) == "FS") actual = form.rbFS.checked ? "1" : "0";
    if (std::string(c.key) == "One") actual = std::to_string(form.Timer1.Interval());
    EXPECT_EQ(actual, c.expected) << c.section << "/" << c.key << "=" << c.text;
  }
}

TEST(SettingsFile, TimerThreeRoundTrip) {
  TemporaryFolder folder;
  const auto path = folder.path() / "corvane.INI";
  WriteText(path, "[Timer]\r\nThree=1000\r\n");
  {
    TestForm test(path);
    EXPECT_EQ(test.form->Timer3.Interval(), 1000u);
    test.form->Timer3.SetInterval(750);
    test.form->FormClose();
  }
  EXPECT_EQ(IniDocument::Load(path).Get("Timer", "Three"), "750");
  TestForm again(path);
  EXPECT_EQ(again.form->Timer3.Interval(), 750u);
}

TEST(SettingsFile, EveryKeySurvivesARoundTrip) {
  TemporaryFolder folder;
  const auto path = folder.path() / "corvane.INI";
  {
    TestForm test(path);
    TForm1& form = *test.form;
    form.formTop = 7;
    form.IMG1.font = {"DejaVu Sans", 11, {}, 0};
    form.shAwb.brushColor = 0x123456;
    form.rbFS.checked = true;
    form.rbXP.checked = false;
    form.chClimb.checked = true;
    form.chTrackLegs.checked = true;
    form.edDesc.text = "333";
    form.SaveDialog2.initialDir = "/home/pilot/plans/";
    form.edFixSize.text = "4";
    form.edIvapFP.text = "/home/pilot/ivap/plan.fpl";
    form.FormClose();
  }
  TestForm test(path);
  const TForm1& form = *test.form;
  EXPECT_EQ(form.formTop, 7);
  EXPECT_EQ(form.IMG1.font.name, "DejaVu Sans");
  EXPECT_EQ(form.IMG1.font.size, 11);
  EXPECT_EQ(form.shAwb.brushColor, 0x123456u);
  EXPECT_TRUE(form.rbFS.checked);
  EXPECT_FALSE(form.rbXP.checked);
  EXPECT_TRUE(form.chClimb.checked);
  EXPECT_TRUE(form.chTrackLegs.checked);
  EXPECT_EQ(form.edDesc.text, "333");
  EXPECT_EQ(form.SaveDialog2.initialDir, "/home/pilot/plans/");
  EXPECT_EQ(form.edFixSize.text, "4");
  EXPECT_EQ(form.edIvapFP.text, "/home/pilot/ivap/plan.fpl");
}

TEST(SettingsFile, AnEditThatIsNotANumberKeepsItsOldValueAndTheRestIsWritten) {
  TemporaryFolder folder;
  const auto path = folder.path() / "corvane.INI";
  WriteText(path, "[AP]\r\nCrsSpd=250\r\n[Other]\r\nMine=kept\r\n");
  TestForm test(path);
  test.form->edCrsSpd.text = "fast";
  test.form->edMinSpd.text = "150";
  test.form->Timer5.SetInterval(1234);
  test.form->FormClose();
  const IniDocument written = IniDocument::Load(path);
  EXPECT_EQ(written.Get("AP", "CrsSpd"), "250");
  EXPECT_EQ(written.Get("AP", "Min"), "150");
  EXPECT_EQ(written.Get("Timer", "Five"), "1234");
  EXPECT_EQ(written.Get("Other", "Mine"), "kept");
  ASSERT_EQ(test.dialogLog.size(), 1u);
  EXPECT_NE(test.dialogLog[0].find("Cruise Speed"), std::string::npos);
  EXPECT_NE(test.dialogLog[0].find("fast"), std::string::npos);
}

TEST(SettingsFile, AFileThatCannotBeWrittenIsReported) {
  TemporaryFolder folder;
  TestForm test(folder.path() / "missing folder" / "corvane.INI");
  test.form->FormClose();
  ASSERT_EQ(test.dialogLog.size(), 1u);
  EXPECT_NE(test.dialogLog[0].find("not saved"), std::string::npos);
}

}  // namespace
}  // namespace corvane::shell

namespace corvane::shell {
namespace {

// A file of unusable values opens with the default for each of them, names each one at create, and
// keeps every usable value; closing then writes the defaults in their place.
TEST(SettingsFile, UnusableValuesTakeTheirDefaultAndAreNamed) {
  struct Case {
    const char* section;
    const char* key;
    const char* text;
    bool unusable;
  };
  const Case cases[] = {
      {"Form", "Width", "abc", true},
      {"Form", "Height", "50", true},
      {"Form", "Top", "-40", false},
      {"Position", "Xpos", "200", true},
      {"Position", "Ypos", "nan", true},
      {"Display", "FontName", "", true},
      {"Display", "FontSize", "0", true},
      {"Colors", "ARP", "2130706432", true},
      {"Colors", "VOR", "-2147483647", false},
      {"Colors", "NDB", "green", true},
      {"SIM", "FS", "yes", true},
      {"AP", "Climb", "1", false},
      {"AP", "CrsAlt", "99999", true},
      {"AP", "CrsSpd", "0", true},
      {"Calc", "Climb", "700", true},
      {"Calc", "Desc", "450", false},
      {"Timer", "Four", "-1", true},
      {"Timer", "Five", "abc", true},
      {"Timer", "One", "0", false},
      {"Sizes", "Geo", "0", true},
      {"Sizes", "Fix", "4", false},
      {"Dirs", "Open1", "", false},
  };
  TemporaryFolder folder;
  const auto defaultsPath = folder.path() / "defaults.INI";
  TestForm(defaultsPath).form->FormClose();
  const IniDocument defaults = IniDocument::Load(defaultsPath);

  const auto path = folder.path() / "corvane.INI";
  std::string text;
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    // One header per section: the cases of a section stand together.
    if (i == 0 || std::string_view(cases[i - 1].section) != cases[i].section)
      text += std::string("[") + cases[i].section + "]\n";
    text += std::string(cases[i].key) + "=" + cases[i].text + "\n";
  }
  WriteText(path, text);
  TestForm test(path, folder.path());
  test.form->FormCreate();
  ASSERT_FALSE(test.dialogLog.empty());
  const std::string& message = test.dialogLog[0];
  test.form->FormClose();
  const IniDocument written = IniDocument::Load(path);
  int unusable = 0;
  for (const Case& c : cases) {
    const std::string named = std::string("\n") + c.section + "/" + c.key + " = '" + c.text + "': ";
    EXPECT_EQ(message.find(named) != std::string::npos, c.unusable) << named;
    const auto expected = c.unusable ? defaults.Get(c.section, c.key) : std::optional<std::string>(c.text);
    EXPECT_EQ(written.Get(c.section, c.key), expected) << c.section << "/" << c.key;
    unusable += c.unusable;
  }
  EXPECT_NE(
      message.find("Settings file " + path.string() + ": " + std::to_string(unusable) + " value(s) could not be used"),
      std::string::npos)
      << message;
}

}  // namespace
}  // namespace corvane::shell
