// simhost's command line.
#include "tools/simhost/simhost_options.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "testing/scratch_folder.h"

namespace corvane::simhost {
namespace {

bool Parse(std::vector<std::string> words, SimhostOptions& options, std::string& error) {
  std::vector<char*> args;
  for (std::string& word : words) args.push_back(word.data());
  return ParseSimhostOptions(args, options, error);
}

TEST(SimhostOptionsTest, ReadsEveryOption) {
  SimhostOptions options;
  std::string error;
  ASSERT_TRUE(Parse({"--at",   "52.3,4.76", "--heading", "90",        "--altitude",   "12000",        "--speed", "180",
                     "--wind", "270/25",    "--magvar",  "-3.5",      "--traffic",    "12",           "--seed",  "7",
                     "--rate", "4",         "--xplane",  "--verbose", "--flightgear", "fg.local:5401"},
                    options, error))
      << error;
  EXPECT_EQ(options.model.latitude, 52.3);
  EXPECT_EQ(options.model.longitude, 4.76);
  EXPECT_EQ(options.model.headingDegTrue, 90);
  EXPECT_EQ(options.model.altitudeFt, 12000);
  EXPECT_EQ(options.model.airspeedKt, 180);
  EXPECT_EQ(options.model.windDirectionDegTrue, 270);
  EXPECT_EQ(options.model.windSpeedKt, 25);
  EXPECT_EQ(options.model.magneticVariationDeg, -3.5);
  EXPECT_EQ(options.model.trafficCount, 12);
  EXPECT_EQ(options.model.seed, 7u);
  EXPECT_EQ(options.timeFactor, 4);
  EXPECT_TRUE(options.model.xplane);
  EXPECT_TRUE(options.verbose);
  EXPECT_EQ(options.flightGearHost, "fg.local");
  EXPECT_EQ(options.flightGearPort, 5401);
}

TEST(SimhostOptionsTest, XPlaneUdpTakesAnAddressOnlyWhenOneFollows) {
  const struct {
    std::vector<std::string> words;
    std::string address;
  } cases[] = {
      {{"--xplane-udp", "192.168.1.20:49001", "--verbose"}, "192.168.1.20:49001"},
      {{"--xplane-udp", "--verbose"}, ""},
      {{"--verbose", "--xplane-udp"}, ""},
  };
  for (const auto& c : cases) {
    SimhostOptions options;
    std::string error;
    ASSERT_TRUE(Parse(c.words, options, error)) << error;
    EXPECT_TRUE(options.xplaneUdp);
    EXPECT_TRUE(options.model.xplane) << "the handshake answers as X-Plane";
    EXPECT_TRUE(options.verbose);
    EXPECT_EQ(options.xplaneAddress, c.address);
  }
}

TEST(SimhostOptionsTest, RefusesBadValues) {
  const std::vector<std::vector<std::string>> bad = {
      {"--at", "95,4"},
      {"--at", "52.3;4.7"},
      {"--heading"},
      {"--heading", "ninety"},
      {"--wind", "270"},
      {"--wind", "270/-5"},
      {"--traffic", "97"},
      {"--rate", "0"},
      {"--speed", "1,5"},
      {"--bogus", "1"},
      {"--flightgear", "localhost"},
      {"--flightgear", ":5401"},
      {"--flightgear", "fg:70000"},
  };
  for (const auto& words : bad) {
    SimhostOptions options;
    std::string error;
    EXPECT_FALSE(Parse(words, options, error)) << words[0];
    EXPECT_FALSE(error.empty());
  }
}

TEST(SimhostOptionsTest, AtIdentLooksTheAirportUpInTheDataFolder) {
  const test_support::ScratchFolder scratch;
  const std::filesystem::path& folder = scratch.path();
  {
    std::ofstream out(folder / "NAVapt.dat", std::ios::binary);
    out << "EDDF  50.033333   8.570556   364  FRANKFURT MAIN\r\n";
  }
  SimhostOptions options;
  std::string error;
  ASSERT_TRUE(Parse({"--data", folder.string(), "--at", "EDDF"}, options, error)) << error;
  EXPECT_DOUBLE_EQ(options.model.latitude, 50.033333);
  EXPECT_DOUBLE_EQ(options.model.longitude, 8.570556);
  EXPECT_FALSE(Parse({"--data", folder.string(), "--at", "LFPG"}, options, error));
  EXPECT_NE(error.find("not found"), std::string::npos) << error;
}

}  // namespace
}  // namespace corvane::simhost
