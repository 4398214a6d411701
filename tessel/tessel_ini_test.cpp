// TESSEL.INI: five lines written and read back; missing or damaged files give the defaults.
#include "tessel/tessel_ini.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tessel/testing/test_support.h"

namespace tessel {
namespace {
using namespace tessel::testing;

TEST(TesselIni, WritesFiveLinesAndReadsThemBack) {
  ScratchFolder scratch;
  const TesselSettings written{"/data/out dir", "/home/pilot", 1440, -300, "/scenery/with \"quote\"/"};
  ASSERT_EQ(WriteTesselIni(scratch / "TESSEL.INI", written), std::nullopt);
  EXPECT_EQ(ReadWholeFile(scratch / "TESSEL.INI"),
            "\"/data/out dir\"\r\n\"/home/pilot\"\r\n1440\r\n-300\r\n\"/scenery/with \"quote\"/\"\r\n");
  TesselSettings read;
  ASSERT_TRUE(ReadTesselIni(scratch / "TESSEL.INI", read));
  EXPECT_EQ(read.outputFolder, written.outputFolder);
  EXPECT_EQ(read.currentFolder, written.currentFolder);
  EXPECT_EQ(read.windowTopTwips, 1440);
  EXPECT_EQ(read.windowLeftTwips, -300);
  EXPECT_EQ(read.scanRoot, written.scanRoot);
}

TEST(TesselIni, MissingOrDamagedFilesKeepTheDefaults) {
  ScratchFolder scratch;
  const char* damaged[] = {
      "",
      "\"/out\"\r\n\"/cur\"\r\n100\r\n",                        // too short
      "\"/out\"\r\n\"/cur\"\r\nhigh\r\n200\r\n\"/root/\"\r\n",  // a number that is none
      "/out\r\n\"/cur\"\r\n1\r\n2\r\n\"/root/\"\r\n",           // a string without quotes
  };
  for (const char* text : damaged) {
    std::ofstream(scratch / "TESSEL.INI", std::ios::binary) << text;
    TesselSettings settings{"/default", "", 5, 6, "/default/root/"};
    EXPECT_FALSE(ReadTesselIni(scratch / "TESSEL.INI", settings)) << text;
    EXPECT_EQ(settings.outputFolder, "/default");
    EXPECT_EQ(settings.scanRoot, "/default/root/");
    EXPECT_EQ(settings.windowTopTwips, 100);
    EXPECT_EQ(settings.windowLeftTwips, 100);
  }
  TesselSettings settings;
  EXPECT_FALSE(ReadTesselIni(scratch / "none.ini", settings));
  // Lines ended by LF only are read too.
  std::ofstream(scratch / "TESSEL.INI", std::ios::binary) << "\"/o\"\n\"/c\"\n7\n8\n\"/r/\"\n";
  ASSERT_TRUE(ReadTesselIni(scratch / "TESSEL.INI", settings));
  EXPECT_EQ(settings.scanRoot, "/r/");
  EXPECT_EQ(settings.windowLeftTwips, 8);
}

}  // namespace
}  // namespace tessel
