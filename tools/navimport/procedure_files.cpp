// Empty SID and STAR files, and the check that keeps a folder's own.
#include "tools/navimport/procedure_files.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "formats/text_lines.h"

namespace corvane::navimport {
namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

std::string EmptyProcedureFileText(std::string_view fileName) {
  const std::string what = fileName == kSidFile ? "Departure procedures (SIDs)" : "Arrival procedures (STARs)";
  std::string text;
  formats::AppendTextLine(text,
                          what + ": none, the source data holds no procedures. Add them below these three lines.");
  formats::AppendTextLine(text,
                          "Header: [ICAO in columns 2-5, name in 7-12, runway or transition in 14-19. Points: name in "
                          "15-19, latitude in 21-30, longitude in 32-42; an empty line ends a procedure.");
  formats::AppendTextLine(text, "");
  return text;
}

std::string ProcedureFileHeaderText(std::string_view fileName) {
  const std::string what = fileName == kSidFile ? "Departure procedures (SIDs)" : "Arrival procedures (STARs)";
  std::string text;
  formats::AppendTextLine(text, what + " from CIFP: one entry per runway and per transition; ACT them in turn.");
  formats::AppendTextLine(text,
                          "Header: [ICAO in columns 2-5, name in 7-12, runway or transition in 14-19. Points: leg "
                          "in 3-4, name in 15-19, latitude in 21-30, longitude in 32-42; an empty line ends one.");
  formats::AppendTextLine(text, "");
  return text;
}

bool HasFileIgnoringCase(const std::filesystem::path& folder, std::string_view fileName) {
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (SameIgnoringCase(it->path().filename().string(), fileName)) return true;
  }
  return false;
}

}  // namespace corvane::navimport
