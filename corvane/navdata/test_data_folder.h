// A temporary data folder for the loader tests, removed again at the end of the test.
#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace corvane::navdata::testing {

class TestDataFolder {
 public:
  TestDataFolder() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("corvane_navdata_" + std::to_string(std::random_device{}()) + "_" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TestDataFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TestDataFolder(const TestDataFolder&) = delete;
  TestDataFolder& operator=(const TestDataFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

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
    std::ofstream out(path_ / std::string(fileName), std::ios::binary);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
  }

 private:
  std::filesystem::path path_;
};

}  // namespace corvane::navdata::testing
