// The window programs' command line: what each option sets and what makes the usage text show.
#include "corvane/shell/window_command_line.h"

#include <gtest/gtest.h>

namespace corvane::shell {
namespace {

TEST(WindowCommandLine, OptionsAndRefusals) {
  const auto line = ParseWindowCommandLine({"--data", "data/demo", "--ini", "a b.INI", "--sim", "builtin", "--fly",
                                            "p.nav", "--airport", "EHAM", "--screenshot", "s.png", "--after", "2.5"});
  ASSERT_TRUE(line);
  EXPECT_EQ(line->dataFolder, "data/demo");
  EXPECT_EQ(line->settingsPath, "a b.INI");
  EXPECT_EQ(line->simulator, "builtin");
  EXPECT_EQ(line->flyPlanPath, "p.nav");
  EXPECT_EQ(line->airport, "EHAM");
  EXPECT_EQ(line->screenshotPath, "s.png");
  EXPECT_EQ(line->screenshotAfterSeconds, 2.5);
  EXPECT_EQ(ParseWindowCommandLine({})->simulator, "simhost");

  const std::vector<std::vector<std::string>> refused = {
      {"--data"},         {"--bogus", "x"},   {"data/demo"},     {"--after", "soon"}, {"--after", "-1"},
      {"--after", "nan"}, {"--after", "1e9"}, {"--after", "3x"}, {"--after", ""},
  };
  for (const auto& arguments : refused) EXPECT_FALSE(ParseWindowCommandLine(arguments)) << arguments[0];
}

}  // namespace
}  // namespace corvane::shell
