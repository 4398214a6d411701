// A temporary data folder for the loader tests, removed again at the end of the test.
#pragma once

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "testing/scratch_folder.h"

namespace corvane::navdata::testing {

class TestDataFolder {
 public:
  const std::filesystem::path& path() const { return folder_.path(); }
  bool IgnoresCase() const { return folder_.IgnoresCase(); }

  // Writes the lines, each ended by CR LF, as the data files are.
  void Write(std::string_view fileName, std::initializer_list<std::string_view> lines) const {
    WriteLines(fileName, std::vector<std::string_view>(lines));
  }
  void WriteLines(std::string_view fileName, const std::vector<std::string_view>& lines) const {
    std::string text;
    for (std::string_view line : lines) {
      text.append(line);
      text.append("\r\n");
    }
    WriteRaw(fileName, text);
  }
  void WriteRaw(std::string_view fileName, std::string_view text) const {
    std::ofstream out(path() / std::string(fileName), std::ios::binary);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
  }

 private:
  corvane::test_support::ScratchFolder folder_;
};

}  // namespace corvane::navdata::testing
