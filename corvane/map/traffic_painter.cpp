// Other aircraft: relative altitude in hundreds of feet, red when near in both distance and height.
#include "map_painters.h"

namespace corvane::map {

namespace {

constexpr float kConflictDistanceNm = 3.0f;
constexpr double kConflictHeightFt = 700.0;

}  // namespace

void PaintTraffic(Canvas& canvas, const MapView& view, std::span<const TrafficMark> traffic, int trafficMode,
                  double ownAltitudeFt) {
  const float limitNm = static_cast<float>(view.rangeNm) * 1.5f;  // as InRange tests
  PaintTraffic(
      canvas, [&view](double latitude, double longitude) { return ProjectToScreen(view, latitude, longitude); },
      traffic, trafficMode, ownAltitudeFt, limitNm);
}

void PaintTraffic(Canvas& canvas, const PointProjection& project, std::span<const TrafficMark> traffic, int trafficMode,
                  double ownAltitudeFt, float maxDistNm) {
  SetFontColor(canvas, kWhite);
  for (const TrafficMark& mark : traffic) {
    const ScreenPoint p = project(mark.latitude, mark.longitude);
    if (!(p.distNm < maxDistNm)) continue;
    const double relativeFt = mark.altitudeFt - ownAltitudeFt;
    if (p.distNm < kConflictDistanceNm && relativeFt > -kConflictHeightFt && relativeFt < kConflictHeightFt) {
      SetFontColor(canvas, kRed);
    }
    canvas.TextOut(p.x - 7, p.y - 7, "O " + DecimalText(TruncToInt(relativeFt * 0.01)));
    if (trafficMode == 2) canvas.TextOut(p.x - 7, p.y + canvas.CurrentFont().size, mark.callsign);
    SetFontColor(canvas, kWhite);
  }
}

}  // namespace corvane::map
