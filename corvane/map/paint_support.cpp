// Drawing helpers shared by the map painters.
#include "paint_support.h"

#include <charconv>

#include "map_view.h"

namespace corvane::map {

void SetFontColor(Canvas& canvas, Color color) {
  if (canvas.CurrentFont().color == color) return;
  Font font = canvas.CurrentFont();
  font.color = color;
  canvas.SetFont(font);
}

void SetFontBold(Canvas& canvas, bool bold) {
  if (canvas.CurrentFont().style.bold == bold) return;
  Font font = canvas.CurrentFont();
  font.style.bold = bold;
  canvas.SetFont(font);
}

void SetFontSize(Canvas& canvas, int size) {
  if (canvas.CurrentFont().size == size) return;
  Font font = canvas.CurrentFont();
  font.size = size;
  canvas.SetFont(font);
}

void Line(Canvas& canvas, int x1, int y1, int x2, int y2) {
  canvas.MoveTo(x1, y1);
  canvas.LineTo(x2, y2);
}

void PolylineCircle(Canvas& canvas, double centreX, int centreY, double radiusPx, int stepDeg) {
  canvas.MoveTo(TruncToInt(centreX), TruncToInt(centreY - radiusPx));
  for (int a = 0; a <= 360; a += stepDeg) {
    canvas.LineTo(TruncToInt(SinDeg(a) * radiusPx + centreX), TruncToInt(centreY - CosDeg(a) * radiusPx));
  }
}

std::string DecimalText(std::int64_t value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string ThreeDigitText(std::int64_t value) {
  const std::string text = "00" + DecimalText(value);
  return text.substr(text.size() - 3);
}

bool NumberInColumns(std::string_view text, std::size_t first, std::size_t count, int& value) {
  if (first == 0 || first > text.size()) return false;
  std::string_view field = text.substr(first - 1, count);
  while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
  while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
  if (!field.empty() && field.front() == '+') field.remove_prefix(1);
  if (field.empty()) return false;
  const auto result = std::from_chars(field.data(), field.data() + field.size(), value);
  return result.ec == std::errc() && result.ptr == field.data() + field.size();
}

}  // namespace corvane::map
