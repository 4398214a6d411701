// The approach course of a localizer, read from the frequency text of its ILS row.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane::map {

struct LocalizerCourse {
  double courseDegMagnetic = 0;
  double variationDeg = 0;  // east positive
};

// The course is the whole number at characters 8-10 of the text, the variation the number from
// character 12 to the end, whole or with a fraction as the data compiler writes it ("-1.", "16.",
// "0.5", "-12"). Empty when either does not read.
std::optional<LocalizerCourse> ReadLocalizerCourse(std::string_view frequencyText);

// Why a localizer shows no course line: "ILS <ident>: course and variation '<text>' do not read".
std::string UnreadLocalizerText(std::string_view ident, std::string_view frequencyText);

}  // namespace corvane::map
