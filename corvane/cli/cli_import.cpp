// corvane-cli import: a route string turned into a plan on a data folder, as the plan panel's Import
// button does; prints the log of the legs and the plan's listing, and can save the listing as a plan file.
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/cli/cli_exchange.h"
#include "corvane/exchange/plan_file_import.h"
#include "corvane/navdata/nav_database_load.h"
#include "corvane/plan/plan_files.h"
#include "corvane/plan/plan_listing.h"
#include "corvane/plan/route_import.h"

namespace corvane::cli {
namespace {

constexpr const char* kUsage =
    "usage: corvane-cli import --data DIR [--source fs|xplane] [--cruise FT] [--speed KT] [--save PLAN.nav] "
    "ROUTE...\n"
    "       corvane-cli import --data DIR [--source fs|xplane] [--speed KT] [--save PLAN.nav] --file PLAN\n"
    "  PLAN is a PLN (FSX, P3D, MSFS), an X-Plane FMS (version 3 or 11) or a plan file of our own\n";

struct ImportRequest {
  std::string dataFolder;
  navdata::DatabaseSource source = navdata::DatabaseSource::kXPlane;
  // The cruise fields' starting values in the window.
  std::string cruiseFt = "33000";
  std::string speedKt = "320";
  std::string savePath;  // where the listing of an imported route goes, as the panel's SAVE writes it
  std::string route;     // the words joined by blanks
  std::string filePath;  // a plan file to read instead of a route
};

std::optional<ImportRequest> ParseRequest(std::span<char* const> args) {
  ImportRequest request;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--data" && hasValue) {
      request.dataFolder = args[++i];
    } else if (arg == "--source" && hasValue) {
      const std::string_view source = args[++i];
      if (source != "fs" && source != "xplane") return std::nullopt;
      request.source = source == "fs" ? navdata::DatabaseSource::kFs : navdata::DatabaseSource::kXPlane;
    } else if (arg == "--cruise" && hasValue) {
      request.cruiseFt = args[++i];
    } else if (arg == "--speed" && hasValue) {
      request.speedKt = args[++i];
    } else if (arg == "--save" && hasValue) {
      request.savePath = args[++i];
    } else if (arg == "--file" && hasValue) {
      request.filePath = args[++i];
    } else if (arg.starts_with("--")) {
      return std::nullopt;
    } else {
      if (!request.route.empty()) request.route += ' ';
      request.route += arg;
    }
  }
  if (request.dataFolder.empty() || request.route.empty() == request.filePath.empty()) return std::nullopt;
  return request;
}

int PrintAndSave(const ImportRequest& request, const std::vector<std::string>& listing) {
  for (const std::string& line : listing) std::printf("%s\n", line.c_str());
  if (request.savePath.empty()) return 0;
  try {
    plan::SavePlanFile(request.savePath, listing);
  } catch (const plan::PlanFileWriteError& error) {
    std::fprintf(stderr, "corvane-cli import: %s\n", error.what());
    return 1;
  }
  return 0;
}

// A plan file read as LOAD reads it, then parsed as the panel's OK parses it.
int ImportFile(const ImportRequest& request, const navdata::NavDatabase& database) {
  auto plan = std::make_unique<plan::FlightPlan>();
  try {
    const std::vector<std::string> lines = exchange::PlanTextOfFile(request.filePath, database, request.speedKt);
    if (const auto error = plan::ParsePlanText(lines, *plan)) {
      std::fprintf(stderr, "corvane-cli import: %s: %s\n", request.filePath.c_str(), error->Message().c_str());
      return 1;
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "corvane-cli import: %s\n", error.what());
    return 1;
  }
  return PrintAndSave(request, plan::ListPlan(*plan));
}

}  // namespace

std::unique_ptr<navdata::NavDatabase> LoadDatabaseReporting(const std::filesystem::path& dataFolder,
                                                            navdata::DatabaseSource source, const char* command) {
  auto database = std::make_unique<navdata::NavDatabase>();
  const navdata::LoadReport report = navdata::LoadNavDatabase(*database, dataFolder, source);
  for (const navdata::LoadProblem& problem : report.problems) {
    std::fprintf(stderr, "corvane-cli %s: %s\n", command, navdata::ProblemText(problem).c_str());
  }
  return database;
}

int RunImportCommand(std::span<char* const> args) {
  const std::optional<ImportRequest> request = ParseRequest(args);
  if (!request) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const auto database = LoadDatabaseReporting(request->dataFolder, request->source, "import");
  if (!request->filePath.empty()) return ImportFile(*request, *database);
  auto plan = std::make_unique<plan::FlightPlan>();
  const plan::RouteImportOutcome outcome =
      plan::ImportRoute(*plan, *database, request->route, request->cruiseFt, request->speedKt);
  if (outcome.errorMessage) {
    std::fprintf(stderr, "corvane-cli import: %s\n", outcome.errorMessage->c_str());
    return 1;
  }
  for (const std::string& line : outcome.memoLines) std::printf("%s\n", line.c_str());
  if (outcome.status) std::printf("%s\n", outcome.status->c_str());
  // The plan as far as it was built, also after a failure.
  std::printf("\n");
  const std::vector<std::string> listing = plan::ListPlan(*plan);
  if (!outcome.routeSet) {
    for (const std::string& line : listing) std::printf("%s\n", line.c_str());
    std::fprintf(stderr, "corvane-cli import: %s: %.*s\n", outcome.messageTitle.value_or("Error").c_str(),
                 static_cast<int>(plan::kCannotFinishRouteText.size()), plan::kCannotFinishRouteText.data());
    return 1;
  }
  return PrintAndSave(*request, listing);
}

}  // namespace corvane::cli
