// The selected SID or STAR over the diagram: its title near the bottom of the window and its points joined.
#include "corvane/airport/airport_painters.h"
#include "corvane/map/paint_support.h"

namespace corvane::airport {

void PaintProcedurePreview(map::Canvas& canvas, const AirportViewGeometry& view, const ProcedurePreview& preview,
                           map::Color color, int windowWidth, int windowHeight) {
  if (preview.points.empty()) return;
  canvas.SetPenColor(color);
  map::SetFontColor(canvas, color);
  const int size = canvas.CurrentFont().size;
  map::SetFontSize(canvas, size + 2);
  map::SetFontBold(canvas, true);
  canvas.TextOut(windowWidth / 2 - 50, windowHeight - 80, preview.title);
  map::SetFontSize(canvas, size);
  map::SetFontBold(canvas, false);
  for (std::size_t i = 0; i < preview.points.size(); ++i) {
    const PreviewPoint& point = preview.points[i];
    const map::ScreenPoint p = ProjectToAirportView(view, point.latitude, point.longitude);
    if (i > 0) canvas.LineTo(p.x, p.y);
    canvas.TextOut(p.x, p.y, point.label);
    canvas.MoveTo(p.x, p.y);
  }
}

}  // namespace corvane::airport
