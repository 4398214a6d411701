// Finding the airway of each leg.
#include "corvane/exchange/airway_legs.h"

#include "corvane/exchange/exported_plan.h"
#include "formats/field_cut.h"

namespace corvane::exchange {
namespace {

using formats::TrimBlanks;

bool Joins(const navdata::AirwaySegmentRow& segment, std::string_view a, std::string_view b) {
  const std::string_view from = TrimBlanks(segment.fromIdent);
  const std::string_view to = TrimBlanks(segment.toIdent);
  return (from == a && to == b) || (from == b && to == a);
}

// The first segment joining a and b on the named airway (on any airway when the name is empty).
const navdata::AirwaySegmentRow* FindJoining(const navdata::AirwaySegmentTable& airways, std::string_view airway,
                                             std::string_view a, std::string_view b) {
  for (std::size_t i = 0; !airways[i].fromIdent.empty(); ++i) {
    if ((airway.empty() || TrimBlanks(airways[i].airwayName) == airway) && Joins(airways[i], a, b)) {
      return &airways[i];
    }
  }
  return nullptr;
}

}  // namespace

std::vector<RouteLeg> RouteLegsOf(const plan::FlightPlan& plan, std::int32_t last,
                                  const navdata::AirwaySegmentTable& airways) {
  std::vector<RouteLeg> legs;
  std::int32_t from = 0;
  std::string airway;
  for (std::int32_t to = 1; to <= last; ++to) {
    if (IsProfileMarker(plan[to]) && to < last) continue;
    const std::string_view a = ExportIdent(plan[from]);
    const std::string_view b = ExportIdent(plan[to]);
    if (airway.empty() || FindJoining(airways, airway, a, b) == nullptr) {
      const navdata::AirwaySegmentRow* segment = FindJoining(airways, {}, a, b);
      airway = segment != nullptr ? std::string(TrimBlanks(segment->airwayName)) : std::string();
    }
    legs.push_back({from, to, airway});
    from = to;
  }
  return legs;
}

}  // namespace corvane::exchange
