// Geo lines: coastlines and borders by layer, each segment drawn whole and left to the canvas to clip.
#include "map_painters.h"

namespace corvane::map {

namespace {

Color GeoLayerColor(std::int32_t layer, const MapColours& colours) {
  switch (layer) {
    case 1: return colours.geo;
    case 2: return colours.geo2;
    case 3: return colours.geo3;
    // Layer 4 and the layers above it, which have no swatch of their own.
    default: return colours.geo4;
  }
}

}  // namespace

void PaintGeoLines(Canvas& canvas, const MapView& view, const NearbyGeoList& geo, int geoMode,
                   const MapColours& colours) {
  SetFontColor(canvas, colours.geo);
  const Projector project(view);
  // Outlines are chains: a segment usually starts where the previous one ended.
  float lastLatitude = 0, lastLongitude = 0;
  ScreenPoint last;
  for (std::size_t i = 0; !IsEndRow(geo[i]); ++i) {
    const NearbyGeo& line = geo[i];
    if (line.layer != 1 && !(geoMode == 2 && line.layer > 1)) continue;
    canvas.SetPenColor(GeoLayerColor(line.layer, colours));
    const bool chained = i > 0 && line.latitude1 == lastLatitude && line.longitude1 == lastLongitude;
    const ScreenPoint from = chained ? last : project(line.latitude1, line.longitude1);
    last = project(line.latitude2, line.longitude2);
    lastLatitude = line.latitude2;
    lastLongitude = line.longitude2;
    canvas.MoveTo(from.x, from.y);
    canvas.LineTo(last.x, last.y);
  }
}

}  // namespace corvane::map
