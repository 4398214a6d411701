// Airport lookup for the stand-in's start position: a plain scan of the airport rows.
#include "standin/airport_lookup.h"

#include <cctype>
#include <charconv>
#include <fstream>

#include "formats/field_cut.h"

namespace corvane::standin {
namespace {

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

std::optional<double> ParseColumns(std::string_view line, std::size_t first, std::size_t last) {
  if (line.size() < first) return std::nullopt;
  const std::string_view field = formats::TrimBlanks(line.substr(first - 1, last - first + 1));
  double value = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (error != std::errc() || end != field.data() + field.size() || field.empty()) return std::nullopt;
  return value;
}

std::optional<std::filesystem::path> FindFileNoCase(const std::filesystem::path& folder, std::string_view name) {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (EqualNoCase(entry.path().filename().string(), name)) return entry.path();
  }
  return std::nullopt;
}

}  // namespace

std::optional<AirportPosition> FindAirport(const std::filesystem::path& dataFolder, std::string_view ident,
                                           std::string& error) {
  const std::string_view wanted = formats::TrimBlanks(ident);
  if (wanted.empty() || wanted.size() > 4) {
    error = "airport ident must be 1 to 4 characters: '" + std::string(ident) + "'";
    return std::nullopt;
  }
  std::optional<std::filesystem::path> file = FindFileNoCase(dataFolder, "NAVapt.dat");
  if (!file) file = FindFileNoCase(dataFolder, "fsxarp.dat");
  if (!file) {
    error = "no NAVapt.dat or fsxarp.dat in " + dataFolder.string();
    return std::nullopt;
  }
  std::ifstream in(*file, std::ios::binary);
  std::string line;
  int lineNumber = 0;
  std::string badRow;
  while (std::getline(in, line)) {
    ++lineNumber;
    if (line.empty() || line[0] == ';' || line.size() < 4) continue;
    if (!EqualNoCase(formats::TrimBlanks(std::string_view(line).substr(0, 4)), wanted)) continue;
    const auto latitude = ParseColumns(line, 6, 15);
    const auto longitude = ParseColumns(line, 16, 26);
    if (!latitude || !longitude || *latitude < -90 || *latitude > 90 || *longitude < -180 || *longitude > 180) {
      if (badRow.empty())
        badRow = file->string() + ":" + std::to_string(lineNumber) + ": bad position for " + std::string(wanted);
      continue;
    }
    return AirportPosition{*latitude, *longitude};
  }
  error = !badRow.empty() ? badRow : "airport " + std::string(wanted) + " not found in " + file->string();
  return std::nullopt;
}

}  // namespace corvane::standin
