// The line rasterizer of QtCanvas: integer steps along the longer axis, the shorter one rounded.
#include "pixel_line.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace corvane::shell::qt {
namespace {

// The steps k = 0 ... steps - 1 of a line whose major coordinate runs major0 + k * majorSign that land
// inside [low, high], as a half-open range [first, last).
struct StepRange {
  std::int64_t first = 0;
  std::int64_t last = 0;
};

StepRange StepsInside(std::int64_t major0, int majorSign, std::int64_t steps, std::int64_t low, std::int64_t high) {
  std::int64_t first = majorSign > 0 ? low - major0 : major0 - high;
  std::int64_t last = (majorSign > 0 ? high - major0 : major0 - low) + 1;
  return {std::max<std::int64_t>(first, 0), std::min(last, steps)};
}

// Lines longer than this are first cut to the clip: the exact rounding below multiplies two spans, which
// must stay far inside 64 bits.
constexpr std::int64_t kExactSpan = std::int64_t{1} << 24;

// Cuts the line to `box` (Liang-Barsky); false when no part of it is inside.
bool CutToBox(double& x0, double& y0, double& x1, double& y1, const QRect& box) {
  const double dx = x1 - x0;
  const double dy = y1 - y0;
  double enter = 0.0;
  double leave = 1.0;
  const double towards[4] = {-dx, dx, -dy, dy};
  const double room[4] = {x0 - box.left(), box.right() - x0, y0 - box.top(), box.bottom() - y0};
  for (int side = 0; side < 4; ++side) {
    if (towards[side] == 0.0) {
      if (room[side] < 0.0) return false;
      continue;
    }
    const double t = room[side] / towards[side];
    if (towards[side] < 0.0) {
      enter = std::max(enter, t);
    } else {
      leave = std::min(leave, t);
    }
  }
  if (enter > leave) return false;
  const double startX = x0 + enter * dx;
  const double startY = y0 + enter * dy;
  x1 = x0 + leave * dx;
  y1 = y0 + leave * dy;
  x0 = startX;
  y0 = startY;
  return true;
}

}  // namespace

void DrawPixelLine(std::uint32_t* pixels, std::ptrdiff_t wordsPerLine, const QRect& clip, QPoint from, QPoint to,
                   std::uint32_t colour) {
  const std::int64_t dx = std::int64_t{to.x()} - from.x();
  const std::int64_t dy = std::int64_t{to.y()} - from.y();
  if ((dx == 0 && dy == 0) || clip.isEmpty()) return;
  if (std::llabs(dx) > kExactSpan || std::llabs(dy) > kExactSpan) {
    // A pixel of difference on a line this long cannot be seen; the cut ends lie outside the clip, so
    // leaving out the new end point leaves out nothing visible.
    double x0 = from.x(), y0 = from.y(), x1 = to.x(), y1 = to.y();
    if (!CutToBox(x0, y0, x1, y1, clip.adjusted(-2, -2, 2, 2))) return;
    const QPoint cutFrom(static_cast<int>(std::lround(x0)), static_cast<int>(std::lround(y0)));
    const QPoint cutTo(static_cast<int>(std::lround(x1)), static_cast<int>(std::lround(y1)));
    if (cutFrom == from && cutTo == to) return;  // cannot happen for a line this long; never loop
    DrawPixelLine(pixels, wordsPerLine, clip, cutFrom, cutTo, colour);
    return;
  }
  const bool alongX = std::llabs(dx) >= std::llabs(dy);
  const std::int64_t steps = alongX ? std::llabs(dx) : std::llabs(dy);  // the end point is not painted
  const std::int64_t minorSpan = alongX ? std::llabs(dy) : std::llabs(dx);
  const int majorSign = (alongX ? dx : dy) > 0 ? 1 : -1;
  const int minorSign = (alongX ? dy : dx) >= 0 ? 1 : -1;
  const std::int64_t major0 = alongX ? from.x() : from.y();
  const std::int64_t minor0 = alongX ? from.y() : from.x();
  const StepRange range = alongX ? StepsInside(major0, majorSign, steps, clip.left(), clip.right())
                                 : StepsInside(major0, majorSign, steps, clip.top(), clip.bottom());
  if (range.first >= range.last) return;
  const std::int64_t minorLow = alongX ? clip.top() : clip.left();
  const std::int64_t minorHigh = alongX ? clip.bottom() : clip.right();

  // Minor offset at step k: round(k * minorSpan / steps), kept as quotient and remainder of
  // (2 k minorSpan + steps) / (2 steps) and carried forward one step at a time.
  const std::int64_t denominator = 2 * steps;
  const std::int64_t numerator = 2 * range.first * minorSpan + steps;
  std::int64_t offset = numerator / denominator;
  std::int64_t remainder = numerator % denominator;
  std::int64_t major = major0 + majorSign * range.first;
  for (std::int64_t k = range.first; k < range.last; ++k) {
    const std::int64_t minor = minor0 + minorSign * offset;
    if (minor >= minorLow && minor <= minorHigh) {
      const std::int64_t x = alongX ? major : minor;
      const std::int64_t y = alongX ? minor : major;
      pixels[y * wordsPerLine + x] = colour;
    }
    major += majorSign;
    remainder += 2 * minorSpan;
    if (remainder >= denominator) {
      remainder -= denominator;
      ++offset;
    }
  }
}

}  // namespace corvane::shell::qt
