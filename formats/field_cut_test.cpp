// Field cutting and number conversion, including a German locale that writes "," as the point.
#include "formats/field_cut.h"

#include <gtest/gtest.h>

#include <clocale>
#include <random>
#include <string>

namespace corvane::formats {
namespace {

TEST(FieldCut, CutsOneBasedInclusiveColumns) {
  const std::string_view line = "EDDF  50.033333   8.570556   364  FRANKFURT MAIN";
  EXPECT_EQ(CutField(line, {1, 4}), "EDDF");
  EXPECT_EQ(CutField(line, {6, 15}), " 50.033333");
  EXPECT_EQ(CutField(line, {16, 26}), "   8.570556");
  EXPECT_EQ(CutField(line, {35, kToLineEnd}), "FRANKFURT MAIN");
  EXPECT_EQ(TrimmedField(line, {28, 32}), "364");
  // Shorter lines give what is there, possibly nothing.
  EXPECT_EQ(CutField("EDDF  50.0", {6, 15}), " 50.0");
  EXPECT_EQ(CutField("EDDF", {6, 15}), "");
  EXPECT_EQ(CutField("", {1, 4}), "");
  EXPECT_EQ(CutField("ABCDE", {5, 9}), "E");
  EXPECT_EQ(CutField("ABCDE", {6, 9}), "");
  EXPECT_EQ(TrimmedField("  \t  ", {1, 5}), "");
}

TEST(FieldCut, CommaFields) {
  const std::string_view line = "A,UL607 X,3,RESIA,46.7,10.5,H";
  EXPECT_EQ(CommaField(line, 1), "A");
  EXPECT_EQ(CommaField(line, 2), "UL607 X");
  EXPECT_EQ(CommaField(line, 4), "RESIA");
  EXPECT_EQ(CommaField(line, 7), "H");
  EXPECT_EQ(CommaField(line, 8), "");
  EXPECT_EQ(CommaField("a,,b", 2), "");
  EXPECT_EQ(CommaField("a,,b", 3), "b");
}

TEST(FieldCut, ParsesNumbers) {
  const std::pair<const char*, double> doubles[] = {
      {" 52.300000", 52.3}, {"  -0.250000", -0.25}, {"-.5", -0.5},     {"+12.5", 12.5},
      {"180", 180.0},       {"1e-7", 1e-7},         {"\t7.25 ", 7.25},
  };
  for (const auto& [text, value] : doubles) {
    EXPECT_DOUBLE_EQ(ParseDouble(text), value) << text;
  }
  EXPECT_FLOAT_EQ(ParseFloat("  -4.100000"), -4.1f);
  EXPECT_EQ(ParseInt("  364"), 364);
  EXPECT_EQ(ParseInt("-13"), -13);
  EXPECT_EQ(ParseInt("+7"), 7);
}

TEST(FieldCut, RefusesWhatIsNotANumber) {
  const char* bad[] = {"",    "   ", "12,5", "1.2.3", "abc", "12abc", "--1",
                       "+-1", "++1", "+",    "nan",   "inf", "0x10",  "1 2"};
  for (const char* text : bad) {
    EXPECT_THROW(ParseDouble(text), ConversionError) << text;
    EXPECT_THROW(ParseFloat(text), ConversionError) << text;
    EXPECT_THROW(ParseInt(text), ConversionError) << text;
  }
  EXPECT_THROW(ParseInt("12.5"), ConversionError);
  EXPECT_THROW(ParseInt("99999999999"), ConversionError);
  EXPECT_THROW(ParseFloat("1e60"), ConversionError);
}

TEST(FieldCut, ErrorCarriesTheFailedText) {
  try {
    ParseDouble("  12,5 ");
    FAIL() << "no error";
  } catch (const ConversionError& error) {
    EXPECT_EQ(error.failedText(), "12,5");
    EXPECT_STREQ(error.what(), "'12,5' is not a valid floating point value");
    const std::runtime_error& base = error;
    EXPECT_NE(std::string(base.what()).find("12,5"), std::string::npos);
  }
}

// Damaged lines of any length, cut anywhere: either a number or a ConversionError, nothing else.
TEST(FieldCut, RandomLinesNeverGoWrong) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<std::size_t> length(0, 60);
  const char alphabet[] = "0123456789.-+e ,";
  for (int i = 0; i < 20000; ++i) {
    std::string line(length(random), ' ');
    for (char& c : line) {
      c = byte(random) < 200 ? alphabet[static_cast<std::size_t>(byte(random)) % 16] : static_cast<char>(byte(random));
    }
    const std::size_t first = length(random) + 1;
    const Column column{first, first + length(random)};
    const std::string_view field = CutField(line, column);
    ASSERT_LE(field.size(), column.width());
    ASSERT_TRUE(field.empty() ||
                (field.data() >= line.data() && field.data() + field.size() <= line.data() + line.size()));
    try {
      (void)ParseDouble(field);
      (void)ParseFloat(field);
      (void)ParseInt(field);
    } catch (const ConversionError&) {
    }
    (void)CommaField(line, first % 8);
  }
}

TEST(FieldCut, PointWhateverTheLocale) {
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
  }
  EXPECT_DOUBLE_EQ(ParseDouble(" 50.033333"), 50.033333);
  EXPECT_THROW(ParseDouble("50,033333"), ConversionError);
  EXPECT_FLOAT_EQ(ParseFloat("-4.5"), -4.5f);
  std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace corvane::formats
