// The window's state: settings at load and unload, the folder button, the layout, a run.
#include "tessel/tessel_form.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tessel/packed_values.h"
#include "tessel/testing/bgl_writer.h"
#include "tessel/testing/test_support.h"

namespace tessel {
namespace {
using namespace tessel::testing;

TEST(TesselForm, SettingsRoundTripThroughTheDefaultFolder) {
  ScratchFolder scratch;
  TesselForm first;
  first.Form_Load(scratch.path());
  EXPECT_EQ(first.outputFolder, scratch.path());
  EXPECT_EQ(first.windowTopTwips, 100);
  EXPECT_EQ(first.caption, "TESSEL - FSX data to DAT file creator");
  first.txtPath = "/scenery/addon/";
  first.windowTopTwips = 900;
  first.windowLeftTwips = 1200;
  ASSERT_EQ(first.Form_Unload("/work"), std::nullopt);

  TesselForm second;
  second.Form_Load(scratch.path());
  EXPECT_EQ(second.txtPath, "/scenery/addon/");
  EXPECT_EQ(second.windowTopTwips, 900);
  EXPECT_EQ(second.windowLeftTwips, 1200);
  EXPECT_EQ(second.outputFolder, scratch.path());
}

TEST(TesselPlaces, InstalledWithoutALocalIniUsesTheUsersFolders) {
  ScratchFolder scratch;
  const corvane::formats::UserFolders user{scratch.path() / "config", scratch.path() / "data"};
  const std::filesystem::path local = scratch.path() / "here";
  std::filesystem::create_directories(local);
  const TesselPlaces portable = ChooseTesselPlaces(false, user, local);
  EXPECT_EQ(portable.outputFolder, local);
  EXPECT_FALSE(portable.settingsFile);
  const TesselPlaces installed = ChooseTesselPlaces(true, user, local);
  EXPECT_EQ(installed.outputFolder, scratch.path() / "data/corvane/data");
  EXPECT_EQ(installed.settingsFile, scratch.path() / "config/corvane/TESSEL.INI");
  EXPECT_FALSE(ChooseTesselPlaces(true, corvane::formats::UserFolders{}, local).settingsFile);

  // The settings go to the configuration folder, made at the first close, and come back from there.
  TesselForm first;
  first.settingsFile = installed.settingsFile;
  first.Form_Load(installed.outputFolder);
  first.txtPath = "/scenery/";
  ASSERT_EQ(first.Form_Unload("/work"), std::nullopt);
  TesselForm second;
  second.settingsFile = installed.settingsFile;
  second.Form_Load(installed.outputFolder);
  EXPECT_EQ(second.txtPath, "/scenery/");
  EXPECT_EQ(second.outputFolder, installed.outputFolder);

  // A TESSEL.INI in the working folder still wins.
  std::ofstream(local / "TESSEL.INI") << "\"" << local.string() << "\"\r\n";
  EXPECT_FALSE(ChooseTesselPlaces(true, user, local).settingsFile);
}

TEST(TesselForm, FolderButtonTakesThePickedFilesFolder) {
  TesselForm form;
  form.txtPath = "/old/";
  form.btDir_Click(std::nullopt);
  EXPECT_EQ(form.txtPath, "/old/");
  form.btDir_Click(std::string("no separator"));
  EXPECT_EQ(form.txtPath, "/old/");
  form.btDir_Click(std::string("/fsx/Addon Scenery/scenery/APX.bgl"));
  EXPECT_EQ(form.txtPath, "/fsx/Addon Scenery/scenery/");
  // A folder takes the system's separator; one that ends in either keeps its own.
  form.btDir_FolderPicked(std::string("/fsx/Scenery"));
  EXPECT_EQ(form.txtPath, std::string("/fsx/Scenery") + static_cast<char>(std::filesystem::path::preferred_separator));
  form.btDir_FolderPicked(std::string("/fsx/Scenery/"));
  EXPECT_EQ(form.txtPath, "/fsx/Scenery/");
}

TEST(TesselForm, ResizeLaysOutTheWidths) {
  TesselForm form;
  form.Form_Resize(12000);
  EXPECT_EQ(form.tabWidthTwips, 10320);
  EXPECT_EQ(form.listWidthTwips, 10020);
  EXPECT_EQ(form.progressWidthTwips, 11580);
}

TEST(TesselForm, StartRunsTheCompilerIntoTheControls) {
  ScratchFolder scratch;
  std::filesystem::create_directories(scratch / "root");
  BglAirport airport;
  airport.identPacked = EncodePackedIdent("KSEA");
  BglFileBuilder()
      .Section(kSectionAirport, {{AirportRecord(airport, std::vector<BglBytes>{NameRecord("Seattle")})}})
      .WriteTo(scratch / "root" / "a.bgl");
  TesselForm form;
  form.outputFolder = scratch.path();
  form.txtPath = (scratch / "root").string();  // a missing separator is added
  form.problems.push_back("from an earlier run");
  const RunResult result = form.btStart_Click();
  EXPECT_TRUE(result.outputWritten);
  EXPECT_EQ(form.lbMess, "Ready");
  EXPECT_EQ(form.SSTab1Tab, TabList::NDB);
  EXPECT_EQ(form.lists[TabList::ARP].size(), 1u);
  EXPECT_TRUE(form.problems.empty());
}

}  // namespace
}  // namespace tessel
