// Test helpers: an observer that records, file reading.
#include "tessel/testing/test_support.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tessel::testing {

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
