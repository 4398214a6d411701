// Sorting into buckets, the case-insensitive order, de-duplication and rows without a bucket.
#include "tessel/row_sort.h"

#include <gtest/gtest.h>

#include "tessel/testing/test_support.h"
#include "tessel/text_compare.h"

namespace tessel {
namespace {
using namespace tessel::testing;
using Lines = std::vector<std::string>;

TEST(RowSort, BucketsOfTheFirstCharacter) {
  struct Case {
    const char* row;
    int bucket;
  };
  const Case cases[] = {{"0ABC", 0}, {"9", 9},   {"A", 10}, {"KSEA", 20}, {"Z", 35},
                        {"a", -1},   {" X", -1}, {"", -1},  {"_", -1},    {"/", -1}};
  for (const Case& c : cases) EXPECT_EQ(RowBucket(c.row), c.bucket) << c.row;
}

TEST(RowSort, CaseInsensitiveOrderKeepsEqualRowsTogether) {
  EXPECT_LT(CompareCaseInsensitive("abc", "ABD"), 0);
  EXPECT_EQ(CompareCaseInsensitive("Abc", "aBC"), 0);
  EXPECT_LT(CompareCaseInsensitive("AB", "ABC"), 0);
  EXPECT_LT(CompareCaseInsensitive("A_", "AA"), 0);  // "_" before letters, as small letters compare
  EXPECT_TRUE(RowLess("ABC", "abc"));
  EXPECT_FALSE(RowLess("abc", "ABC"));
}

class SortAndWriteTest : public ::testing::Test {
 protected:
  Lines SortRows(const Lines& rows) {
    listBox.clear();
    EXPECT_TRUE(SortAndWrite(rows, scratch / "FSXARP.dat", listBox, observer));
    const Lines written = ReadCrLfLines(scratch / "FSXARP.dat");
    EXPECT_EQ(listBox, written);
    return written;
  }
  ScratchFolder scratch;
  RecordingObserver observer;
  LineList listBox;
};

TEST_F(SortAndWriteTest, BucketsInOrderRowsCaseInsensitiveAndIdenticalRowsOnce) {
  const Lines rows = {"KSEA  Seattle", "EGLL  London", "1ABC  One",     "Kaaa  lower", "KABC  Upper",  "EGLL  London",
                      "KSEA  seattle", "0XYZ  Zero",   "KSEA  Seattle", "Zulu",        "KSEA  SEATTLE"};
  const Lines expected = {"0XYZ  Zero",    "1ABC  One",     "EGLL  London",  "Kaaa  lower", "KABC  Upper",
                          "KSEA  SEATTLE", "KSEA  Seattle", "KSEA  seattle", "Zulu"};
  EXPECT_EQ(SortRows(rows), expected);
  EXPECT_TRUE(observer.problems.empty());
  EXPECT_EQ(observer.bucketWarning, "");
  EXPECT_FALSE(observer.progressBeyondMaximum);
}

TEST_F(SortAndWriteTest, RowsWithoutBucketAreReportedAndLeftOut) {
  const Lines rows = {"KSEA", " XYZ", "abc", "EGLL"};
  EXPECT_EQ(SortRows(rows), (Lines{"EGLL", "KSEA"}));
  ASSERT_EQ(observer.problems.size(), 2u);
  EXPECT_NE(observer.problems[0].find("\" XYZ\""), std::string::npos);
  EXPECT_NE(observer.problems[1].find("\"abc\""), std::string::npos);
}

TEST_F(SortAndWriteTest, BucketBeyond32700RowsShowsTheWarning) {
  Lines rows;
  for (int i = 0; i < 32702; ++i) rows.push_back("K" + std::to_string(i));
  rows.push_back("A1");
  EXPECT_EQ(SortRows(rows).size(), rows.size());
  EXPECT_EQ(observer.bucketWarning, "Warning  32702 @ 20");
  EXPECT_EQ(BucketWarningText(32701, 10), "Warning  32701 @ 10");
}

TEST_F(SortAndWriteTest, FileThatCannotBeWrittenIsReported) {
  EXPECT_FALSE(SortAndWrite({"KSEA"}, scratch / "no" / "FSXARP.dat", listBox, observer));
  ASSERT_EQ(observer.problems.size(), 1u);
  EXPECT_NE(observer.problems[0].find("Cannot write"), std::string::npos);
}

TEST(RowSort, LargeListsMatchAPlainSort) {
  Lines rows;
  unsigned state = 12345;
  for (int i = 0; i < 20000; ++i) {
    state = state * 1103515245u + 12345u;
    std::string row = "K";
    for (int c = 0; c < 6; ++c) row.push_back("AaBbZz09 _"[(state >> (3 * c + 4)) % 10]);
    rows.push_back(row);
  }
  const std::vector<std::size_t> order = SortedRowOrder(rows);
  Lines sorted;
  for (std::size_t index : order) sorted.push_back(rows[index]);
  Lines expected = rows;
  std::sort(expected.begin(), expected.end(), [](const std::string& a, const std::string& b) { return RowLess(a, b); });
  EXPECT_EQ(sorted, expected);
}

}  // namespace
}  // namespace tessel
