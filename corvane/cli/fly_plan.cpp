#include "fly_plan.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <exception>
#include <memory>
#include <utility>

#include "corvane/plan/plan_files.h"
#include "corvane/plan/plan_listing.h"
#include "corvane/shell/number_text.h"
#include "corvane/shell/plan_engage.h"
#include "corvane/shell/simulator_choice.h"
#include "flying_form.h"
#include "repeated_writes.h"

namespace corvane::shell {
namespace {

// Longer than any plan corvane holds could take; a flight that runs this long is stuck.
constexpr std::uint64_t kLongestFlightMs = 24ull * 3600 * 1000;
constexpr std::uint64_t kSampleMs = 1000;
// Time for the database, the link and the first polls before the buttons are pressed.
constexpr std::uint64_t kSettleMs = 3000;
constexpr double kDegToRad = 3.141592653589793 / 180.0;

// The built-in stand-in starts over the departure, 1500 ft above it, heading for the first leg.
standin::FlightModelOptions StartOver(const plan::FlightPlan& plan, const FlyRequest& request) {
  standin::FlightModelOptions options;
  options.xplane = true;
  options.latitude = plan[0].lat;
  options.longitude = plan[0].lon;
  const double cosine = std::cos((plan[0].lat + plan[1].lat) / 2 * kDegToRad);
  const double headingDeg = std::atan2((plan[1].lon - plan[0].lon) * cosine, plan[1].lat - plan[0].lat) / kDegToRad;
  options.headingDegTrue = std::fmod(headingDeg + 360.0, 360.0);
  // A plan file's altitude column holds what the plan was saved with; the elevation is the departure's info.
  options.altitudeFt = std::max(0, ParseInteger(plan[0].info).value_or(0)) + 1500.0;
  options.airspeedKt = 250;
  options.windDirectionDegTrue = request.windDirectionDeg;
  options.windSpeedKt = request.windSpeedKt;
  return options;
}

}  // namespace

std::optional<FlyResult> FlyPlan(const FlyRequest& request, std::string& error) {
  std::vector<std::string> planLines;
  plan::FlightPlan departurePlan;
  try {
    planLines = plan::LoadPlanFile(request.planPath);
  } catch (const std::exception& failure) {
    error = failure.what();
    return std::nullopt;
  }
  if (const auto parseError = plan::ParsePlanText(planLines, departurePlan); parseError || departurePlan.tail < 1) {
    error = request.planPath.string() + ": " +
            (parseError ? parseError->Message() : std::string("a plan needs a departure and an arrival"));
    return std::nullopt;
  }
  std::optional<SimulatorConnection> connection = request.simulator == "builtin"
                                                      ? MakeBuiltInSimulator(StartOver(departurePlan, request))
                                                      : MakeSimulatorConnection(request.simulator);
  if (!connection) {
    error = "unknown simulator '" + request.simulator + "' (builtin or simhost)";
    return std::nullopt;
  }
  // The writes pass a watch on their way; it lives as long as the transport it watches.
  auto watch = std::make_shared<RepeatedWriteWatch>(*connection->transport);
  connection->transport = watch.get();
  connection->owner = std::make_shared<std::pair<std::shared_ptr<void>, std::shared_ptr<RepeatedWriteWatch>>>(
      std::move(connection->owner), watch);
  const std::filesystem::path settingsPath = request.settingsPath.empty()
                                                 ? std::filesystem::temp_directory_path() / "corvane-fly-defaults.INI"
                                                 : request.settingsPath;
  FlyingForm flying(settingsPath, request.dataFolder, std::move(*connection));
  TForm1& form = flying.form();
  const auto wallStart = std::chrono::steady_clock::now();

  try {
    form.FormCreate();
    if (!form.connected) {
      error = "no simulator answers (" + request.simulator + ")";
      return std::nullopt;
    }
    flying.Advance(kSettleMs);
    if (request.trackLegs) form.chTrackLegs.checked = true;
    if (!EngagePlan(form, planLines, request.cruiseFt)) {
      error = "the climb and descent profile could not be built";
      return std::nullopt;
    }

    FlightRecord record(form.plan, form.chClimb.checked);
    const std::uint64_t writesBefore = form.link().writesQueued();
    const std::uint64_t startMs = flying.NowMs();
    while (form.Timer4.Enabled() && flying.NowMs() - startMs < kLongestFlightMs) {
      flying.Advance(kSampleMs);
      watch->EndSecond();
      record.Sample(form.plan, form.aircraft, form.autopilot.AutopilotMode >= autopilot::kModeLnav);
    }
    FlyResult result;
    result.passages = record.passages();
    result.summary = record.Summary(static_cast<double>(flying.NowMs() - startMs) / 60000.0,
                                    form.link().writesQueued() - writesBefore, form.aircraft);
    result.wallMs =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - wallStart).count();
    result.finished = !form.Timer4.Enabled();
    result.repeatedWriteSeconds = watch->repeatedSeconds();
    return result;
  } catch (const std::exception& failure) {
    error = failure.what();
    return std::nullopt;
  }
}

}  // namespace corvane::shell
