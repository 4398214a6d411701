// corvane-cli fly: a plan flown through the simulator's autopilot, one line per waypoint and a summary
// of how well it flew. A user checks a plan before flying it; we use it as the benchmark.
#include "cli_fly.h"

#include <cstdio>
#include <string>

#include "corvane/shell/number_text.h"
#include "fly_plan.h"
#include "formats/plain_decimal.h"

namespace corvane::cli {
namespace {

constexpr const char* kUsage =
    "usage: corvane-cli fly --data DIR [--sim builtin|simhost] [--wind DIR/KT] [--cruise FT] [--track-legs] "
    "[--ini FILE] "
    "PLAN.nav\n";

bool ParseWind(std::string_view text, shell::FlyRequest& request) {
  const auto slash = text.find('/');
  if (slash == std::string_view::npos) return false;
  const auto direction = shell::ParseInteger(text.substr(0, slash));
  const auto speed = shell::ParseInteger(text.substr(slash + 1));
  if (!direction || !speed || *direction < 0 || *direction > 360 || *speed < 0 || *speed > 250) return false;
  request.windDirectionDeg = *direction;
  request.windSpeedKt = *speed;
  return true;
}

std::optional<shell::FlyRequest> ParseRequest(std::span<char* const> args) {
  shell::FlyRequest request;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--data" && hasValue) {
      request.dataFolder = args[++i];
    } else if (arg == "--ini" && hasValue) {
      request.settingsPath = args[++i];
    } else if (arg == "--sim" && hasValue) {
      request.simulator = args[++i];
    } else if (arg == "--wind" && hasValue) {
      if (!ParseWind(args[++i], request)) return std::nullopt;
    } else if (arg == "--cruise" && hasValue) {
      request.cruiseFt = args[++i];
      if (!shell::ParseInteger(request.cruiseFt)) return std::nullopt;
    } else if (arg == "--track-legs") {
      request.trackLegs = true;
    } else if (!arg.starts_with("--") && request.planPath.empty()) {
      request.planPath = arg;
    } else {
      return std::nullopt;
    }
  }
  if (request.planPath.empty() || request.dataFolder.empty()) return std::nullopt;
  if (request.simulator != "builtin" && request.simulator != "simhost") return std::nullopt;
  return request;
}

}  // namespace

int RunFlyCommand(std::span<char* const> args) {
  const std::optional<shell::FlyRequest> request = ParseRequest(args);
  if (!request) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  std::string error;
  const std::optional<shell::FlyResult> result = shell::FlyPlan(*request, error);
  if (!result) {
    std::fprintf(stderr, "corvane-cli fly: %s\n", error.c_str());
    return 1;
  }
  for (const shell::WaypointPassage& passage : result->passages) {
    std::printf("%-8s %8s nm %7.0f ft %7d ft%s\n", passage.name.c_str(),
                formats::FixedDecimalText(passage.closestNm, 2).c_str(), passage.altitudeFt, passage.targetAltitudeFt,
                passage.vnavTarget ? "" : "  (no VNAV target)");
  }
  const shell::FlightSummary& summary = result->summary;
  std::printf("flown_min %s\n", formats::FixedDecimalText(summary.flownMinutes, 1).c_str());
  std::printf("wall_ms %lld\n", static_cast<long long>(result->wallMs));
  std::printf("xtk_rms_nm %s\n", formats::FixedDecimalText(summary.crossTrackRmsNm, 3).c_str());
  std::printf("xtk_max_nm %s\n", formats::FixedDecimalText(summary.crossTrackMaxNm, 3).c_str());
  std::printf("alt_err_max_ft %s\n", formats::FixedDecimalText(summary.altitudeErrorMaxFt, 0).c_str());
  std::printf("writes_per_min %s\n", formats::FixedDecimalText(summary.writesPerMinute, 1).c_str());
  std::printf("repeated_write_s %llu\n", static_cast<unsigned long long>(result->repeatedWriteSeconds));
  std::printf("end_distance_nm %s\n", formats::FixedDecimalText(summary.endDistanceNm, 2).c_str());
  if (!result->finished) {
    std::fputs("corvane-cli fly: the autopilot was still flying when the time ran out\n", stderr);
    return 1;
  }
  return 0;
}

}  // namespace corvane::cli
