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
    }
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
