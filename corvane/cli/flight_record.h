// What a flown plan is judged by: how close the aircraft passed each waypoint and at what altitude,
// how far it strayed from its legs, and how busy it kept the simulator.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "corvane/plan/flight_plan.h"
#include "corvane/simlink/aircraft_state.h"

namespace corvane::shell {

struct WaypointPassage {
  std::string name;        // the ident, or a profile marker's label
  double closestNm = 1e9;  // the nearest the aircraft came
  double altitudeFt = 0;   // the aircraft's altitude there
  std::int32_t targetAltitudeFt = 0;
  bool vnavTarget = false;  // the autopilot flies to this altitude (not a climb waypoint before level-off)
  std::uint64_t closestAtSample = 0;
};

struct FlightSummary {
  double flownMinutes = 0;
  double crossTrackRmsNm = 0;
  double crossTrackMaxNm = 0;
  double altitudeErrorMaxFt = 0;  // at waypoints with a VNAV target
  double writesPerMinute = 0;
  double endDistanceNm = 0;  // from where the autopilot let go to the arrival
};

class FlightRecord {
 public:
  // The plan as it is flown, after its profile was built; climb waypoints count only with "VNAV active".
  FlightRecord(const plan::FlightPlan& plan, bool vnavActive);

  // One sample of the aircraft on the active leg (the leg into ActiveWaypointIndex).
  void Sample(const plan::FlightPlan& plan, const simlink::AircraftState& aircraft, bool onLeg);

  const std::vector<WaypointPassage>& passages() const { return passages_; }
  FlightSummary Summary(double flownMinutes, std::uint64_t writes, const simlink::AircraftState& last) const;

 private:
  std::vector<WaypointPassage> passages_;  // entry 0 is the departure
  plan::Waypoint arrival_;
  double crossTrackSquares_ = 0;
  double crossTrackMaxNm_ = 0;
  std::uint64_t legSamples_ = 0;
  std::uint64_t samples_ = 0;
};

}  // namespace corvane::shell
