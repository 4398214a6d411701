// The list box store: every line back by index and in order, whether or not it repeats the one before.
#include "tessel/line_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessel {
namespace {

TEST(LineList, GivesBackEveryLineByIndexAndInOrder) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {""},
      {"", "", "a"},
      {"110  ", "110  ", "110  ", "111  1", "110  ", "110  "},
      {"KSEA", "ksea", "KSEA", "KSEA"},
      {"a", "ab", "abc", "ab", "a", ""},
  };
  for (const auto& lines : cases) {
    LineList list;
    for (const std::string& line : lines) list.push_back(line);
    EXPECT_EQ(list.size(), lines.size());
    EXPECT_EQ(list.empty(), lines.empty());
    EXPECT_EQ(list, lines);
    std::vector<std::string> walked;
    for (const std::string_view line : list) walked.emplace_back(line);
    EXPECT_EQ(walked, lines);
    if (!lines.empty()) {
      EXPECT_EQ(list.back(), lines.back());
    }
    // Split anywhere and joined again, the lists give the same lines.
    for (std::size_t split = 0; split <= lines.size(); ++split) {
      LineList head, tail;
      for (std::size_t i = 0; i < lines.size(); ++i) (i < split ? head : tail).push_back(lines[i]);
      head.Append(tail);
      EXPECT_EQ(head, lines) << "split at " << split;
    }
  }
}

TEST(LineList, RepeatedLinesCountAsSingleOnes) {
  LineList list;
  list.PushRepeated("110  ", 3);
  list.PushRepeated("skipped", 0);
  list.push_back("110  ");
  list.PushRepeated("111", 2);
  EXPECT_EQ(list, (std::vector<std::string>{"110  ", "110  ", "110  ", "110  ", "111", "111"}));
  list.ClearKeepingMemory();
  EXPECT_TRUE(list.empty());
  list.PushRepeated("111", 1);
  EXPECT_EQ(list, std::vector<std::string>{"111"});
}

TEST(LineList, ClearEmptiesForTheNextRun) {
  LineList list;
  for (int i = 0; i < 1000; ++i) list.push_back(i % 3 == 0 ? "110  " : std::to_string(i));
  EXPECT_EQ(list.size(), 1000u);
  EXPECT_EQ(list[999], "110  ");
  EXPECT_EQ(list[998], "998");
  list.clear();
  EXPECT_TRUE(list.empty());
  list.push_back("new");
  EXPECT_EQ(list, std::vector<std::string>{"new"});
}

}  // namespace
}  // namespace tessel
