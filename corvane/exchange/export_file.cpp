// Choosing the export format and saving its text.
#include "corvane/exchange/export_file.h"

#include "corvane/exchange/fms_writer.h"
#include "corvane/exchange/pln_writer.h"
#include "corvane/plan/plan_files.h"

namespace corvane::exchange {

ExportFormat ExportFormatFor(bool flightSimulatorData) {
  return flightSimulatorData ? ExportFormat::kPln : ExportFormat::kFms;
}

ExportFileKind FileKindOf(ExportFormat format) {
  if (format == ExportFormat::kPln) return {kPlnFileFilter, kPlnFileExtension};
  return {kFmsFileFilter, kFmsFileExtension};
}

std::vector<std::string> ExportLines(const plan::FlightPlan& plan, ExportFormat format,
                                     const navdata::AirwaySegmentTable& airways) {
  switch (format) {
    case ExportFormat::kPln: return PlnLines(plan);
    case ExportFormat::kFms11: return Fms11Lines(plan, airways);
    case ExportFormat::kFms: break;
  }
  return FmsLines(plan);
}

std::optional<std::string> SaveExportLines(const std::filesystem::path& path, std::span<const std::string> lines) {
  try {
    plan::SavePlanFile(path, lines);
  } catch (const plan::PlanFileWriteError& error) {
    return std::string(error.what());
  }
  return std::nullopt;
}

}  // namespace corvane::exchange
