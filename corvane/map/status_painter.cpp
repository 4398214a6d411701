// The corner texts (wind, altitude, ground speed, next waypoint, autopilot state) and the wind arrow.
#include "autopilot_mode_text.h"
#include "map_painters.h"

namespace corvane::map {

namespace {

std::string AutopilotText(const AutopilotStatus& autopilot) {
  std::string text(AutopilotModeText(autopilot.mode));
  if (autopilot.mode != 6) return text;
  // Seconds left of the hold leg; an interval over a second counts whole seconds per tick.
  const std::uint32_t ticksPerSecond =
      autopilot.timer4IntervalMs == 0 ? 1 : std::max<std::uint32_t>(1, 1000 / autopilot.timer4IntervalMs);
  const std::uint32_t legSeconds = autopilot.holdLegMinutes * 60;
  const std::uint32_t elapsedSeconds = autopilot.holdTicks / ticksPerSecond;
  const std::uint32_t remaining = elapsedSeconds > legSeconds ? 0 : legSeconds - elapsedSeconds;
  return text + DecimalText(autopilot.holdActive) + " - " + DecimalText(remaining);
}

}  // namespace

void PaintStatusTexts(Canvas& canvas, const OwnAircraft& aircraft, const AutopilotStatus& autopilot,
                      std::int32_t windowWidth, std::int32_t windowHeight, bool holdStateShown) {
  SetFontColor(canvas, kYellow);
  const int size = canvas.CurrentFont().size;
  const int fw = 5 * size;
  const int fh = 2 * size;
  SetFontSize(canvas, size + 2);
  SetFontBold(canvas, true);
  const int rightX = windowWidth - kCornerTextsRightOffsetPx - fw;
  canvas.TextOut(60, 5, ThreeDigitText(aircraft.windDirectionDegMagnetic) + " / " + DecimalText(aircraft.windSpeedKt));
  if (aircraft.altitudeFt != 0) {
    canvas.TextOut(rightX, 5, DecimalText(std::int64_t(TruncToInt(aircraft.altitudeFt * 0.1)) * 10) + " ft");
  }
  canvas.TextOut(rightX, fh + 5, DecimalText(aircraft.groundSpeedKt) + " Kts");
  if (autopilot.activeLegIndex < kNoActiveLeg) {
    const int bottom = windowHeight - 60;
    canvas.TextOut(rightX, bottom - 3 * fh, DecimalText(autopilot.distanceToNextNm) + "nm");
    canvas.TextOut(rightX, bottom - 2 * fh, "to");
    canvas.TextOut(rightX, bottom - fh, autopilot.nextIdent);
    if (holdStateShown || autopilot.mode != 6) canvas.TextOut(60, bottom - fh, AutopilotText(autopilot));
  }
  SetFontSize(canvas, size);
  SetFontBold(canvas, false);
}

void PaintWindArrow(Canvas& canvas, const MapView& view, const OwnAircraft& aircraft) {
  const double reference = view.mode == MapMode::kMap ? double(aircraft.magneticVariationDeg) : aircraft.headingDegTrue;
  int a = TruncToInt(double(aircraft.windDirectionDegTrue) - reference - 180);
  if (a < 0) a += 360;
  PaintWindArrowAt(canvas, a, 10);
}

void PaintWindArrowAt(Canvas& canvas, int a, int headSpreadDeg) {
  constexpr int kX = 75;
  constexpr int kY = 40;
  const int a1 = a - headSpreadDeg;
  const int a2 = a + headSpreadDeg;
  canvas.SetPenColor(kYellow);
  const int tipX = TruncToInt(kX + 15 * SinDeg(a));
  const int tipY = TruncToInt(kY - 15 * CosDeg(a));
  Line(canvas, TruncToInt(kX - 15 * SinDeg(a)), TruncToInt(kY + 15 * CosDeg(a)), tipX, tipY);
  canvas.LineTo(TruncToInt(kX + 10 * SinDeg(a2)), TruncToInt(kY - 10 * CosDeg(a2)));
  canvas.MoveTo(tipX, tipY);
  canvas.LineTo(TruncToInt(kX + 10 * SinDeg(a1)), TruncToInt(kY - 10 * CosDeg(a1)));
}

}  // namespace corvane::map
