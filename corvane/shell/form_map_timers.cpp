// The map's two loops on the form: Timer1 draws a frame, Timer2 rebuilds the nearby lists a chunk at a time.
#include <algorithm>
#include <cmath>
#include <string>

#include "corvane/autopilot/shown_target.h"
#include "corvane/map/localizer_course.h"
#include "corvane/map/map_frame.h"
#include "corvane/navdata/nav_database_load.h"
#include "form1.h"
#include "number_text.h"

namespace corvane::shell {

map::FrameInputs TForm1::CollectFrameInputs() {
  frameRoute_.clear();
  for (const plan::Waypoint& entry : plan.entries) {
    if (entry.IsEndMarker()) break;
    frameRoute_.push_back({entry.lat, entry.lon, entry.ident, entry.info});
  }
  frameTraffic_.clear();
  for (std::int32_t i = 0; i < traffic.count && i < simlink::TrafficList::kCapacity; ++i) {
    const simlink::TrafficEntry& entry = traffic.entries[static_cast<std::size_t>(i)];
    frameTraffic_.push_back({entry.latitude, entry.longitude, entry.altitudeFt, entry.callsign});
  }
  frameAirwayPoints_.clear();
  for (const plan::AirwayPoint& point : plan.airwayPoints) {
    if (point.lat == 0 && point.lon == 0) break;
    frameAirwayPoints_.push_back({point.lat, point.lon});
  }

  map::FrameInputs inputs;
  inputs.nearby = nearby.get();
  inputs.toggles = layers;
  inputs.colours = MapColours();
  inputs.labelFont = IMG1.font;
  inputs.route = frameRoute_;
  inputs.traffic = frameTraffic_;
  inputs.airwayPoints = frameAirwayPoints_;
  inputs.aircraft = {.connected = connected,
                     .stale = linkLost,
                     .latitude = aircraft.latitude,
                     .longitude = aircraft.longitude,
                     .altitudeFt = aircraft.altitudeFt,
                     .headingDegTrue = aircraft.headingDegTrue,
                     .magneticVariationDeg = aircraft.magneticVariationDeg,
                     .groundSpeedKt = aircraft.groundSpeedKt,
                     .windDirectionDegTrue = static_cast<std::uint32_t>(aircraft.windDirectionDegTrue),
                     .windDirectionDegMagnetic = aircraft.windDirectionDegMagnetic,
                     .windSpeedKt = static_cast<std::uint32_t>(aircraft.windSpeedKt),
                     .apHeadingDeg = aircraft.apHeadingDeg,
                     .apAltitudeFt = aircraft.apAltitudeFt,
                     .apVerticalSpeedFpm = aircraft.apVerticalSpeedFpm};
  inputs.autopilot.mode = autopilot.AutopilotMode;
  inputs.autopilot.holdActive = autopilot.hold.phase;
  inputs.autopilot.holdTicks = static_cast<std::uint32_t>(std::max(0, autopilot.hold.legTicks));
  inputs.hold = {autopilot.hold.phase, autopilot.hold.fix.lat, autopilot.hold.fix.lon};
  inputs.autopilot.timer4IntervalMs = Timer4.Interval();
  // The hold's leg time is only shown; a field that is not a whole number shows the default minute.
  if (const auto minutes = ParseInteger(edHldTm.text); minutes && *minutes > 0) {
    inputs.autopilot.holdLegMinutes = static_cast<std::uint32_t>(*minutes);
  }
  inputs.autopilot.activeLegIndex = plan.ActiveWaypointIndex;
  if (const auto shown = autopilot::ShownTargetOf(autopilot, plan)) {
    inputs.autopilot.nextIdent = shown->ident;
    inputs.autopilot.distanceToNextNm = shown->distanceNm;
  }
  inputs.windowWidth = formWidth;
  inputs.windowHeight = formHeight;
  return inputs;
}

void TForm1::Timer1Timer() {
  const map::FrameInputs inputs = CollectFrameInputs();
  map::DrawMapFrame(imageCanvas(), view, inputs, PB1.width, PB1.height);
  SizeStrips();
  ShowWhetherTheMapFollows();
  map::PresentFrame(paintBoxCanvas(), imageCanvas(), PB1.width, PB1.height);
}

void TForm1::ShowWhetherTheMapFollows() {
  // CP stands out while the map looks elsewhere than at the aircraft, so a pilot sees how to go back.
  const bool elsewhere = connected && !view.followAircraft;
  btCenter.bold = elsewhere;
  btCenter.fontColor = elsewhere ? kColorBlue : kColorBlack;
}

void TForm1::ReportUnreadLocalizers() {
  const std::size_t end = nearby->points.EndIndex();
  for (std::size_t i = 0; i < end; ++i) {
    const map::NearbyPoint& point = nearby->points[i];
    if (point.kind != map::kPointIls || map::ReadLocalizerCourse(point.info1)) continue;
    // Each such row is told once, not at every refresh of the lists around it.
    if (reportedLocalizers_.insert(point.ident + "|" + point.info1).second) {
      SB1.text = map::UnreadLocalizerText(point.ident, point.info1);
    }
  }
}

void TForm1::Timer2Timer() {
  // A box size that is not a number takes its default instead of stopping every tick.
  const map::BoxSizes defaults;
  const map::BoxSizes boxes{map::BoxSizeOrDefault(edArpSize.text, defaults.airportDeg),
                            map::BoxSizeOrDefault(edBcnSize.text, defaults.beaconDeg),
                            map::BoxSizeOrDefault(edFixSize.text, defaults.fixDeg),
                            map::BoxSizeOrDefault(edGeoSize.text, defaults.geoDeg)};
  const map::RefreshTickResult result = map::NearbyRefreshTick(refresh, *database, view.centre, boxes, *nearby);
  if (!result.listsComplete) return;
  ReportUnreadLocalizers();
  // The quick first pass after a load ends here. A configured interval of 0 would stop the refresh for
  // good, so the quick one stays in use then.
  if (Timer2.ConfiguredInterval() > 0) Timer2.EndTemporaryInterval();
  // The lists are complete, so the map can start now rather than after the idle rest of the cycle. Only
  // the start suffix goes (a caption naming the connected simulator keeps its text), and it goes after
  // a reload too, when the map timer is already running.
  const std::string_view suffix = navdata::kInitializingDisplayCaption;
  if (Caption.ends_with(suffix)) Caption.resize(Caption.size() - suffix.size());
  if (Timer1.Enabled() || PanAPV.visible) return;
  Timer1.SetEnabled(true);
  // The first frame is drawn now rather than a whole map interval later.
  Timer1Timer();
}

}  // namespace corvane::shell
