// The batch command line.
#include "tessel/batch_options.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

TEST(BatchOptions, ScanOutAndOnly) {
  BatchOptions options;
  std::string error;
  ASSERT_TRUE(ParseBatchOptions({"--scan", "/s", "--out", "/o", "--only", "ARP,ILS"}, "/d", options, error));
  EXPECT_EQ(options.scanRoot, "/s");
  EXPECT_EQ(options.outputFolder, "/o");
  EXPECT_TRUE(options.kinds.airports);
  EXPECT_TRUE(options.kinds.ilss);
  EXPECT_FALSE(options.kinds.runways || options.kinds.vors || options.kinds.ndbs || options.kinds.heliports ||
               options.kinds.airportView);

  ASSERT_TRUE(ParseBatchOptions({"--scan", "/s"}, "/d", options, error));
  EXPECT_EQ(options.outputFolder, "/d");
  EXPECT_TRUE(options.kinds.airports && options.kinds.runways && options.kinds.vors && options.kinds.ndbs &&
              options.kinds.heliports && options.kinds.ilss && options.kinds.airportView);
}

TEST(BatchOptions, MistakesAreNamed) {
  struct Case {
    std::vector<std::string> arguments;
    const char* errorPart;
  };
  const Case cases[] = {
      {{}, "--scan ROOT is required"},
      {{"--out", "/o"}, "--scan ROOT is required"},
      {{"--scan"}, "--scan needs a value"},
      {{"--scan", "/s", "--only", "ARP,XYZ"}, "unknown kind \"XYZ\""},
      {{"--scan", "/s", "--only", ""}, "unknown kind \"\""},
      {{"--scan", "/s", "extra"}, "unknown argument \"extra\""},
  };
  for (const Case& c : cases) {
    BatchOptions options;
    std::string error;
    EXPECT_FALSE(ParseBatchOptions(c.arguments, "/d", options, error));
    EXPECT_NE(error.find(c.errorPart), std::string::npos) << error;
  }
}

}  // namespace
}  // namespace tessel
