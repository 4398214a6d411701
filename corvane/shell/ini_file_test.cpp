// IniDocument: reading both line ends, names without case, keeping what it does not know, replacing files.
#include "ini_file.h"

#include <gtest/gtest.h>

#include "test_form.h"

namespace corvane::shell {
namespace {

TEST(IniDocument, ReadsValuesWithEitherLineEndAndAnyLetterCase) {
  const IniDocument document = IniDocument::Parse("[Form]\r\nTop = 12 \r\n[timer]\nThree=1000\nEmpty=\n");
  EXPECT_EQ(document.Get("Form", "Top"), "12");
  EXPECT_EQ(document.Get("FORM", "top"), "12");
  EXPECT_EQ(document.Get("Timer", "Three"), "1000");
  EXPECT_EQ(document.Get("Timer", "Empty"), "");
  EXPECT_EQ(document.Get("Timer", "One"), std::nullopt);
  EXPECT_EQ(document.Get("Missing", "Top"), std::nullopt);
}

TEST(IniDocument, SetKeepsUnknownKeysCommentsAndOrder) {
  IniDocument document = IniDocument::Parse("; kept\n[A]\nx=1\nextra=keep me\n\n[B]\ny=2\n");
  document.Set("a", "X", "10");
  document.Set("A", "z", "3");
  document.Set("C", "w", "4");
  EXPECT_EQ(document.Serialize(), "; kept\r\n[A]\r\nx=10\r\nextra=keep me\r\nz=3\r\n\r\n[B]\r\ny=2\r\n[C]\r\nw=4\r\n");
}

TEST(IniDocument, ValueKeepsEqualsSignsAndBackslashes) {
  const IniDocument document = IniDocument::Parse("[Dirs]\nOpen1=C:\\a=b\\\n");
  EXPECT_EQ(document.Get("Dirs", "Open1"), "C:\\a=b\\");
}

}  // namespace
}  // namespace corvane::shell
