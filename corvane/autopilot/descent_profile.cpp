// The climb and descent profile: one pass per cruise altitude, the retries around it.
#include "corvane/autopilot/descent_profile.h"

#include <algorithm>
#include <cmath>

#include "corvane/autopilot/profile_markers.h"
#include "corvane/plan/plan_listing.h"
#include "formats/field_cut.h"

namespace corvane::autopilot {
namespace {

using plan::WaypointKind;

constexpr std::int32_t kClimbSpeedLimitFt = 10000;
constexpr std::int32_t kUpperClimbFt = 22000;
constexpr std::int32_t kDescentSpeedLimitFt = 12000;
constexpr std::int32_t kSpeedLimitKt = 250;
constexpr std::int32_t kFinalApproachFtPerNm = 300;
constexpr std::int32_t kCruiseStepFt = 2000;

constexpr std::string_view kNoArrival = "No descent profile: the flight plan needs a departure and an arrival";
constexpr std::string_view kPlanFull = "No descent profile: the flight plan is full, there is no room for its markers";
// Why no cruise altitude fits: the step that last asked for a lower one.
constexpr std::string_view kClimbTooLong =
    "No descent profile: the flight plan is too short: the climb must reach the cruise altitude before the last "
    "leg, and no cruise altitude high enough for the approach does. Add a waypoint or lower the cruise altitude";
constexpr std::string_view kDescentMeetsClimb =
    "No descent profile: the flight plan is too short: the descent must begin after the climb has reached the "
    "cruise altitude, and no cruise altitude high enough for the approach allows it. Add a waypoint or lower the "
    "cruise altitude";

// kClimbTooLong and kDescentMeetsClimb both lower the cruise altitude.
enum class PassResult { kBuilt, kRaiseCruise, kClimbTooLong, kDescentMeetsClimb, kPlanFull };

// Integer division by 100, then times 100; far out of range values are held at a billion feet.
std::int32_t RoundDown100(double feet) {
  const auto whole = static_cast<std::int64_t>(std::trunc(std::clamp(feet, -1e9, 1e9)));
  return static_cast<std::int32_t>(whole / 100 * 100);
}

// How far along a leg an altitude lies. Where the leg has no height to share out (the target lies at
// its near end), the marker goes on that end rather than at an undefined place.
double Fraction(double numerator, double denominator) {
  if (!(denominator > 0)) return 0;
  return std::clamp(numerator / denominator, 0.0, 1.0);
}

class ProfilePass {
 public:
  ProfilePass(plan::FlightPlan& plan, const DescentInputs& inputs, std::int32_t cruiseFt,
              std::int32_t departureElevationFt, std::int32_t arrivalElevationFt)
      : plan_(plan), in_(inputs), cruise_(cruiseFt), departure_(departureElevationFt), arrival_(arrivalElevationFt) {}

  PassResult Run() {
    RemoveMarkers(plan_);
    // Every leg, the arrival's too: a second press must see the legs the first one saw.
    for (std::int32_t i = 1; i <= plan_.tail; ++i) plan_[i].legNm = plan::LegNm(plan_, i - 1, i);
    SetDefaults();
    if (const PassResult climb = Climb(); climb != PassResult::kBuilt) return climb;
    return Descend();
  }

 private:
  void Set(std::int32_t i, std::int32_t altitudeFt, std::int32_t speedKt) {
    plan_[i].altitude = altitudeFt;
    plan_[i].speed = speedKt;
  }

  void SetDefaults() {
    for (std::int32_t i = 1; i < plan_.tail; ++i) Set(i, cruise_, in_.cruiseSpeedKt);
    Set(0, departure_, kSpeedLimitKt);
    Set(plan_.tail, arrival_, in_.finalApproachSpeedKt);
  }

  // One climb segment at the gradient times factor: from entry i on, each leg adds its height until
  // the target is reached; i ends on the entry where it was. False when the climb would have to go on
  // to the arrival.
  bool ClimbTo(std::int32_t target, double factor, std::int32_t speedKt, std::int32_t& i, std::int32_t& a) {
    while (a < target) {
      if (i >= plan_.tail) return false;
      a = RoundDown100(a + static_cast<double>(plan_[i].legNm) * in_.climbFtPerNm * factor);
      Set(i, a, speedKt);
      if (a < target) ++i;
    }
    return true;
  }

  PassResult Climb() {
    std::int32_t a = departure_;
    std::int32_t i = 1;
    // From an airport at or above the cruise altitude there is no climb and no marker of it.
    if (a >= cruise_) return PassResult::kBuilt;
    if (cruise_ > kClimbSpeedLimitFt && a < kClimbSpeedLimitFt) {
      if (!ClimbTo(kClimbSpeedLimitFt, 1.5, kSpeedLimitKt, i, a)) return PassResult::kClimbTooLong;
      Set(i, cruise_, in_.cruiseSpeedKt);
      const double f = Fraction(kClimbSpeedLimitFt - plan_[i - 1].altitude, a - plan_[i - 1].altitude);
      if (!InsertMarker(plan_, i, f, PartLegNm(plan_, i, f),
                        {WaypointKind::kClimbMarker, "FL100", kClimbSpeedLimitFt, kSpeedLimitKt})) {
        return PassResult::kPlanFull;
      }
      ++i;
      a = kClimbSpeedLimitFt;
    }
    if (cruise_ > kUpperClimbFt && a < kUpperClimbFt) {
      // Up to 22000 ft at the full gradient; the entry stays current only where cruise is reached.
      do {
        if (i >= plan_.tail) return PassResult::kClimbTooLong;
        a = RoundDown100(static_cast<double>(plan_[i].legNm) * in_.climbFtPerNm + a);
        Set(i, a, in_.cruiseSpeedKt);
        if (a < cruise_) ++i;
      } while (a < kUpperClimbFt);
    }
    if (!ClimbTo(cruise_, 0.8, in_.cruiseSpeedKt, i, a)) return PassResult::kClimbTooLong;
    Set(i, cruise_, in_.cruiseSpeedKt);
    const double back = Fraction(a - cruise_, a - plan_[i - 1].altitude);
    if (!InsertMarker(plan_, i, 1 - back, PartLegNm(plan_, i, 1 - back),
                      {WaypointKind::kClimbMarker, kTopOfClimbLabel, cruise_, in_.cruiseSpeedKt})) {
      return PassResult::kPlanFull;
    }
    return PassResult::kBuilt;
  }

  // The entries before "*TOC*" (and the departure) belong to the climb.
  bool MeetsClimb(std::int32_t i) const {
    return i < 1 || (IsMarker(plan_[i + 1]) && plan_[i + 1].info == kTopOfClimbLabel);
  }

  // One descent segment, walked backward: entry i takes the height of the leg after it. False when
  // the walk meets the climb before the target.
  bool DescendTo(std::int32_t target, std::int32_t perNm, std::int32_t speedKt, std::int32_t& i, std::int32_t& d) {
    while (d < target) {
      if (MeetsClimb(i)) return false;
      d = RoundDown100(static_cast<double>(plan_[i + 1].legNm) * perNm + d);
      Set(i, d, speedKt);
      if (d < target) --i;
    }
    return true;
  }

  // The marker where the descent passes altitude between entry i (at d) and entry i + 1.
  bool InsertDescentMarker(std::int32_t i, std::int32_t d, const Marker& marker) {
    const double t = Fraction(d - marker.altitudeFt, d - plan_[i + 1].altitude);
    return InsertMarker(plan_, i + 1, t, static_cast<std::int32_t>(plan_[i + 1].legNm * t), marker);
  }

  PassResult Descend() {
    std::int32_t i = plan_.tail - 1;
    std::int32_t d = arrival_;
    const std::int32_t finalFix = arrival_ + 3000;
    if (cruise_ < finalFix) return PassResult::kRaiseCruise;
    if (!DescendTo(finalFix, kFinalApproachFtPerNm, in_.finalApproachSpeedKt, i, d))
      return PassResult::kDescentMeetsClimb;
    plan_[i].speed = in_.approachSpeedKt;
    if (!InsertDescentMarker(i, d, {WaypointKind::kDescentMarker, "*FAF*", finalFix, in_.approachSpeedKt})) {
      return PassResult::kPlanFull;
    }

    const std::int32_t initialFix = arrival_ + 6000;
    if (cruise_ < initialFix) return PassResult::kRaiseCruise;
    if (!DescendTo(initialFix, in_.descentFtPerNm, in_.approachSpeedKt, i, d)) return PassResult::kDescentMeetsClimb;
    plan_[i].speed = kSpeedLimitKt;
    if (!InsertDescentMarker(i, d, {WaypointKind::kDescentMarker, "*IAF*", initialFix, kSpeedLimitKt})) {
      return PassResult::kPlanFull;
    }

    if (cruise_ > kDescentSpeedLimitFt && initialFix < kDescentSpeedLimitFt) {
      if (!DescendTo(kDescentSpeedLimitFt, in_.descentFtPerNm, kSpeedLimitKt, i, d))
        return PassResult::kDescentMeetsClimb;
      plan_[i].speed = in_.descentSpeedKt;
      if (!InsertDescentMarker(i, d,
                               {WaypointKind::kDescentMarker, "FL120", kDescentSpeedLimitFt, in_.descentSpeedKt})) {
        return PassResult::kPlanFull;
      }
    }

    // Meeting the climb below cruise: the cruise altitude is too high for this plan.
    if (!DescendTo(cruise_, in_.descentFtPerNm, in_.descentSpeedKt, i, d)) return PassResult::kDescentMeetsClimb;
    Set(i, cruise_, in_.cruiseSpeedKt);
    if (!InsertDescentMarker(i, d, {WaypointKind::kDescentMarker, "*TOD*", cruise_, in_.cruiseSpeedKt})) {
      return PassResult::kPlanFull;
    }
    return PassResult::kBuilt;
  }

  plan::FlightPlan& plan_;
  const DescentInputs& in_;
  const std::int32_t cruise_;
  const std::int32_t departure_;
  const std::int32_t arrival_;
};

DescentOutcome Failure(plan::FlightPlan& plan, plan::FlightPlan&& unchanged, std::int32_t cruiseFt,
                       std::string_view why) {
  plan = std::move(unchanged);
  DescentOutcome outcome;
  outcome.cruiseAltitudeFt = cruiseFt;
  outcome.failure = why;
  return outcome;
}

}  // namespace

DescentOutcome BuildDescentProfile(plan::FlightPlan& plan, const DescentInputs& inputs) {
  if (plan.tail < 1 || plan.tail >= plan::FlightPlan::kCapacity || plan[plan.tail].IsEndMarker()) {
    DescentOutcome outcome;
    outcome.cruiseAltitudeFt = inputs.cruiseAltitudeFt;
    outcome.failure = kNoArrival;
    return outcome;
  }
  const std::int32_t departureFt = formats::ParseInt(plan[0].info);
  const std::int32_t arrivalFt = formats::ParseInt(plan[plan.tail].info);
  plan::FlightPlan unchanged = plan;
  std::vector<std::int32_t> tried;
  std::int32_t cruiseFt = inputs.cruiseAltitudeFt;
  std::string_view limit = kClimbTooLong;
  for (int pass = 0; pass < kMostProfilePasses; ++pass) {
    tried.push_back(cruiseFt);
    const PassResult result = ProfilePass(plan, inputs, cruiseFt, departureFt, arrivalFt).Run();
    if (result == PassResult::kBuilt) {
      DescentOutcome outcome;
      outcome.built = true;
      outcome.cruiseAltitudeFt = cruiseFt;
      outcome.listing = plan::ListPlan(plan);
      return outcome;
    }
    if (result == PassResult::kPlanFull) {
      return Failure(plan, std::move(unchanged), inputs.cruiseAltitudeFt, kPlanFull);
    }
    if (result != PassResult::kRaiseCruise)
      limit = result == PassResult::kClimbTooLong ? kClimbTooLong : kDescentMeetsClimb;
    cruiseFt += result == PassResult::kRaiseCruise ? kCruiseStepFt : -kCruiseStepFt;
    // Raised for the approach, lowered for the length: no cruise altitude fits.
    if (std::find(tried.begin(), tried.end(), cruiseFt) != tried.end()) break;
  }
  return Failure(plan, std::move(unchanged), inputs.cruiseAltitudeFt, limit);
}

DescentOutcome CalcDescent(std::span<const std::string> planLines, const DescentInputs& inputs,
                           plan::FlightPlan& plan) {
  if (const auto error = plan::ParsePlanText(planLines, plan)) {
    DescentOutcome outcome;
    outcome.cruiseAltitudeFt = inputs.cruiseAltitudeFt;
    outcome.failure = error->Message();
    return outcome;
  }
  return BuildDescentProfile(plan, inputs);
}

map::LayerToggles LayersForProfile(map::LayerToggles layers) {
  layers.airports = false;
  layers.vor = true;
  layers.ndb = true;
  layers.fixes = false;
  layers.rangeRings = true;
  layers.geoMode = 1;
  layers.labels = true;
  layers.airwayMode = 0;
  return layers;
}

}  // namespace corvane::autopilot
