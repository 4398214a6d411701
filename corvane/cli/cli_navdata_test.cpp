// corvane-cli load and search over a small data folder: the exact lines a script reads.
#include <gtest/gtest.h>

#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "corvane/cli/cli_navdata.h"
#include "corvane/navdata/test_data_folder.h"
#include "corvane/navdata/test_rows.h"

namespace corvane::cli {
namespace {

using navdata::testing::BeaconLine;
using navdata::testing::FixLine;
using navdata::testing::TestDataFolder;

struct CommandOutput {
  int exitCode = 0;
  std::string text;
};

CommandOutput RunCommand(int (*command)(std::span<char* const>), std::vector<std::string> words) {
  std::vector<char*> args;
  for (std::string& word : words) args.push_back(word.data());
  ::testing::internal::CaptureStdout();
  CommandOutput output;
  output.exitCode = command(std::span<char* const>(args.data(), args.size()));
  std::fflush(stdout);
  output.text = ::testing::internal::GetCapturedStdout();
  return output;
}

TEST(CliNavData, LoadPrintsOneLinePerTableThenEachProblemThenTheTime) {
  TestDataFolder folder;
  folder.Write("NAVvor.dat", {BeaconLine("SPY", "52.540000", "4.853333", "113.30")});
  folder.Write("NAVwpt.dat", {FixLine("ARTIP", "52.5", "5.5"), FixLine("ZERO", "0.0", "0.0"), "BAD"});
  const CommandOutput output = RunCommand(RunLoadCommand, {"--data", folder.path().string()});
  EXPECT_EQ(output.exitCode, 1);  // problems were reported
  const std::string expectedStart =
      "AirportTable 0 loaded 0 dropped\n"
      "RunwayEndTable 0 loaded 0 dropped\n"
      "HeliportTable 0 loaded 0 dropped\n"
      "BeaconTable 1 loaded 0 dropped\n"
      "FixTable 1 loaded 2 dropped\n"
      "AirwaySegmentTable 0 loaded 0 dropped\n"
      "GeoSegmentTable 0 loaded 0 dropped\n"
      "NAVwpt.dat line 3: line too short: latitude (columns 6-15) missing\n"
      "NAVndb.dat: file not found in " +
      folder.path().string() + "\n";
  EXPECT_EQ(output.text.substr(0, expectedStart.size()), expectedStart);
  EXPECT_NE(output.text.find("\nload_ms "), std::string::npos);
}

TEST(CliNavData, SearchPrintsTheListLinesForTheUpperCasedQuery) {
  TestDataFolder folder;
  folder.Write("NAVvor.dat", {BeaconLine("SPY", "52.540000", "4.853333", "113.30")});
  folder.Write("NAVwpt.dat", {FixLine("SPOTS", "52.0", "5.0")});
  const CommandOutput output =
      RunCommand(RunSearchCommand, {"--data", folder.path().string(), "--center", "52.0,5.0", "sp"});
  EXPECT_EQ(output.exitCode, 0);
  EXPECT_EQ(output.text,
            "Name    Lat                  Lon                   Dist\n"
            "  SPY   52.54000092   4.85333300      33\n"
            "SPOTS    52.00000000   5.00000000       0\n"
            " \n");
  // One letter is not searched, as in the search box.
  EXPECT_EQ(RunCommand(RunSearchCommand, {"--data", folder.path().string(), "s"}).text, "");
}

}  // namespace
}  // namespace corvane::cli
