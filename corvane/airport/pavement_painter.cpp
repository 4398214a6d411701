// Runways, helipads and taxiway pieces as rectangles along their headings, and the runway labels.
#include "corvane/airport/airport_painters.h"
#include "corvane/map/paint_support.h"

namespace corvane::airport {
namespace {

// Degrees of latitude per foot, times the view's pixels per degree.
constexpr double kDegPerFoot = 2.738066e-06;

bool IsLabel(const LayoutItem& item) { return item.kind == kLabelKind || item.kind.empty(); }
bool IsTaxiway(const LayoutItem& item) { return item.kind == kTaxiwayKind; }
bool IsRunway(const LayoutItem& item) { return !IsTaxiway(item) && item.kind != kHelipadKind; }

void PaintRectangle(map::Canvas& canvas, const AirportViewGeometry& view, const LayoutItem& item,
                    const map::ScreenPoint& p) {
  const double pxPerFoot = kDegPerFoot * view.pxPerDeg;
  const double hl = item.lengthFt * 0.5 * pxPerFoot;
  const double hw = item.widthFt * 0.5 * pxPerFoot;
  const double s = map::SinDeg(item.headingDegTrue);
  const double c = map::CosDeg(item.headingDegTrue);
  const double x = p.x;
  const double y = p.y;
  const int x1 = map::TruncToInt(x + hl * s - hw * c);
  const int y1 = map::TruncToInt(y - hl * c - hw * s);
  canvas.MoveTo(x1, y1);
  canvas.LineTo(map::TruncToInt(x + hl * s + hw * c), map::TruncToInt(y - hl * c + hw * s));
  canvas.LineTo(map::TruncToInt(x - hl * s + hw * c), map::TruncToInt(y + hl * c + hw * s));
  canvas.LineTo(map::TruncToInt(x - hl * s - hw * c), map::TruncToInt(y + hl * c - hw * s));
  canvas.LineTo(x1, y1);
}

void PaintCentreLine(map::Canvas& canvas, const AirportViewGeometry& view, double headingDeg,
                     const map::ScreenPoint& p) {
  const double lengthPx = kTenNmDeg * view.pxPerDeg;
  const double dx = lengthPx * map::SinDeg(headingDeg);
  const double dy = lengthPx * map::CosDeg(headingDeg);
  canvas.SetPenColor(kCentreLineGrey);
  map::Line(canvas, map::TruncToInt(p.x + dx), map::TruncToInt(p.y - dy), map::TruncToInt(p.x - dx),
            map::TruncToInt(p.y + dy));
}

}  // namespace

void PaintPavement(map::Canvas& canvas, const AirportViewGeometry& view, std::span<const LayoutItem> items) {
  // Taxiways first, so that no taxiway piece is drawn over a runway.
  canvas.SetPenColor(map::kGrey);
  for (const LayoutItem& item : items) {
    if (IsLabel(item) || !IsTaxiway(item)) continue;
    PaintRectangle(canvas, view, item, ProjectToAirportView(view, item.latitude, item.longitude));
  }
  for (const LayoutItem& item : items) {
    if (IsLabel(item) || IsTaxiway(item)) continue;
    const map::ScreenPoint p = ProjectToAirportView(view, item.latitude, item.longitude);
    canvas.SetPenColor(map::kYellow);
    PaintRectangle(canvas, view, item, p);
    if (IsRunway(item)) PaintCentreLine(canvas, view, item.headingDegTrue, p);
  }
}

void PaintLayoutLabels(map::Canvas& canvas, const AirportViewGeometry& view, std::span<const LayoutItem> items) {
  canvas.SetPenColor(map::kYellow);
  map::SetFontColor(canvas, map::kYellow);
  for (const LayoutItem& item : items) {
    if (item.kind != kLabelKind) continue;
    const map::ScreenPoint p = ProjectToAirportView(view, item.latitude, item.longitude);
    canvas.TextOut(p.x, p.y, item.label);
  }
}

}  // namespace corvane::airport
