// The compiler's settings file "TESSEL.INI": five lines, strings quoted, numbers plain.
#include "tessel/tessel_ini.h"

#include <array>
#include <charconv>
#include <fstream>
#include <optional>
#include <string_view>

#include "formats/atomic_file.h"
#include "formats/field_cut.h"

namespace tessel {
namespace {

using corvane::formats::TrimBlanks;

// The text between the line's first and last quote.
std::optional<std::string> QuotedValue(std::string_view line) {
  line = TrimBlanks(line);
  if (line.size() < 2 || line.front() != '"' || line.back() != '"') return std::nullopt;
  return std::string(line.substr(1, line.size() - 2));
}

std::optional<int> IntegerValue(std::string_view line) {
  line = TrimBlanks(line);
  int value = 0;
  const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value);
  if (error != std::errc() || end != line.data() + line.size()) return std::nullopt;
  return value;
}

}  // namespace

bool ReadTesselIni(const std::filesystem::path& file, TesselSettings& settings) {
  std::ifstream in(file, std::ios::binary);
  std::array<std::string, 5> lines;
  bool complete = static_cast<bool>(in);
  for (std::string& line : lines) {
    if (!complete || !std::getline(in, line)) {
      complete = false;
      break;
    }
  }
  std::optional<std::string> outputFolder, currentFolder, scanRoot;
  std::optional<int> top, left;
  if (complete) {
    outputFolder = QuotedValue(lines[0]);
    currentFolder = QuotedValue(lines[1]);
    top = IntegerValue(lines[2]);
    left = IntegerValue(lines[3]);
    scanRoot = QuotedValue(lines[4]);
  }
  if (!outputFolder || !currentFolder || !top || !left || !scanRoot) {
    settings.windowTopTwips = kDefaultWindowTopTwips;
    settings.windowLeftTwips = kDefaultWindowLeftTwips;
    return false;
  }
  settings.outputFolder = *outputFolder;
  settings.currentFolder = *currentFolder;
  settings.windowTopTwips = *top;
  settings.windowLeftTwips = *left;
  settings.scanRoot = *scanRoot;
  return true;
}

std::optional<std::string> WriteTesselIni(const std::filesystem::path& file, const TesselSettings& settings) {
  const std::string text = '"' + settings.outputFolder + "\"\r\n\"" + settings.currentFolder + "\"\r\n" +
                           std::to_string(settings.windowTopTwips) + "\r\n" + std::to_string(settings.windowLeftTwips) +
                           "\r\n\"" + settings.scanRoot + "\"\r\n";
  return corvane::formats::WriteFileAtomically(file, text);
}

}  // namespace tessel
