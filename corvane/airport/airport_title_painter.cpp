// The viewed airport's ident and elevation, in the column of the map's corner texts.
#include "corvane/airport/airport_painters.h"
#include "corvane/map/map_painters.h"

namespace corvane::airport {

void PaintAirportTitle(map::Canvas& canvas, std::string_view ident, std::string_view elevationText, int windowWidth) {
  map::SetFontColor(canvas, map::kYellow);
  const int size = canvas.CurrentFont().size;
  const int fw = 5 * size;
  const int fh = 2 * size;
  map::SetFontSize(canvas, size + 2);
  map::SetFontBold(canvas, true);
  // In the column of the corner texts, below altitude and ground speed: further right the autopilot
  // strip would cover them.
  const int x = windowWidth - map::kCornerTextsRightOffsetPx - fw;
  canvas.TextOut(x, 2 * fh + 5, std::string(ident));
  canvas.TextOut(x, 3 * fh + 5, "Alt " + std::string(elevationText) + " ft");
  map::SetFontSize(canvas, size);
  map::SetFontBold(canvas, false);
}

}  // namespace corvane::airport
