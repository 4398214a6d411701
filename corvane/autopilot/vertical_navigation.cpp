// VNAV's arithmetic.
#include "corvane/autopilot/vertical_navigation.h"

#include <algorithm>
#include <cmath>

namespace corvane::autopilot {

std::int32_t EndOfClimbIndex(const plan::FlightPlan& plan) {
  const std::int32_t count = plan.ListedCount();
  for (std::int32_t k = 2; k < count; ++k) {
    if (plan[k].altitude == plan[k - 1].altitude) return k;
  }
  return std::max(count - 1, 0);
}

double RequiredVerticalSpeedFpm(std::int32_t targetAltitudeFt, double altitudeFt, std::int32_t groundSpeedKt,
                                float distanceNm) {
  if (distanceNm <= 0) return 0;
  const double perMinute = (targetAltitudeFt - altitudeFt) * groundSpeedKt / (static_cast<double>(distanceNm) * 60);
  return std::trunc(perMinute + 1);
}

std::int32_t ClampedVerticalSpeedFpm(double requiredFpm) {
  if (std::isnan(requiredFpm)) return 0;
  return static_cast<std::int32_t>(
      std::clamp(requiredFpm, double{kLowestVerticalSpeedFpm}, double{kHighestVerticalSpeedFpm}));
}

std::optional<std::int32_t> VerticalSpeedToWrite(double requiredFpm, double autopilotFpm) {
  // A value that is not a number never reaches the conversion.
  if (std::isnan(requiredFpm)) return std::nullopt;
  if (!(std::fabs(requiredFpm - autopilotFpm) > 200)) return std::nullopt;
  const std::int32_t clamped = ClampedVerticalSpeedFpm(requiredFpm);
  if (clamped == autopilotFpm) return std::nullopt;
  return clamped;
}

}  // namespace corvane::autopilot
