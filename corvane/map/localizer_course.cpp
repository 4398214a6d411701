// Reading the course and the variation of an ILS frequency text.
#include "corvane/map/localizer_course.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "corvane/map/paint_support.h"

namespace corvane::map {
namespace {

constexpr std::size_t kCourseFirst = 8;
constexpr std::size_t kCourseCount = 3;
constexpr std::size_t kVariationFirst = 12;

std::optional<double> DecimalFrom(std::string_view text, std::size_t first) {
  if (first == 0 || first > text.size()) return std::nullopt;
  std::string_view field = text.substr(first - 1);
  while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
  while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
  if (!field.empty() && field.front() == '+') field.remove_prefix(1);
  double value = 0;
  const auto result = std::from_chars(field.data(), field.data() + field.size(), value);
  if (field.empty() || result.ec != std::errc() || result.ptr != field.data() + field.size()) return std::nullopt;
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

std::optional<LocalizerCourse> ReadLocalizerCourse(std::string_view frequencyText) {
  int courseDeg = 0;
  if (!NumberInColumns(frequencyText, kCourseFirst, kCourseCount, courseDeg)) return std::nullopt;
  const std::optional<double> variationDeg = DecimalFrom(frequencyText, kVariationFirst);
  if (!variationDeg) return std::nullopt;
  return LocalizerCourse{static_cast<double>(courseDeg), *variationDeg};
}

std::string UnreadLocalizerText(std::string_view ident, std::string_view frequencyText) {
  const std::string_view courseAndVariation =
      frequencyText.size() >= kCourseFirst ? frequencyText.substr(kCourseFirst - 1) : std::string_view();
  return "ILS " + std::string(ident) + ": course and variation '" + std::string(courseAndVariation) +
         "' do not read; no course line is drawn";
}

}  // namespace corvane::map
