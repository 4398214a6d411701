// Test helpers: a scratch folder removed afterwards, an observer that records, file reading.
#include "tessel/testing/test_support.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tessel::testing {

ScratchFolder::ScratchFolder() {
  static std::atomic<unsigned> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  path_ = std::filesystem::temp_directory_path() /
          ("tessel_test_" + std::to_string(stamp) + "_" + std::to_string(counter++));
  std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
  std::error_code error;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, error);
  std::filesystem::remove_all(path_, error);
}

void RecordingObserver::OnStep(std::string_view message, TabList tab) {
  if (!message.empty()) steps.emplace_back(message);
  tabs.push_back(tab);
}

void RecordingObserver::OnProgress(std::size_t value, std::size_t maximum) {
  if (value > maximum) progressBeyondMaximum = true;
  lastProgressValue = value;
  lastProgressMaximum = maximum;
  ++progressCalls;
}

std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> ReadCrLfLines(const std::filesystem::path& path) {
  const std::string text = ReadWholeFile(path);
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start) + "<no CR LF>");
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

}  // namespace tessel::testing
