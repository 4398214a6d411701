// Runways of the north-up map: the runway line from each threshold, its extended centre line and its text.
#include "map_painters.h"

namespace corvane::map {

namespace {

// Half-lengths scale to pixels by this factor per nautical mile of range.
constexpr double kRunwayScale = 0.00045;
constexpr double kCentreLineFactor = 5.0;

}  // namespace

void PaintRunways(Canvas& canvas, const MapView& view, const NearbyRunwayList& runways, bool labels) {
  SetFontColor(canvas, kYellow);
  canvas.SetPenColor(kYellow);
  const double pxPerNm = double(view.radiusPx) / view.rangeNm;
  const Projector project(view);
  for (std::size_t i = 0; !IsEndRow(runways[i]); ++i) {
    const NearbyRunway& runway = runways[i];
    const ScreenPoint p = project(runway.latitude, runway.longitude);
    if (!InRange(view, p.distNm)) continue;
    const double runwayPx = runway.halfLengthM * kRunwayScale * pxPerNm;
    if (OnScreen(view, p)) {
      // The row's point is the runway centre for both ends: the text goes to this end's threshold,
      // so that the texts of the two ends do not cover each other.
      if (labels && !runway.extraText.empty()) {
        canvas.TextOut(TruncToInt(p.x - runwayPx * SinDeg(runway.headingDegTrue)),
                       TruncToInt(p.y + runwayPx * CosDeg(runway.headingDegTrue)), runway.extraText);
      }
      double outward = runway.headingDegTrue - 180.0;
      if (outward < 0) outward += 360.0;
      const double centreLinePx = runway.halfLengthM * kCentreLineFactor * kRunwayScale * pxPerNm;
      canvas.SetPenColor(kGrey);
      Line(canvas, p.x, p.y, TruncToInt(p.x + centreLinePx * SinDeg(outward)),
           TruncToInt(p.y - centreLinePx * CosDeg(outward)));
      canvas.SetPenColor(kYellow);
    }
    // A "W" in the designator's third place marks a water runway.
    if (runway.designator.size() >= 3 && runway.designator[2] == 'W') canvas.SetPenColor(kAqua);
    Line(canvas, p.x, p.y, TruncToInt(p.x + runwayPx * SinDeg(runway.headingDegTrue)),
         TruncToInt(p.y - runwayPx * CosDeg(runway.headingDegTrue)));
    canvas.SetPenColor(kYellow);
  }
}

}  // namespace corvane::map
