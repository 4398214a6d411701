// Frames on the recording canvas: what is drawn where, in which colour, with which text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "display_buttons.h"
#include "map_frame.h"
#include "map_painters.h"
#include "recording_canvas.h"

namespace corvane::map {
namespace {

using Kind = CanvasCall::Kind;

struct FrameFixture {
  NearbyLists lists;
  FrameInputs inputs;
  MapView view;
  std::vector<RouteWaypoint> route;
  std::vector<TrafficMark> traffic;

  FrameFixture() {
    view.centre = {0.0, 10.0};
    view.mode = MapMode::kMap;
    view.rangeNm = 10;
    inputs.nearby = &lists;
  }

  void AddPoint(std::int32_t kind, double latitude, double longitude, std::string ident, std::string info1 = " ",
                std::string info2 = " ") {
    const std::size_t index = lists.points.EndIndex();
    *lists.points.Slot(index) = {kind, float(latitude), float(longitude), ident, info1, info2};
  }

  const std::vector<CanvasCall>& Draw(int width = 800, int height = 400) {
    inputs.route = route;
    inputs.traffic = traffic;
    canvas.Clear();
    DrawMapFrame(canvas, view, inputs, width, height);
    return canvas.Calls();
  }

  std::vector<CanvasCall> Texts(const std::string& text) const {
    std::vector<CanvasCall> found;
    for (const CanvasCall& call : canvas.Calls()) {
      if (call.kind == Kind::TextOut && call.text == text) found.push_back(call);
    }
    return found;
  }

  bool HasText(const std::string& text) const { return !Texts(text).empty(); }

  RecordingCanvas canvas{3000, 2250};
};

TEST(MapFrameTest, ClearsTheWholeImageFirst) {
  FrameFixture f;
  f.inputs.colours.background = 0x102030;
  const auto& calls = f.Draw();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls[0].kind, Kind::Rectangle);
  EXPECT_EQ(calls[0].x2, 3000);
  EXPECT_EQ(calls[0].y2, 2250);
  EXPECT_EQ(calls[0].brushColor, 0x102030u);
  // Texts keep the background brush: an opaque box behind every label.
  f.AddPoint(kPointAirport, 0.0, 10.05, "EHAM ");
  f.Draw();
  EXPECT_EQ(f.Texts("# EHAM ").at(0).brushColor, 0x102030u);
}

TEST(MapFrameTest, AirportNamesArePaintedOverNearbyBeaconLabels) {
  // The list holds the airport first, as the refresh writes it; its name must still end up on top.
  FrameFixture f;
  f.inputs.toggles.vor = true;
  f.inputs.toggles.ndb = true;
  f.AddPoint(kPointAirport, 0.0, 10.05, "EHAM ");
  f.AddPoint(kPointVor, 0.0, 10.049, "AMS", "113.95", "AMSTERDAM");
  f.AddPoint(kPointNdb, 0.0, 10.051, "SPL", "108.40");
  const auto& calls = f.Draw();
  const auto indexOf = [&](std::string_view prefix) {
    return std::find_if(calls.begin(), calls.end(),
                        [&](const CanvasCall& c) { return c.kind == Kind::TextOut && c.text.starts_with(prefix); }) -
           calls.begin();
  };
  ASSERT_LT(indexOf("# EHAM"), static_cast<long>(calls.size()));
  EXPECT_GT(indexOf("# EHAM"), indexOf("o AMS"));
  EXPECT_GT(indexOf("# EHAM"), indexOf("+ SPL"));
}

TEST(MapFrameTest, RangeTestAndScreenEdges) {
  // A wide window: points due east at 1.4 and 1.5 times the range are both on screen.
  FrameFixture f;
  f.AddPoint(kPointAirport, 0.0, 10.0 + 14.0 / 60, "NEAR ");
  f.AddPoint(kPointAirport, 0.0, 10.25, "FAR  ");  // exactly 15 nm
  f.Draw(1600, 400);
  EXPECT_TRUE(f.HasText("# NEAR "));
  EXPECT_FALSE(f.HasText("# FAR  "));

  // A point that projects onto x = 0 is not drawn; one a pixel further in is.
  FrameFixture edge;
  edge.view.rangeNm = 7;
  edge.AddPoint(kPointAirport, 0.0, 10.0 - 10.0 / 60, "EDGE ");
  edge.AddPoint(kPointAirport, 0.0, 10.0 - 9.9 / 60, "IN   ");
  edge.Draw(400, 400);
  EXPECT_EQ(ProjectToScreen(edge.view, 0.0, 10.0 - 10.0 / 60).x, 0);
  EXPECT_FALSE(edge.HasText("# EDGE "));
  EXPECT_TRUE(edge.HasText("# IN   "));
}

TEST(MapFrameTest, GeoAndAirwaysIgnoreTheScreen) {
  FrameFixture f;
  f.inputs.toggles.airwayMode = 2;
  *f.lists.geo.Slot(0) = {40.0f, 40.0f, 41.0f, 41.0f, 7, 1};
  *f.lists.geo.Slot(1) = {0.1f, 10.0f, 0.2f, 10.0f, 8, 5};
  *f.lists.airways.Slot(0) = {30.0f, 30.0f, 31.0f, 31.0f, "UL620 ", 1};
  const auto& calls = f.Draw();
  const ScreenPoint farGeo = ProjectToScreen(f.view, 41.0, 41.0);
  const ScreenPoint farAirway = ProjectToScreen(f.view, 31.0, 31.0);
  int geoLines = 0;
  bool airwayDrawn = false;
  for (const CanvasCall& call : calls) {
    if (call.kind != Kind::LineTo) continue;
    if (call.x2 == farGeo.x && call.y2 == farGeo.y && call.penColor == f.inputs.colours.geo) ++geoLines;
    if (call.x2 == farAirway.x && call.y2 == farAirway.y && call.penColor == f.inputs.colours.airwayHigh)
      airwayDrawn = true;
  }
  EXPECT_EQ(geoLines, 1);
  EXPECT_TRUE(airwayDrawn);
  EXPECT_EQ(f.Texts("UL620 ").at(0).font.color, f.inputs.colours.airwayHigh);
}

TEST(MapFrameTest, GeoModesAndLayerColours) {
  struct Case {
    int geoMode;
    std::int32_t layer;
    bool drawn;
    Color pen;
  };
  const MapColours colours;
  const Case cases[] = {
      {1, 1, true, colours.geo},  {1, 2, false, 0},           {2, 2, true, colours.geo2}, {2, 3, true, colours.geo3},
      {2, 4, true, colours.geo4}, {2, 7, true, colours.geo4}, {0, 1, false, 0},
  };
  for (const Case& c : cases) {
    FrameFixture f;
    f.inputs.toggles.geoMode = c.geoMode;
    f.inputs.toggles.rangeRings = false;
    f.inputs.toggles.ownAircraftShown = false;
    *f.lists.geo.Slot(0) = {0.05f, 10.0f, 0.06f, 10.0f, 0, c.layer};
    f.Draw();
    const ScreenPoint end = ProjectToScreen(f.view, 0.06f, 10.0f);
    const auto& calls = f.canvas.Calls();
    const auto line = std::find_if(calls.begin(), calls.end(), [&](const CanvasCall& call) {
      return call.kind == Kind::LineTo && call.x2 == end.x && call.y2 == end.y;
    });
    EXPECT_EQ(line != calls.end(), c.drawn) << c.geoMode << " " << c.layer;
    if (c.drawn && line != calls.end()) {
      EXPECT_EQ(line->penColor, c.pen) << c.layer;
    }
  }
}

TEST(MapFrameTest, AirwayModesPickLevels) {
  struct Case {
    int airwayMode;
    std::int32_t level;
    bool drawn;
  };
  const Case cases[] = {{1, 1, true},  {1, 2, true}, {1, 3, false}, {3, 3, true},
                        {3, 1, false}, {2, 1, true}, {2, 3, true}};
  for (const Case& c : cases) {
    FrameFixture f;
    f.inputs.toggles.airwayMode = c.airwayMode;
    *f.lists.airways.Slot(0) = {0.05f, 10.0f, 0.06f, 10.0f, "A1 ", c.level};
    f.Draw();
    EXPECT_EQ(f.HasText("A1 "), c.drawn) << c.airwayMode << " " << c.level;
  }
}

TEST(MapFrameTest, Runways) {
  FrameFixture f;
  f.inputs.toggles.labels = true;
  // On screen, water runway: label, grey centre line, aqua runway line.
  *f.lists.runways.Slot(0) = {0.0f, 10.05f, 90.0f, 1500.0f, "09W", "ILS 110.1"};
  // Threshold 2 px beyond the right edge of a 400 px paint box, within range.
  const double offNm = (200 + 2) / 140.0 * 10;
  *f.lists.runways.Slot(1) = {0.0f, float(10.0 + offNm / 60), 270.0f, 1500.0f, "27 ", "OFFSCREEN"};
  f.Draw(400, 400);
  const ScreenPoint on = ProjectToScreen(f.view, 0.0f, 10.05f);
  const ScreenPoint off = ProjectToScreen(f.view, 0.0f, float(10.0 + offNm / 60));
  ASSERT_GT(off.x, 400);
  // The text stands at the threshold of its end, half the runway line (1500 m at 14 px/nm) west.
  const std::vector<CanvasCall> label = f.Texts("ILS 110.1");
  ASSERT_EQ(label.size(), 1u);
  EXPECT_NEAR(label[0].x1, on.x - 9.45, 1.0);
  EXPECT_EQ(label[0].y1, on.y);
  EXPECT_FALSE(f.HasText("OFFSCREEN"));
  int greyFromOn = 0, aquaFromOn = 0, greyFromOff = 0, yellowFromOff = 0;
  for (const CanvasCall& call : f.canvas.Calls()) {
    if (call.kind != Kind::LineTo) continue;
    if (call.x1 == on.x && call.y1 == on.y) {
      greyFromOn += call.penColor == kGrey;
      aquaFromOn += call.penColor == kAqua;
    }
    if (call.x1 == off.x && call.y1 == off.y) {
      greyFromOff += call.penColor == kGrey;
      yellowFromOff += call.penColor == kYellow;
    }
  }
  EXPECT_EQ(greyFromOn, 1);
  EXPECT_EQ(aquaFromOn, 1);
  EXPECT_EQ(greyFromOff, 0);
  EXPECT_EQ(yellowFromOff, 1);
  // The heading-up modes draw no runways.
  f.view.mode = MapMode::kArc;
  f.Draw(400, 400);
  EXPECT_FALSE(f.HasText("ILS 110.1"));
}

TEST(MapFrameTest, PointTextsWithAndWithoutLabels) {
  struct Case {
    bool labels;
    const char* vor;
    const char* ndb;
    bool heliport;
    bool ils;
  };
  const Case cases[] = {
      {true, "o SPL (108.40 SCHIPHOL)", "+ PA (370.00)", true, true},
      {false, "o SPL", "+ PA", false, false},
  };
  for (const Case& c : cases) {
    FrameFixture f;
    f.inputs.toggles = {.vor = true, .ndb = true, .fixes = true, .labels = c.labels};
    f.AddPoint(kPointVor, 0.01, 10.01, "SPL", "108.40", "SCHIPHOL");
    f.AddPoint(kPointNdb, 0.02, 10.01, "PA", "370.00");
    f.AddPoint(kPointHeliport, 0.03, 10.01, "HEL", "HEL");
    f.AddPoint(kPointIls, 0.04, 10.01, "IAMS", "110.10 270 -02", "AMSTERDAM");
    f.AddPoint(kPointFix, 0.05, 10.01, "ARTIP ", ".");
    f.Draw();
    EXPECT_TRUE(f.HasText(c.vor));
    EXPECT_TRUE(f.HasText(c.ndb));
    EXPECT_EQ(f.HasText("H"), c.heliport);
    EXPECT_EQ(f.HasText("IAMS (110.10 270 -02)"), c.ils);
    EXPECT_TRUE(f.HasText("^ ARTIP "));
    if (c.labels) {
      EXPECT_EQ(f.Texts(c.vor)[0].font.color, f.inputs.colours.vor);
      EXPECT_EQ(f.Texts("H")[0].y1, ProjectToScreen(f.view, 0.03f, 10.01f).y + 10);
    }
  }
}

// The screen bearing, in degrees 0..360, of the line from (x1, y1) to (x2, y2).
double ScreenBearingDeg(const CanvasCall& call) {
  const double deg = std::atan2(call.x2 - call.x1, call.y1 - call.y2) * 180 / std::numbers::pi;
  return deg < 0 ? deg + 360 : deg;
}

TEST(MapFrameTest, IlsLocalizerPointsAwayFromTheCourse) {
  // Course 090: the line runs west from the antenna, turned by the variation, 15 / 30 x 140 = 70 px
  // long. The data compiler writes fractional variations ("-1.", "16.", "0.5").
  struct Case {
    const char* text;
    double bearingDeg;  // negative: no line
  } cases[] = {{"110.10 090 000", 270},   {"110.10 090 -02", 272}, {"110.10 090 -1.", 271}, {"110.10 090 16.", 254},
               {"110.10 090 0.5", 269.5}, {"110.10 090 x.5", -1},  {"110.10 09x 000", -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    FrameFixture f;
    f.AddPoint(kPointIls, 0.0, 10.05, "IXX", c.text);
    f.view.rangeNm = 30;
    f.Draw(800, 400);
    const ScreenPoint p = ProjectToScreen(f.view, 0.0f, 10.05f);
    std::vector<CanvasCall> lines;
    for (const CanvasCall& call : f.canvas.Calls()) {
      if (call.kind == Kind::LineTo && call.penColor == kGrey && call.x1 == p.x && call.y1 == p.y)
        lines.push_back(call);
    }
    if (c.bearingDeg < 0) {
      EXPECT_TRUE(lines.empty());
      continue;
    }
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NEAR(ScreenBearingDeg(lines[0]), c.bearingDeg, 1.0);
    EXPECT_NEAR(std::hypot(lines[0].x2 - p.x, lines[0].y2 - p.y), 70, 1.5);
  }
}

TEST(MapFrameTest, TrafficConflictIsRed) {
  struct Case {
    double distNm;
    float belowFt;
    const char* text;
    Color color;
  };
  const Case cases[] = {
      {2.9, 650, "O -6", kRed}, {2.9, 800, "O -8", kWhite}, {3.1, 100, "O -1", kWhite}, {1.0, -699, "O 6", kRed}};
  for (const Case& c : cases) {
    FrameFixture f;
    f.inputs.toggles.trafficMode = 2;
    f.inputs.aircraft.altitudeFt = 5000;
    f.traffic.push_back({0.0f, float(10.0 + c.distNm / 60), 5000 - c.belowFt, "KLM123"});
    f.Draw();
    const auto texts = f.Texts(c.text);
    ASSERT_EQ(texts.size(), 1u) << c.text;
    EXPECT_EQ(texts[0].font.color, c.color) << c.text;
    EXPECT_TRUE(texts[0].font.style.bold);
    EXPECT_TRUE(f.HasText("KLM123"));
  }
}

TEST(MapFrameTest, RouteAndHold) {
  FrameFixture f;
  f.route = {{0.01f, 10.01f, "EHAM ", "1"},
             {0.02f, 10.02f, "*****", "*TOD*"},
             {0.03f, 10.03f, "EDDF ", "1"},
             {0.0f, 0.0f, "", ""},
             {0.05f, 10.05f, "AFTER", ""}};
  f.inputs.hold = {1, 0.02f, 10.02f};
  f.Draw();
  EXPECT_TRUE(f.HasText("EHAM "));
  EXPECT_TRUE(f.HasText("*TOD*"));
  EXPECT_FALSE(f.HasText("*****"));
  EXPECT_FALSE(f.HasText("AFTER"));
  EXPECT_EQ(f.Texts("EDDF ")[0].font.color, f.inputs.colours.route);
  EXPECT_EQ(f.Texts("'HOLD")[0].font.color, kRed);
}

TEST(MapFrameTest, NorthUpRingLabels) {
  FrameFixture f;
  f.view.rangeNm = 5;
  f.Draw(800, 400);
  EXPECT_EQ(f.Texts("5").size(), 3u);
  EXPECT_EQ(f.Texts("2").size(), 3u);
  EXPECT_EQ(f.Texts("7.5").size(), 2u);
  // The right-hand 1.5 x label sits at cx + R + R/2 - 10.
  const auto outer = f.Texts("7.5");
  EXPECT_TRUE(std::any_of(outer.begin(), outer.end(), [](const CanvasCall& c) { return c.x1 == 400 + 140 + 70 - 10; }));
  EXPECT_EQ(outer[0].font.color, f.inputs.colours.rangeRings);
  f.inputs.toggles.rangeRings = false;
  f.Draw(800, 400);
  EXPECT_FALSE(f.HasText("7.5"));
}

TEST(MapFrameTest, CompassHeadingUp) {
  // Arc mode, magnetic heading 90: "90" straight above the aircraft, "0" to its left.
  FrameFixture f;
  f.view.mode = MapMode::kArc;
  f.inputs.aircraft = {.connected = true, .latitude = 0.5, .longitude = 10.0, .headingDegTrue = 90.0f};
  f.Draw(800, 600);
  const int r = 480, y0 = 522;
  const auto ninety = f.Texts("90");
  ASSERT_EQ(ninety.size(), 1u);
  EXPECT_EQ(ninety[0].x1, 400 - 8);
  EXPECT_EQ(ninety[0].y1, y0 - 6 - (r + 10));
  const auto zero = f.Texts("0");
  ASSERT_EQ(zero.size(), 1u);
  EXPECT_EQ(zero[0].x1, 400 - (r + 13) - 8);
  EXPECT_EQ(zero[0].font.color, f.inputs.colours.compassNumbers);
  // Rose mode writes every third number only.
  f.view.mode = MapMode::kRose;
  f.Draw(800, 600);
  EXPECT_TRUE(f.HasText("90"));
  EXPECT_FALSE(f.HasText("100"));
  EXPECT_TRUE(f.HasText("120"));
}

TEST(MapFrameTest, MagneticHeadingReadout) {
  struct Case {
    float trueDeg, variationDeg;
    const char* text;
  };
  const Case cases[] = {{359.7f, 0, "360"}, {4.6f, 0, "005"}, {10.0f, 12.0f, "359"}, {0.2f, 0, "000"}};
  for (const Case& c : cases) {
    FrameFixture f;
    f.view.mode = MapMode::kRose;
    f.inputs.aircraft = {.connected = true,
                         .latitude = 0.5,
                         .longitude = 10.0,
                         .headingDegTrue = c.trueDeg,
                         .magneticVariationDeg = c.variationDeg};
    f.Draw();
    const auto readout = f.Texts(c.text);
    ASSERT_FALSE(readout.empty()) << c.text;
    const CanvasCall& call = readout.back();
    EXPECT_EQ(call.x1, 390);
    EXPECT_EQ(call.y1, 30);
    EXPECT_EQ(call.font.color, kYellow);
    EXPECT_EQ(call.font.size, f.inputs.labelFont.size + 4);
  }
}

TEST(MapFrameTest, StatusTexts) {
  FrameFixture f;
  f.inputs.labelFont.size = 8;
  f.inputs.windowWidth = 1000;
  f.inputs.windowHeight = 700;
  f.inputs.aircraft = {.connected = true,
                       .latitude = 0.1,
                       .longitude = 10.0,
                       .altitudeFt = 12345.6,
                       .groundSpeedKt = 250,
                       .windDirectionDegMagnetic = 7,
                       .windSpeedKt = 15};
  f.Draw();
  EXPECT_EQ(f.Texts("12340 ft").at(0).x1, 1000 - 85 - 40);
  EXPECT_EQ(f.Texts("250 Kts").at(0).y1, 16 + 5);
  EXPECT_TRUE(f.HasText("007 / 15"));
  EXPECT_FALSE(f.HasText("AP-OFF"));
  EXPECT_FALSE(f.HasText("to"));
  f.inputs.autopilot = {.mode = 6,
                        .holdActive = 2,
                        .holdTicks = 40,
                        .timer4IntervalMs = 500,
                        .holdLegMinutes = 1,
                        .activeLegIndex = 3,
                        .distanceToNextNm = 12,
                        .nextIdent = "SPY"};
  f.Draw();
  EXPECT_TRUE(f.HasText("AP-HOLD  2 - 40"));
  EXPECT_EQ(f.Texts("12nm").at(0).y1, 700 - 60 - 48);
  EXPECT_TRUE(f.HasText("SPY"));
  // Not connected: no status texts at all.
  f.inputs.aircraft.connected = false;
  f.Draw();
  EXPECT_FALSE(f.HasText("12340 ft"));
}

TEST(MapFrameTest, LevelOffMarker) {
  struct Case {
    std::int32_t groundSpeedKt;
    std::int32_t selectedFt;
    float verticalSpeedFpm;
    bool drawn;
    int distanceNm;  // where the marker is
  };
  const Case cases[] = {{120, 9000, 1000, true, 8},
                        {119, 9000, 1000, true, 4},
                        {120, 5000, 1000, false, 0},
                        {120, 9000, 300, false, 0},
                        {120, 1000, -2000, true, 4}};
  for (const Case& c : cases) {
    FrameFixture f;
    f.view.mode = MapMode::kRose;
    f.view.rangeNm = 20;
    f.inputs.aircraft = {.latitude = 0.5,
                         .longitude = 10.0,
                         .altitudeFt = 5000,
                         .groundSpeedKt = c.groundSpeedKt,
                         .apAltitudeFt = c.selectedFt,
                         .apVerticalSpeedFpm = c.verticalSpeedFpm};
    f.Draw(800, 400);
    const auto marker = f.Texts("AP----" + std::to_string(c.selectedFt));
    ASSERT_EQ(marker.size(), c.drawn ? 1u : 0u) << c.groundSpeedKt << " " << c.verticalSpeedFpm;
    if (c.drawn) {
      EXPECT_EQ(marker[0].y1, 200 - c.distanceNm * 140 / 20 - 10);
    }
  }
}

TEST(MapFrameTest, OwnAircraftNorthUpOnlyOnScreen) {
  FrameFixture f;
  f.inputs.aircraft = {.latitude = 0.05, .longitude = 10.0, .headingDegTrue = 90};
  f.Draw();
  const ScreenPoint p = ProjectToScreen(f.view, 0.05, 10.0);
  // Heading 90: the fuselage runs from 5 px east to 15 px west of the position.
  bool fuselage = false;
  for (const CanvasCall& call : f.canvas.Calls()) {
    if (call.kind == Kind::LineTo && call.penColor == kWhite && call.x1 == p.x + 5 && call.x2 == p.x - 15)
      fuselage = true;
  }
  EXPECT_TRUE(fuselage);
  f.inputs.toggles.ownAircraftShown = false;
  const std::size_t shown = f.Draw().size();
  f.inputs.toggles.ownAircraftShown = true;
  f.inputs.aircraft.latitude = 5.0;  // far off screen
  EXPECT_EQ(f.Draw().size(), shown);
}

// The own aircraft's lines are the last calls of a frame without a connection: live they are white and
// red, after the simulator stopped answering every one of them is grey.
TEST(MapFrameTest, AStaleAircraftIsDrawnGreyInEveryMode) {
  for (const MapMode mode : {MapMode::kMap, MapMode::kArc, MapMode::kRose}) {
    for (const bool stale : {false, true}) {
      FrameFixture f;
      f.view.mode = mode;
      f.inputs.aircraft = {.stale = stale, .latitude = 0.0, .longitude = 10.0, .headingDegTrue = 90};
      f.inputs.toggles.ownAircraftShown = false;
      const std::size_t hidden = f.Draw().size();
      f.inputs.toggles.ownAircraftShown = true;
      const std::vector<CanvasCall> calls = f.Draw();
      ASSERT_GT(calls.size(), hidden);
      int grey = 0, live = 0;
      for (std::size_t i = hidden; i < calls.size(); ++i) {
        if (calls[i].kind != Kind::LineTo) continue;
        (calls[i].penColor == kGrey ? grey : live) += 1;
      }
      EXPECT_EQ(grey > 0, stale) << static_cast<int>(mode);
      EXPECT_EQ(live > 0, !stale) << static_cast<int>(mode);
    }
  }
}

TEST(MapFrameTest, PresentCopiesTheVisiblePart) {
  RecordingCanvas image(3000, 2250), paintBox(640, 480);
  PresentFrame(paintBox, image, 640, 480);
  ASSERT_EQ(paintBox.Calls().size(), 1u);
  EXPECT_EQ(paintBox.Calls()[0].kind, Kind::CopyRect);
  EXPECT_EQ(paintBox.Calls()[0].x2, 640);
  EXPECT_EQ(paintBox.Calls()[0].y2, 480);
}

TEST(DisplayButtonsTest, LooksAndCycles) {
  const MapColours colours;
  EXPECT_EQ(ToggleLook("ARP", true), (ButtonLook{"ARP", true, kButtonGreen}));
  EXPECT_EQ(ToggleLook("VOR", false), (ButtonLook{"VOR", false, kDefaultFontColor}));
  EXPECT_EQ(ThreeStateLook("GEO", 1), (ButtonLook{"GEO", true, kButtonBlue}));
  EXPECT_EQ(ThreeStateLook("TCS", 2), (ButtonLook{"TCS", true, kButtonGreen}));
  int airwayMode = 0;
  const char* captions[] = {"AWH", "AWB", "AWL", "AWY"};
  for (const char* caption : captions) {
    airwayMode = NextAirwayMode(airwayMode);
    EXPECT_EQ(AirwayLook(airwayMode, colours).caption, caption);
  }
  EXPECT_EQ(airwayMode, 0);
  EXPECT_EQ(AirwayLook(3, colours).fontColor, colours.airwayLow);
  EXPECT_EQ(NextThreeStateMode(2), 0);
  EXPECT_EQ(MapModeLook(MapMode::kArc), (ButtonLook{"ARC", true, kButtonBlue}));
  EXPECT_EQ(MapModeLook(MapMode::kMap), (ButtonLook{"MAP", false, kDefaultFontColor}));
  EXPECT_EQ(TextSizeUp(20), 20);
  EXPECT_EQ(TextSizeUp(8), 9);
  EXPECT_EQ(TextSizeDown(6), 6);
}

TEST(DisplayButtonsTest, ResetKeepsTrafficAndFollow) {
  LayerToggles toggles{.airports = false,
                       .vor = true,
                       .ndb = true,
                       .fixes = true,
                       .rangeRings = false,
                       .labels = false,
                       .geoMode = 2,
                       .trafficMode = 2,
                       .airwayMode = 3};
  MapView view;
  view.mode = MapMode::kArc;
  view.followAircraft = true;
  ResetDisplay(toggles, view);
  EXPECT_TRUE(toggles.airports && toggles.rangeRings && toggles.labels);
  EXPECT_FALSE(toggles.vor || toggles.ndb || toggles.fixes);
  EXPECT_EQ(toggles.geoMode, 1);
  EXPECT_EQ(toggles.airwayMode, 0);
  EXPECT_EQ(toggles.trafficMode, 2);
  EXPECT_EQ(view.mode, MapMode::kMap);
  EXPECT_TRUE(view.followAircraft);
  // The next mode click selects arc again.
  SetMode(view);
  EXPECT_EQ(view.mode, MapMode::kArc);
}

}  // namespace
}  // namespace corvane::map
