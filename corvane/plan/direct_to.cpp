// Fly direct and hold: the target picked from the click, the confirmation and the heading write.
#include <cmath>
#include <numbers>

#include "corvane/plan/click_actions.h"
#include "corvane/plan/nearest_pick.h"

namespace corvane::plan {
namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180.0;

}  // namespace

DirectTarget PickDirectTarget(const PickContext& context, ClickPosition position) {
  DirectTarget target;
  const double best = WalkNearest(
      context.candidates, position, [&](const PickCandidate& c) { return IsShownBeaconOrFix(c, context.shown); },
      [&](const PickCandidate& c) {
        target = DirectTarget{c.lat, c.lon, std::string(c.ident)};
      });
  // A tenth of the range, in whole nautical miles.
  if (best > static_cast<double>(context.rangeNm / 10)) target = DirectTarget{position.lat, position.lon, "FIX"};
  return target;
}

std::int32_t FlatBearingDeg(double fromLat, double fromLon, double toLat, double toLon) {
  const double meanCosine = (std::cos(toLat * kRadPerDeg) + std::cos(fromLat * kRadPerDeg)) * 0.5;
  const double dx = (toLon - fromLon) * meanCosine;
  const double dy = toLat - fromLat;
  if (dx == 0) return dy < 0 ? 180 : 0;
  std::int32_t bearing = static_cast<std::int32_t>(-std::atan(dy / dx) * 180.0 / std::numbers::pi + 90.0);
  if (dx < 0) bearing += 180;
  return bearing;
}

DirectToOutcome FlyDirectTo(DirectTarget& target, const PickContext& context, ClickPosition position, double centreLat,
                            double centreLon, double magneticVariationDeg,
                            const std::function<bool(const std::string& question)>& confirm,
                            SimulatorCommands& commands) {
  DirectToOutcome outcome;
  DirectTarget picked = PickDirectTarget(context, position);
  if (!confirm("Fly direct " + picked.name + "?")) return outcome;
  target = std::move(picked);
  outcome.started = true;
  outcome.bearingDeg = FlatBearingDeg(centreLat, centreLon, target.lat, target.lon);
  outcome.distanceNm = static_cast<std::int32_t>(DistanceNm(centreLat, centreLon, target.lat, target.lon));
  double headingDeg = outcome.bearingDeg - magneticVariationDeg;
  if (headingDeg < 0) headingDeg += 360.0;
  outcome.status = commands.SendApHeading(headingDeg);
  return outcome;
}

HoldRequest HoldAt(DirectTarget& target, const PickContext& context, ClickPosition position, double apHeadingDeg) {
  target = PickDirectTarget(context, position);
  HoldRequest request;
  request.inboundHeadingText = std::to_string(static_cast<std::int32_t>(apHeadingDeg));
  request.label = "Holding at " + target.name;
  return request;
}

}  // namespace corvane::plan
