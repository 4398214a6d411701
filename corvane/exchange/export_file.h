// The export formats side by side: the text of each, its save dialog's filter and extension, and
// saving the text without leaving a half-written file behind.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/navdata/nav_tables.h"
#include "corvane/plan/flight_plan.h"

namespace corvane::exchange {

enum class ExportFormat { kPln, kFms, kFms11 };

struct ExportFileKind {
  std::string_view filter;
  std::string_view defaultExtension;
};

// AceXML for Microsoft Flight Simulator data, FMS for X-Plane data.
ExportFormat ExportFormatFor(bool flightSimulatorData);
ExportFileKind FileKindOf(ExportFormat format);
// The airways name the legs of an FMS version 11 file.
std::vector<std::string> ExportLines(const plan::FlightPlan& plan, ExportFormat format,
                                     const navdata::AirwaySegmentTable& airways);

// Writes the lines with CR LF through a temporary file and a rename; on failure the text that names
// the file and the reason, and the file as it was before.
std::optional<std::string> SaveExportLines(const std::filesystem::path& path, std::span<const std::string> lines);

}  // namespace corvane::exchange
