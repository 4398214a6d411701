// The airport view on the recording canvas: its projection, what each item draws, and the items' order.
#include "corvane/airport/airport_frame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "corvane/airport/airport_painters.h"
#include "corvane/airport/airport_view.h"
#include "corvane/airport/airport_view_delete.h"
#include "corvane/airport/frame_collection.h"
#include "corvane/map/recording_canvas.h"

namespace corvane::airport {
namespace {

using Kind = map::CanvasCall::Kind;

constexpr map::GeoPos kCentre{52.0, 4.8};

TEST(AirportViewProjection, ScalesLinearlyAroundTheCentreAndInvertsClicks) {
  // 800 x 600 at zoom 0.1: 300 / 0.1 = 3000 pixels per degree of latitude.
  const AirportViewGeometry view = MakeAirportViewGeometry(kCentre, 0.1f, 800, 600);
  struct Case {
    double latitude, longitude;
    int x, y;
  };
  for (const Case& c : {Case{52.0, 4.8, 400, 300}, Case{52.05, 4.8, 400, 150}, Case{51.95, 4.8, 400, 450},
                        Case{52.0, 4.9, 584, 300}, Case{52.0, 4.7, 215, 300}}) {
    const map::ScreenPoint p = ProjectToAirportView(view, c.latitude, c.longitude);
    // Truncation may take a pixel off where rounding leaves a value just below a whole pixel.
    EXPECT_NEAR(p.x, c.x, 1) << c.latitude << " " << c.longitude;
    EXPECT_NEAR(p.y, c.y, 1) << c.latitude << " " << c.longitude;
    const auto back = AirportViewToGeo(view, p.x, p.y);
    ASSERT_TRUE(back);
    EXPECT_NEAR(back->latitude, c.latitude, 1.0 / 3000);
    EXPECT_NEAR(back->longitude, c.longitude, 2.0 / 3000);
  }
  EXPECT_FALSE(AirportViewToGeo(MakeAirportViewGeometry(kCentre, 0.1f, 800, 1), 10, 0));
  EXPECT_FALSE(AirportViewToGeo(MakeAirportViewGeometry({90.0, 0.0}, 0.1f, 800, 600), 10, 10));
}

struct Frame {
  AirportLayout layout;
  std::vector<NearBeacon> beacons;
  std::vector<NearFix> fixes;
  std::vector<map::RouteWaypoint> route;
  std::vector<map::TrafficMark> traffic;
  ProcedurePreview preview;
  AirportFrameInputs inputs;
  map::RecordingCanvas canvas{3000, 2250};

  const std::vector<map::CanvasCall>& Draw() {
    inputs.layout = &layout;
    inputs.centre = kCentre;
    inputs.zoomDeg = 0.1f;
    inputs.ident = "EHAM";
    inputs.beacons = beacons;
    inputs.fixes = fixes;
    inputs.common.route = route;
    inputs.common.traffic = traffic;
    inputs.preview = &preview;
    inputs.common.windowWidth = 800;
    inputs.common.windowHeight = 600;
    canvas.Clear();
    DrawAirportFrame(canvas, inputs, 800, 600);
    return canvas.Calls();
  }

  // Index of the first call that matches, or -1.
  template <typename Match>
  int First(Match match) const {
    const auto& calls = canvas.Calls();
    for (std::size_t i = 0; i < calls.size(); ++i) {
      if (match(calls[i])) return static_cast<int>(i);
    }
    return -1;
  }
  int FirstText(const std::string& text) const {
    return First([&](const map::CanvasCall& c) { return c.kind == Kind::TextOut && c.text == text; });
  }
  int FirstLine(map::Color pen) const {
    return First([&](const map::CanvasCall& c) { return c.kind == Kind::LineTo && c.penColor == pen; });
  }
};

LayoutItem Item(std::string kind, double latitude, double longitude, float headingDeg, float lengthFt, float widthFt,
                std::string label = "") {
  return {float(latitude), float(longitude), headingDeg, lengthFt, widthFt, std::move(kind), std::move(label)};
}

TEST(AirportFrame, DrawsEveryItemInItsOrder) {
  Frame f;
  f.layout.elevationText = "-11";
  f.layout.items = {Item("09", 52.0, 4.8, 90, 9843, 328), Item("xxx", 52.01, 4.8, 0, 500, 150),
                    Item("txt", 52.0, 4.75, 0, 0, 0, "110.10 090")};
  f.beacons = {{navdata::BeaconKind::kIls, 52.0, 4.85f, "IAA", "110.10 270  -1", "EHAM 27"},
               {navdata::BeaconKind::kNdb, 52.02f, 4.8f, "AB", "350.00", "NDB"}};
  f.fixes = {{52.03f, 4.81f, "ARTIP "}};
  f.route = {{52.0, 4.7f, "EHAM ", "."}, {52.1f, 4.6f, "SPY", "."}};
  f.preview = {"ANDIK1 / 24", {{52.0, 4.9f, "ANDIK"}, {52.05f, 4.95f, "SPY"}}};
  f.traffic = {{52.001f, 4.801f, 1200, "KLM12"}};
  f.inputs.common.toggles.fixes = true;
  f.inputs.common.toggles.trafficMode = 1;
  f.inputs.common.aircraft = {.connected = true, .latitude = 52.0, .longitude = 4.8, .altitudeFt = 1000};
  f.inputs.common.autopilot.mode = 6;
  f.inputs.common.autopilot.activeLegIndex = 1;
  f.Draw();

  const int taxiway = f.FirstLine(map::kGrey);
  const int runway = f.FirstLine(map::kYellow);
  const int centreLine = f.FirstLine(kCentreLineGrey);
  const std::vector<int> order = {
      taxiway,
      runway,
      centreLine,
      f.FirstText("110.10 090"),
      f.FirstText("O IAA (110.10 270  -1)"),
      f.FirstText("^ ARTIP "),
      f.FirstText("SPY"),
      f.FirstText("ANDIK1 / 24"),
      f.FirstText("ANDIK"),
      f.FirstText("O 2"),
      f.FirstLine(map::kRed),
      f.FirstText("1000 ft"),
      f.FirstText("EHAM"),
      f.FirstText("Alt -11 ft"),
  };
  for (std::size_t i = 0; i < order.size(); ++i) {
    ASSERT_GE(order[i], 0) << "item " << i << " not drawn";
    if (i > 0) {
      EXPECT_GT(order[i], order[i - 1]) << "item " << i << " out of order";
    }
  }
  // The NDB layer is off; the hold state writes no autopilot text; traffic 3 nm near and 200 ft above is red.
  EXPECT_EQ(f.FirstText(". AB (350.00)"), -1);
  EXPECT_EQ(f.First([](const map::CanvasCall& c) { return c.text.starts_with("AP-"); }), -1);
  EXPECT_EQ(f.canvas.Calls()[static_cast<std::size_t>(f.FirstText("O 2"))].font.color, map::kRed);
}

void ExpectNearPoints(const std::vector<std::pair<int, int>>& actual, const std::vector<std::pair<int, int>>& wanted) {
  ASSERT_EQ(actual.size(), wanted.size());
  for (std::size_t i = 0; i < actual.size(); ++i) {
    EXPECT_NEAR(actual[i].first, wanted[i].first, 1) << "point " << i;
    EXPECT_NEAR(actual[i].second, wanted[i].second, 1) << "point " << i;
  }
}

TEST(AirportFrame, PavementRectanglesAndLinesFollowTheScale) {
  Frame f;
  // A 3000 m runway heading east at the centre: half-length 9843 x 0.5 x 2.738066e-06 x 3000 = 40.4 px,
  // half-width 1.35 px; the centre line and the localizer course reach 10 nm (499 px).
  f.layout.items = {Item("09", 52.0, 4.8, 90, 9843, 328)};
  f.beacons = {{navdata::BeaconKind::kIls, 52.0, 4.8f, "IAA", "110.10 180   0", ""}};
  const auto& calls = f.Draw();
  std::vector<std::pair<int, int>> runway, centreLine, localizer;
  for (const map::CanvasCall& call : calls) {
    if (call.kind != Kind::LineTo && call.kind != Kind::MoveTo) continue;
    if (call.penColor == map::kYellow) {
      (runway.size() < 5 ? runway : localizer).emplace_back(call.x2, call.y2);
    }
    if (call.penColor == kCentreLineGrey) centreLine.emplace_back(call.x2, call.y2);
  }
  const std::vector<std::pair<int, int>> corners = {{440, 298}, {440, 301}, {359, 301}, {359, 298}, {440, 298}};
  ExpectNearPoints(runway, corners);
  ExpectNearPoints(centreLine, {{899, 300}, {-99, 300}});
  ExpectNearPoints(localizer, {{400, 300}, {400, -199}});
}

TEST(AirportFrame, TheDescentMarkerIsTheMapsGreenWhereTheSelectedAltitudeIsReached) {
  Frame f;
  f.inputs.common.toggles.ownAircraftShown = true;
  // 2000 ft down at 1000 ft/min and 2 nm a minute: 4 nm north, 4 / 60 x 3000 = 200 px above the aircraft.
  f.inputs.common.aircraft = {.latitude = 52.0,
                              .longitude = 4.8,
                              .altitudeFt = 5000,
                              .groundSpeedKt = 120,
                              .apAltitudeFt = 3000,
                              .apVerticalSpeedFpm = -1000};
  f.Draw();
  const int bar = f.FirstLine(map::kLime);
  ASSERT_GE(bar, 0);
  const map::CanvasCall& line = f.canvas.Calls()[static_cast<std::size_t>(bar)];
  EXPECT_EQ(std::vector<int>({line.x1, line.y1, line.x2, line.y2}), std::vector<int>({380, 100, 420, 100}));
}

TEST(AirportFrame, LocalizerCoursesReadTheVariationsTheCompilerWrites) {
  // Course 180: the course line runs north from the antenna (10 nm, 499 px), turned by the variation.
  struct Case {
    const char* text;
    double bearingDeg;  // negative: no line
  } cases[] = {{"110.10 180   0", 0},
               {"110.10 180 -1.", 1},
               {"110.10 180 16.", 344},
               {"110.10 180 0.5", 359.5},
               {"110.10 180 1x.", -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Frame f;
    f.beacons = {{navdata::BeaconKind::kIls, 52.0, 4.8f, "IAA", c.text, ""}};
    std::vector<map::CanvasCall> lines;
    for (const map::CanvasCall& call : f.Draw()) {
      if (call.kind == Kind::LineTo && call.penColor == map::kYellow) lines.push_back(call);
    }
    if (c.bearingDeg < 0) {
      EXPECT_TRUE(lines.empty());
      continue;
    }
    ASSERT_EQ(lines.size(), 1u);
    double bearing = std::atan2(lines[0].x2 - lines[0].x1, lines[0].y1 - lines[0].y2) * 180 / std::numbers::pi;
    if (bearing < -0.5) bearing += 360;
    EXPECT_NEAR(bearing, c.bearingDeg, 0.5);
  }
}

TEST(AirportFrameCollection, BoxAroundTheCentreAndTheSelectedRun) {
  navdata::NavDatabase database;
  database.beacons.OpenForAppend(3);
  for (const double north : {0.49, 0.5, -0.49}) {
    database.beacons.Append({navdata::BeaconKind::kVor, float(kCentre.latitude + north), float(kCentre.longitude),
                             "B" + std::to_string(north), "113.00", ""});
  }
  database.beacons.Close();
  std::vector<NearBeacon> near;
  CollectNearBeacons(database.beacons, kCentre, near);
  ASSERT_EQ(near.size(), 2u);
  EXPECT_EQ(near[1].latitude, float(kCentre.latitude - 0.49));

  plan::ProcedureTable table;
  table.entries = {{"", 1, 1, "", ""},
                   {"A", 52.1f, 4.1f, "SID1", "18L"},
                   {"B", 52.2f, 4.2f, "SID1", "18L"},
                   {"C", 52.3f, 4.3f, "SID2", "24"},
                   {}};
  ProcedurePreview preview;
  table.selected = 1;
  CollectProcedurePreview(table, preview);
  EXPECT_EQ(preview.title, "SID1 / 18L");
  ASSERT_EQ(preview.points.size(), 2u);
  EXPECT_EQ(preview.points[1].label, "B");
  table.selected = 0;
  CollectProcedurePreview(table, preview);
  EXPECT_TRUE(preview.points.empty());
}

plan::Waypoint Point(std::string ident, float latitude) {
  plan::Waypoint entry;
  entry.ident = std::move(ident);
  entry.lat = latitude;
  entry.lon = 4;
  entry.kind = plan::WaypointKind::kUserPoint;
  return entry;
}

TEST(AirportViewDelete, RemovesWhatTheStatusNames) {
  struct Case {
    std::vector<std::string> idents;
    std::int32_t tail;
    bool insertMode;
    std::int32_t insertIndex;
    std::vector<std::string> left;
  };
  for (const Case& c : {
           Case{{"DEP"}, 1, false, 0, {}},
           Case{{"DEP", "ARR"}, 1, false, 0, {"DEP"}},
           Case{{"DEP", "FIX", "ARR"}, 2, false, 0, {"DEP", "ARR"}},
           Case{{"DEP", "S1", "S2", "ARR"}, 3, true, 2, {"DEP", "S2", "ARR"}},
           Case{{"DEP", "S1", "ARR"}, 2, true, 1, {"DEP", "S1", "ARR"}},
           Case{{}, 0, false, 0, {}},
       }) {
    plan::FlightPlan plan;
    for (std::size_t i = 0; i < c.idents.size(); ++i) plan.entries[i] = Point(c.idents[i], 50.0f + float(i));
    plan.tail = c.tail;
    plan.insertMode = c.insertMode;
    plan.insertIndex = c.insertIndex;
    const plan::DeleteOutcome outcome = DeleteCommandAirportView(plan);
    std::vector<std::string> left;
    for (const plan::Waypoint& entry : plan.entries) {
      if (entry.IsEndMarker()) break;
      left.push_back(entry.ident);
    }
    EXPECT_EQ(left, c.left) << c.idents.size() << " entries, tail " << c.tail;
    EXPECT_EQ(outcome.status.empty(), c.left.size() == c.idents.size());
  }
}

}  // namespace
}  // namespace corvane::airport
