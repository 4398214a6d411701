// corvane-cli export: a plan file written as an AceXML PLN, an X-Plane FMS or an IvAp flight plan, by
// the writers of the plan panel's Export and IVAO buttons.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "corvane/cli/cli_exchange.h"
#include "corvane/exchange/export_file.h"
#include "corvane/exchange/ivap_flight_plan.h"
#include "corvane/plan/plan_files.h"
#include "corvane/plan/plan_listing.h"
#include "corvane/shell/ini_file.h"
#include "corvane/shell/settings_file.h"

namespace corvane::cli {
namespace {

constexpr const char* kUsage =
    "usage: corvane-cli export --data DIR --format pln|fms|fms11|ivap [--source fs|xplane] [--ini FILE]\n"
    "                          [--template FILE] PLAN.nav OUT\n"
    "  fms is X-Plane's version 3, fms11 the version 11 that X-Plane 11 and 12 write\n"
    "  ivap fills the template (OUT itself when none is given) with the plan's route and level\n"
    "  the airways of fms11 and ivap come from the data family of --source, else of the settings file\n";

struct ExportRequest {
  std::filesystem::path dataFolder;
  std::string format;
  std::filesystem::path templatePath;
  std::optional<navdata::DatabaseSource> source;
  std::filesystem::path settingsPath;
  std::filesystem::path planPath;
  std::filesystem::path outputPath;
};

std::optional<ExportRequest> ParseRequest(std::span<char* const> args) {
  ExportRequest request;
  int files = 0;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--data" && hasValue) {
      request.dataFolder = args[++i];
    } else if (arg == "--format" && hasValue) {
      request.format = args[++i];
    } else if (arg == "--template" && hasValue) {
      request.templatePath = args[++i];
    } else if (arg == "--source" && hasValue) {
      const std::string_view source = args[++i];
      if (source != "fs" && source != "xplane") return std::nullopt;
      request.source = source == "fs" ? navdata::DatabaseSource::kFs : navdata::DatabaseSource::kXPlane;
    } else if (arg == "--ini" && hasValue) {
      request.settingsPath = args[++i];
    } else if (arg.starts_with("--") || files == 2) {
      return std::nullopt;
    } else {
      (files++ == 0 ? request.planPath : request.outputPath) = arg;
    }
  }
  const bool knownFormat =
      request.format == "pln" || request.format == "fms" || request.format == "fms11" || request.format == "ivap";
  if (files != 2 || request.dataFolder.empty() || !knownFormat) return std::nullopt;
  if (!request.templatePath.empty() && request.format != "ivap") return std::nullopt;
  if (request.templatePath.empty()) request.templatePath = request.outputPath;
  return request;
}

// The family the window would load: its settings file's SIM choice (X-Plane when the file has none).
navdata::DatabaseSource SourceOf(const ExportRequest& request) {
  if (request.source) return *request.source;
  std::error_code error;
  const std::filesystem::path settings =
      !request.settingsPath.empty() ? request.settingsPath
                                    : shell::SettingsPathFor(std::filesystem::read_symlink("/proc/self/exe", error));
  const std::optional<std::string> fs = shell::IniDocument::Load(settings).Get("SIM", "FS");
  return fs && *fs == "1" ? navdata::DatabaseSource::kFs : navdata::DatabaseSource::kXPlane;
}

int Fail(const std::string& why) {
  std::fprintf(stderr, "corvane-cli export: %s\n", why.c_str());
  return 1;
}

}  // namespace

int RunExportCommand(std::span<char* const> args) {
  const std::optional<ExportRequest> request = ParseRequest(args);
  if (!request) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  auto plan = std::make_unique<plan::FlightPlan>();
  try {
    const std::vector<std::string> lines = plan::LoadPlanFile(request->planPath);
    if (lines.empty()) return Fail(request->planPath.string() + ": no plan lines");
    if (const auto error = plan::ParsePlanText(lines, *plan)) {
      return Fail(request->planPath.string() + ": " + error->Message());
    }
  } catch (const std::exception& error) {
    return Fail(error.what());
  }

  if (request->format == "pln" || request->format == "fms") {
    const exchange::ExportFormat format =
        request->format == "pln" ? exchange::ExportFormat::kPln : exchange::ExportFormat::kFms;
    if (const auto error = exchange::SaveExportLines(request->outputPath, exchange::ExportLines(*plan, format, {}))) {
      return Fail(*error);
    }
    return 0;
  }
  // The airways of the route come from the data folder, in the family the window would load.
  const auto database = LoadDatabaseReporting(request->dataFolder, SourceOf(*request), "export");
  if (request->format == "fms11") {
    const auto lines = exchange::ExportLines(*plan, exchange::ExportFormat::kFms11, database->airwaySegments);
    if (const auto error = exchange::SaveExportLines(request->outputPath, lines)) return Fail(*error);
    return 0;
  }
  const exchange::IvapOutcome outcome =
      exchange::WriteIvapFlightPlan(*plan, database->airwaySegments, request->templatePath, request->outputPath);
  std::printf("IvAp Route: %s\n", outcome.route.c_str());
  if (outcome.error) return Fail(*outcome.error);
  if (outcome.note) std::fprintf(stderr, "corvane-cli export: %s\n", outcome.note->c_str());
  return 0;
}

}  // namespace corvane::cli
