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

void PaintGeoLines(Canvas& canvas, const MapView& view, const NearbyGeoList& geo, int geoMode, const MapColours& colours) {
  SetFontColor(canvas, colours.geo);
  for (std::size_t i = 0; !IsEndRow(geo[i]); ++i) {
    const NearbyGeo& line = geo[i];
    if (line.layer != 1 && !(geoMode == 2 && line.layer > 1)) continue;
    canvas.SetPenColor(GeoLayerColor(line.layer, colours));
    const ScreenPoint from = ProjectToScreen(view, line.latitude1, line.longitude1);
    const ScreenPoint to = ProjectToScreen(view, line.latitude2, line.longitude2);
    canvas.MoveTo(from.x, from.y);
    canvas.LineTo(to.x, to.y);
  }
}

}  // namespace corvane::map
