// Line reading with either line end, and CR LF writing.
#include "formats/text_lines.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "formats/native_file.h"
#include "testing/scratch_folder.h"

namespace corvane::formats {
namespace {

TEST(TextLines, SplitsAtEitherLineEnd) {
  const struct {
    const char* text;
    std::vector<std::string> lines;
  } cases[] = {
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb\n", {"a", "b"}},
      {"a\r\nb", {"a", "b"}},
      {"a\n\r\n\nb", {"a", "", "", "b"}},
      {"", {}},
      {"\r\n", {""}},
      {"a\rb\r\n", {"a\rb"}},
      {"a\r\r\n", {"a\r"}},
      {"\xe9t\xe9\n", {"\xe9t\xe9"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SplitTextLines(c.text), c.lines) << testing::PrintToString(std::string(c.text));
    const TextFile file{std::string(c.text)};
    ASSERT_EQ(file.size(), c.lines.size());
    for (std::size_t i = 0; i < file.size(); ++i) {
      EXPECT_EQ(file[i], c.lines[i]);
    }
  }
}

TEST(TextLines, ReadsAFile) {
  const test_support::ScratchFolder folder;
  const auto path = folder / "lines.dat";
  std::ofstream(path, std::ios::binary) << "one\r\ntwo\nthree";
  EXPECT_EQ(ReadTextLines(path), (std::vector<std::string>{"one", "two", "three"}));
  const TextFile file(path);
  EXPECT_EQ(file.size(), 3u);
  EXPECT_EQ(file[2], "three");
}

TEST(TextLines, MissingFileNamesThePath) {
  const test_support::ScratchFolder folder;
  const auto path = folder / "corvane_no_such_file.dat";
  try {
    ReadTextLines(path);
    FAIL() << "no error";
  } catch (const TextFileError& error) {
    EXPECT_EQ(error.path(), path);
    EXPECT_NE(std::string(error.what()).find("corvane_no_such_file.dat"), std::string::npos);
  }
  EXPECT_THROW(TextFile{folder.path()}, TextFileError);
}

TEST(TextLines, WritesCrLf) {
  std::ostringstream stream;
  EXPECT_TRUE(WriteTextLine(stream, "EDDF"));
  EXPECT_TRUE(WriteTextLine(stream, ""));
  EXPECT_EQ(stream.str(), "EDDF\r\n\r\n");

  std::string text;
  AppendTextLine(text, "a");
  AppendTextLine(text, "b");
  EXPECT_EQ(text, "a\r\nb\r\n");

  const test_support::ScratchFolder folder;
  const auto path = folder / "written.dat";
  std::FILE* file = OpenFileStream(path, "wb");
  ASSERT_NE(file, nullptr);
  EXPECT_TRUE(WriteTextLine(file, "x y"));
  std::fclose(file);
  EXPECT_EQ(ReadTextLines(path), std::vector<std::string>{"x y"});
  std::ifstream in(path, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "x y\r\n");
}

}  // namespace
}  // namespace corvane::formats
