// Adding a waypoint by a click: the nearest shown object or the clicked point, appended or inserted.
#include <algorithm>
#include <charconv>
#include <system_error>

#include "corvane/plan/click_actions.h"
#include "corvane/plan/nearest_pick.h"
#include "formats/plain_decimal.h"

namespace corvane::plan {
namespace {

void WritePick(Waypoint& entry, const PickCandidate& candidate) {
  entry.lat = candidate.lat;
  entry.lon = candidate.lon;
  entry.ident = candidate.ident;
  entry.kind = static_cast<WaypointKind>(candidate.kind);
  entry.info = candidate.info == " " ? std::string_view(".") : candidate.info;
}

void MakeUserPoint(Waypoint& entry, ClickPosition position) {
  entry.lat = position.lat;
  entry.lon = position.lon;
  entry.ident = "FIX";
  entry.kind = WaypointKind::kUserPoint;
  entry.info = ".";
}

// The cruise fields hold whole numbers; blanks around them are allowed.
std::optional<std::int32_t> ParseCruiseField(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  std::int32_t value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || result.ec != std::errc{} || result.ptr != text.data() + text.size()) return std::nullopt;
  return value;
}

AddOutcome InsertWaypointAt(FlightPlan& plan, const PickContext& context, ClickPosition position) {
  // Inserting before the departure or past the end would leave a gap or reach outside the plan.
  const std::int32_t at = std::clamp(plan.insertIndex, 1, plan.tail + 1);
  plan.insertIndex = at;
  OpenEntryAt(plan, at);

  Waypoint& entry = plan[at];
  const double best = WalkNearest(
      context.candidates, position, [&](const PickCandidate& c) { return IsShownBeaconOrFix(c, context.shown); },
      [&](const PickCandidate& c) { WritePick(entry, c); });
  if (best > 1.0) MakeUserPoint(entry, position);
  entry.legNm = LegNm(plan, at - 1, at);
  entry.altitude = plan[at + 1].altitude;
  entry.speed = plan[at + 1].speed;

  AddOutcome outcome;
  outcome.status = "Found " + EntryValuesText(entry);
  ++plan.insertIndex;
  ++plan.tail;
  return outcome;
}

}  // namespace

std::string EntryValuesText(const Waypoint& entry) {
  return std::to_string(KindNumber(entry.kind)) + " " + entry.ident + " " + std::to_string(entry.altitude) + " " +
         std::to_string(entry.speed) + " " + std::to_string(entry.legNm) + " " +
         formats::PlainDecimalText(static_cast<double>(entry.lat)) + " " +
         formats::PlainDecimalText(static_cast<double>(entry.lon)) + " " + entry.info;
}

AddOutcome AddWaypointAt(FlightPlan& plan, const PickContext& context, ClickPosition position,
                         std::string_view cruiseAltitudeText, std::string_view cruiseSpeedText,
                         const AirwayNeighbourRebuild& rebuildAirwayNeighbours) {
  if (!HasRoomForOneMore(plan)) {
    AddOutcome refused;
    refused.status = kPlanFullText;
    refused.refused = true;
    return refused;
  }
  if (plan.insertMode) return InsertWaypointAt(plan, context, position);

  const std::int32_t tail = plan.tail;
  // The arrival moves down to make room; what lay below it comes back when nothing takes its place.
  const bool arrivalMoves = tail > 0 && !plan[tail].IsEndMarker();
  const Waypoint belowTail = plan[tail + 1];
  if (tail > 0) DuplicateTail(plan);
  Waypoint& entry = plan[tail];
  const bool airportsPickable = !context.airportViewRunning && context.shown.airports;
  bool picked = false;
  const double best = WalkNearest(
      context.candidates, position,
      [&](const PickCandidate& c) {
        return IsShownBeaconOrFix(c, context.shown) || (c.kind == kCandidateAirport && airportsPickable);
      },
      [&](const PickCandidate& c) {
        WritePick(entry, c);
        picked = true;
      });
  if (arrivalMoves && !picked) {
    plan[tail + 1] = belowTail;
    AddOutcome nothing;
    nothing.status = context.airportViewRunning ? kNothingPickedInAirportViewText : kNothingPickedText;
    nothing.refused = true;
    return nothing;
  }

  if (tail > 0) {
    entry.legNm = LegNm(plan, tail - 1, tail);
    entry.altitude = plan[tail - 1].altitude;
    entry.speed = plan[tail - 1].speed;
  } else {
    entry.legNm = 0;
  }

  AddOutcome outcome;
  if (tail > 0 && entry.kind != WaypointKind::kAirport) {
    // A fifth of the range, written as a division so that exactly that distance is not accepted.
    const bool accepted = context.airportViewRunning ? best < 1.0 : best < context.rangeNm / 5.0;
    if (accepted) {
      outcome.status = "Found " + EntryValuesText(entry);
      if (rebuildAirwayNeighbours) rebuildAirwayNeighbours(plan);
      if (plan.insertIndex == 0) plan.insertIndex = 1;
    } else {
      MakeUserPoint(entry, position);
      entry.legNm = LegNm(plan, tail - 1, tail);
      outcome.status = "Set " + EntryValuesText(entry);
    }
    // The arrival behind the new point measures its leg from it; an empty slot stays empty.
    if (!plan[tail + 1].IsEndMarker()) plan[tail + 1].legNm = LegNm(plan, tail, tail + 1);
    plan.tail = tail + 1;
  } else if (tail == 1) {
    outcome.status = "Found " + EntryValuesText(entry);
    outcome.arrivalSet = true;
  } else if (tail > 1) {
    // An airport picked en route takes the arrival's place; the arrival it replaces is not kept below it.
    plan[tail + 1] = belowTail;
    outcome.status = "Found " + EntryValuesText(entry);
  } else if (tail == 0) {
    if (entry.kind == WaypointKind::kAirport) {
      const auto altitude = ParseCruiseField(cruiseAltitudeText);
      const auto speed = ParseCruiseField(cruiseSpeedText);
      if (!altitude || !speed) {
        const std::string_view bad = altitude ? cruiseSpeedText : cruiseAltitudeText;
        EraseEntryAt(plan, 0);
        outcome.errorMessage = "'" + std::string(bad) + "' is not a valid integer value";
        return outcome;
      }
      entry.altitude = *altitude;
      entry.speed = *speed;
      outcome.status = "Found " + EntryValuesText(entry);
      plan.tail = 1;
    } else {
      outcome.status = "Warning! " + KindAndIdent(entry) + "Should be the departure airport.";
      EraseEntryAt(plan, 0);
    }
  }
  return outcome;
}

}  // namespace corvane::plan
