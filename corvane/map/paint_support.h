// Small drawing helpers shared by the painters: font changes, degree trigonometry, polyline circles, numbers.
#pragma once

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <string_view>

#include "canvas.h"

namespace corvane::map {

inline double SinDeg(double degrees) { return std::sin(degrees * std::numbers::pi / 180.0); }
inline double CosDeg(double degrees) { return std::cos(degrees * std::numbers::pi / 180.0); }

void SetFontColor(Canvas& canvas, Color color);
void SetFontBold(Canvas& canvas, bool bold);
void SetFontSize(Canvas& canvas, int size);

void Line(Canvas& canvas, int x1, int y1, int x2, int y2);

// A circle as a polyline around (centreX, centreY), from its top point, one vertex every stepDeg.
void PolylineCircle(Canvas& canvas, double centreX, int centreY, double radiusPx, int stepDeg);

std::string DecimalText(std::int64_t value);

// The last three characters of "00" + value: 7 -> "007", 360 -> "360".
std::string ThreeDigitText(std::int64_t value);

// A number in characters [first, first + count) of text (1-based), blanks ignored; false if none.
bool NumberInColumns(std::string_view text, std::size_t first, std::size_t count, int& value);

}  // namespace corvane::map
