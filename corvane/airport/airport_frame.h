// One frame of the airport view: everything it draws, collected before the frame as plain data, and
// the frame itself.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "corvane/airport/airport_layout.h"
#include "corvane/map/canvas.h"
#include "corvane/map/frame_inputs.h"
#include "corvane/map/geo_pos.h"
#include "corvane/navdata/nav_tables.h"

namespace corvane::airport {

// A beacon of the box around the view's centre.
struct NearBeacon {
  navdata::BeaconKind kind = navdata::BeaconKind::kNone;
  float latitude = 0;
  float longitude = 0;
  std::string ident;
  std::string frequencyText;  // for an ILS: frequency, course and variation
  std::string name;
};

struct NearFix {
  float latitude = 0;
  float longitude = 0;
  std::string ident;
};

struct PreviewPoint {
  float latitude = 0;
  float longitude = 0;
  std::string label;
};

// The selected SID or STAR: its title ("name / qualifier") and its points; no points, no preview.
struct ProcedurePreview {
  std::string title;
  std::vector<PreviewPoint> points;
};

struct AirportFrameInputs {
  // What the view shares with the map frame: layers, colours, font, route, traffic, aircraft,
  // autopilot and the window's outer size.
  map::FrameInputs common;
  const AirportLayout* layout = nullptr;
  map::GeoPos centre;
  float zoomDeg = 0.1f;  // AirportViewZoom
  std::string ident;     // the viewed airport, as typed
  std::span<const NearBeacon> beacons;
  std::span<const NearFix> fixes;
  const ProcedurePreview* preview = nullptr;
};

// Clears the image and draws the view's items in their order for a paint box of the given size.
void DrawAirportFrame(map::Canvas& image, const AirportFrameInputs& inputs, int paintWidth, int paintHeight);

}  // namespace corvane::airport
