// Projection, inverse, mode cycle, zoom and click dispatch of the map view.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "map_click.h"
#include "map_view.h"
#include "map_zoom.h"

namespace corvane::map {
namespace {

MapView View(MapMode mode, float headingDeg = 0, int widthPx = 800, int heightPx = 600) {
  MapView view;
  view.centre = {52.0, 5.0};
  view.mode = mode;
  view.rangeNm = 160;
  UpdateGeometry(view, widthPx, heightPx, headingDeg);
  return view;
}

TEST(MapViewTest, GeometryByMode) {
  const MapView arc = View(MapMode::kArc, 90);
  EXPECT_EQ(arc.originY, 522);
  EXPECT_EQ(arc.radiusPx, 480);
  EXPECT_FLOAT_EQ(arc.rotationDeg, 90);
  const MapView rose = View(MapMode::kRose, 90);
  EXPECT_EQ(rose.originY, 300);
  EXPECT_EQ(rose.radiusPx, 210);
  EXPECT_FLOAT_EQ(rose.rotationDeg, 90);
  const MapView north = View(MapMode::kMap, 90);
  EXPECT_FLOAT_EQ(north.rotationDeg, 0);
}

TEST(MapViewTest, CardinalPoints) {
  const MapView north = View(MapMode::kMap);
  // Due east: bearing 90, on the centre row, right of the centre by distNm / rangeNm x R.
  const ScreenPoint east = ProjectToScreen(north, 52.0, 6.0);
  const double eastNm = std::cos(52.0 * std::numbers::pi / 180) * 60.0;
  EXPECT_NEAR(east.distNm, eastNm, 1e-3);
  EXPECT_EQ(east.x, static_cast<int>(eastNm / 160 * 210 + 400));
  EXPECT_EQ(east.y, 300);
  // Due south: bearing 180, straight below.
  const ScreenPoint south = ProjectToScreen(north, 51.0, 5.0);
  EXPECT_EQ(south.x, 400);
  EXPECT_EQ(south.y, static_cast<int>(300 + 60.0 / 160 * 210));
  // Heading 90 in arc mode: the point due east lies straight above the aircraft.
  const MapView arc = View(MapMode::kArc, 90);
  const ScreenPoint ahead = ProjectToScreen(arc, 52.0, 6.0);
  EXPECT_EQ(ahead.x, 400);
  EXPECT_EQ(ahead.y, static_cast<int>(522 - eastNm / 160 * 480));
  // The centre itself: distance 0, the origin.
  const ScreenPoint centre = ProjectToScreen(arc, 52.0, 5.0);
  EXPECT_EQ(centre.x, 400);
  EXPECT_EQ(centre.y, 522);
}

TEST(MapViewTest, BearingIsWholeDegrees) {
  // Points at 45.1 and 45.9 degrees both land on the 45 degree ray.
  MapView north = View(MapMode::kMap);
  north.rangeNm = 40;
  constexpr double kRadPerDeg = std::numbers::pi / 180;
  for (const double bearingDeg : {45.1, 45.9}) {
    const double latitude = 52.0 + std::cos(bearingDeg * kRadPerDeg);
    const double meanCos = (std::cos(latitude * kRadPerDeg) + std::cos(52.0 * kRadPerDeg)) * 0.5;
    const ScreenPoint p = ProjectToScreen(north, latitude, 5.0 + std::sin(bearingDeg * kRadPerDeg) / meanCos);
    const double screenDeg = std::atan2(p.x - 400.0, 300.0 - p.y) / kRadPerDeg;
    EXPECT_NEAR(screenDeg, 45.0, 0.3) << bearingDeg;
  }
}

TEST(MapViewTest, RoundTripsInAllModes) {
  struct Case {
    MapMode mode;
    float headingDeg;
    double latitude, longitude;
  };
  const Case cases[] = {
      {MapMode::kMap, 0, 52.5, 5.5},   {MapMode::kMap, 0, 51.2, 3.9},    {MapMode::kArc, 90, 52.6, 6.0},
      {MapMode::kArc, 270, 52.9, 4.0}, {MapMode::kRose, 135, 51.5, 5.8}, {MapMode::kRose, 359.5f, 52.4, 4.7},
  };
  for (const Case& c : cases) {
    const MapView view = View(c.mode, c.headingDeg);
    const ScreenPoint pixel = ProjectToScreen(view, c.latitude, c.longitude);
    const std::optional<GeoPos> back = ScreenToGeo(view, pixel.x, pixel.y);
    ASSERT_TRUE(back.has_value());
    // The bearing is truncated to a degree and the pixel to a whole pixel (and one more degree in
    // the rotated modes, whose relative bearing is truncated again).
    const double nmPerPx = double(view.rangeNm) / view.radiusPx;
    const double toleranceNm = pixel.distNm * 2.0 * std::numbers::pi / 180 + 2 * nmPerPx;
    const double dLat = back->latitude - c.latitude;
    const double dLon = (back->longitude - c.longitude) * std::cos(c.latitude * std::numbers::pi / 180);
    EXPECT_LT(std::hypot(dLat, dLon) * 60, toleranceNm) << int(c.mode) << " " << c.latitude << " " << c.longitude;
  }
}

TEST(MapViewTest, ClickAtCentreReturnsCentre) {
  const MapView view = View(MapMode::kMap);
  const std::optional<GeoPos> back = ScreenToGeo(view, 400, 300);
  ASSERT_TRUE(back.has_value());
  EXPECT_FLOAT_EQ(float(back->latitude), 52.0f);
  EXPECT_FLOAT_EQ(float(back->longitude), 5.0f);
}

TEST(MapViewTest, InverseIsUndefinedWithoutRadiusOrAtThePole) {
  MapView tiny = View(MapMode::kMap, 0, 800, 2);
  EXPECT_EQ(tiny.radiusPx, 0);
  EXPECT_FALSE(ScreenToGeo(tiny, 10, 1).has_value());
  MapView pole = View(MapMode::kMap);
  pole.centre = {90.0, 0.0};
  EXPECT_FALSE(ScreenToGeo(pole, 10, 10).has_value());
  // A re-centre on an undefined point leaves the view alone.
  pole.followAircraft = true;
  RecentreAt(pole, 10, 10);
  EXPECT_TRUE(pole.followAircraft);
}

TEST(MapViewTest, RecentreClampsToTheGlobe) {
  MapView view = View(MapMode::kMap);
  view.centre = {89.5, 179.5};
  view.rangeNm = 1280;
  view.followAircraft = true;
  RecentreAt(view, 799, 1);
  EXPECT_FALSE(view.followAircraft);
  EXPECT_EQ(view.centre.latitude, 90.0);
  EXPECT_EQ(view.centre.longitude, 180.0);
}

TEST(MapViewTest, SetModeCyclesAndFollows) {
  MapView view;
  view.mode = MapMode::kMap;
  SetMode(view);
  EXPECT_EQ(view.mode, MapMode::kArc);
  EXPECT_TRUE(view.followAircraft);
  SetMode(view);
  EXPECT_EQ(view.mode, MapMode::kRose);
  EXPECT_TRUE(view.followAircraft);
  SetMode(view);
  EXPECT_EQ(view.mode, MapMode::kMap);
  EXPECT_FALSE(view.followAircraft);
}

TEST(MapViewTest, FollowNeedsAPosition) {
  MapView view;
  view.followAircraft = true;
  FollowAircraft(view, 0.0, 7.0);
  EXPECT_EQ(view.centre, (GeoPos{52.0, 5.0}));
  FollowAircraft(view, 50.0, 7.0);
  EXPECT_EQ(view.centre, (GeoPos{50.0, 7.0}));
  view.followAircraft = false;
  FollowAircraft(view, 40.0, 7.0);
  EXPECT_EQ(view.centre.latitude, 50.0);
}

TEST(MapZoomTest, WheelStepsAndClamps) {
  struct Case {
    int rangeNm, delta, expected;
  };
  const Case cases[] = {{160, -120, 240}, {160, 120, 120},    {2, 120, 2},
                        {3, 120, 2},      {1000, -120, 1280}, {1280, -120, 1280}};
  for (const Case& c : cases) {
    MapView view;
    view.rangeNm = c.rangeNm;
    float zoom = 1;
    MouseWheelZoom(view, zoom, c.delta, {});
    EXPECT_EQ(view.rangeNm, c.expected) << c.rangeNm << " " << c.delta;
  }
}

TEST(MapZoomTest, OneWheelEventInThreeActs) {
  MapView view;
  view.rangeNm = 160;
  float zoom = 1;
  for (int i = 0; i < 3; ++i) MouseWheelZoom(view, zoom, -120, {});
  EXPECT_EQ(view.rangeNm, 240);
  MouseWheelZoom(view, zoom, -120, {});
  EXPECT_EQ(view.rangeNm, 360);
  // While the plan panel is shown the wheel neither zooms nor counts.
  MouseWheelZoom(view, zoom, -120, {.flightPlanPanelVisible = true});
  EXPECT_EQ(view.wheelCounter, 1);
}

TEST(MapZoomTest, AirportViewTakesTheZoom) {
  MapView view;
  float zoom = 0.00012f;
  MouseWheelZoom(view, zoom, 120, {.airportViewRunning = true});
  EXPECT_FLOAT_EQ(zoom, 0.0001f);
  EXPECT_EQ(view.rangeNm, 160);
  zoom = 0.0012f;
  EXPECT_TRUE(KeyZoom(view, zoom, kKeyZoomIn, {.airportViewRunning = true}));
  EXPECT_FLOAT_EQ(zoom, 0.001f);
  zoom = 1.5f;
  KeyZoom(view, zoom, kKeyZoomOut, {.airportViewRunning = true});
  EXPECT_FLOAT_EQ(zoom, 2.0f);
}

TEST(MapZoomTest, Keys) {
  MapView view;
  float zoom = 1;
  EXPECT_TRUE(KeyZoom(view, zoom, kKeyZoomIn, {}));
  EXPECT_EQ(view.rangeNm, 120);
  EXPECT_TRUE(KeyZoom(view, zoom, kKeyZoomOut, {}));
  EXPECT_EQ(view.rangeNm, 180);
  view.rangeNm = 2;
  KeyZoom(view, zoom, kKeyZoomIn, {});
  EXPECT_EQ(view.rangeNm, 2);
  EXPECT_FALSE(KeyZoom(view, zoom, 'A', {}));
  view.rangeNm = 100;
  KeyZoom(view, zoom, kKeyZoomOut, {.flightPlanPanelVisible = true});
  EXPECT_EQ(view.rangeNm, 100);
}

TEST(MapClickTest, DispatchByButtonModeAndAutopilot) {
  struct Case {
    MouseButton button;
    MapMode mode;
    bool autopilotOn;
    MapClickAction expected;
  };
  const Case cases[] = {
      {MouseButton::kLeft, MapMode::kMap, false, MapClickAction::kRecentre},
      {MouseButton::kLeft, MapMode::kMap, true, MapClickAction::kRecentre},
      {MouseButton::kLeft, MapMode::kArc, false, MapClickAction::kTuneRadio},
      {MouseButton::kLeft, MapMode::kRose, true, MapClickAction::kTuneRadio},
      {MouseButton::kRight, MapMode::kMap, false, MapClickAction::kAddWaypoint},
      {MouseButton::kRight, MapMode::kArc, false, MapClickAction::kNone},
      {MouseButton::kRight, MapMode::kArc, true, MapClickAction::kFlyDirectTo},
      {MouseButton::kMiddle, MapMode::kMap, false, MapClickAction::kDeleteWaypoint},
      {MouseButton::kMiddle, MapMode::kRose, false, MapClickAction::kNone},
      {MouseButton::kMiddle, MapMode::kMap, true, MapClickAction::kHoldAt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MapClickActionFor(c.button, c.mode, c.autopilotOn), c.expected)
        << int(c.button) << " " << int(c.mode) << " " << c.autopilotOn;
  }
}

TEST(MapClickTest, CentreStatusText) {
  EXPECT_EQ(CentreStatusText({52.5, 4.75}), "Latitude = 52.5  -  Longtitude = 4.75");
  EXPECT_EQ(CentreStatusText({-33.0, 151.0}), "Latitude = -33  -  Longtitude = 151");
  EXPECT_EQ(FormatGeneral(double(52.37f)), "52.3699989318848");
}

}  // namespace
}  // namespace corvane::map
