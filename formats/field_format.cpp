// The field formatters of the DAT files; every field has a fixed width and cuts instead of rounding
// where the files always have.
#include "formats/field_format.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "formats/coordinate_field.h"
#include "formats/plain_decimal.h"

namespace corvane::formats {

namespace {

constexpr int kShortDecimals = 6;
constexpr int kLongDecimals = 8;
constexpr int kLatitudePointColumn = 4;
constexpr int kLongitudePointColumn = 5;

std::string RightAligned(std::string_view text, std::size_t width) {
  std::string out;
  if (text.size() < width) {
    out.assign(width - text.size(), ' ');
  }
  out += text;
  return out;
}

// Integer text of value right-aligned in width; throws when it does not fit.
std::string RightAlignedInteger(long long value, std::size_t width, const char* field) {
  const std::string text = std::to_string(value);
  if (text.size() > width) {
    throw FieldOverflowError(std::string(field) + " " + text + " does not fit in " + std::to_string(width) +
                             " characters");
  }
  return RightAligned(text, width);
}

void RequireFinite(double value, const char* field) {
  if (!std::isfinite(value)) {
    throw FieldOverflowError(std::string(field) + " is not a finite number");
  }
}

// Rounded-down whole value, guarded so the conversion to an integer stays defined.
long long FloorToInteger(double value, const char* field) {
  RequireFinite(value, field);
  const double floored = std::floor(value);
  if (std::fabs(floored) > 1e15) {
    throw FieldOverflowError(std::string(field) + " is out of range");
  }
  return static_cast<long long>(floored);
}

}  // namespace

std::string FormatCoordinate(double valueDeg, int pointColumn, int decimals) {
  if (pointColumn < 1 || decimals < 0) {
    throw std::invalid_argument("coordinate field needs a point column of 1 or more");
  }
  std::string field(static_cast<std::size_t>(pointColumn) + static_cast<std::size_t>(decimals), ' ');
  if (WriteCoordinateField(valueDeg, static_cast<std::size_t>(pointColumn), static_cast<std::size_t>(decimals),
                           field.data())) {
    return field;
  }
  return FormatCoordinateByPlainText(valueDeg, pointColumn, decimals);
}

std::string FormatCoordinateByPlainText(double valueDeg, int pointColumn, int decimals) {
  if (pointColumn < 1 || decimals < 0) {
    throw std::invalid_argument("coordinate field needs a point column of 1 or more");
  }
  RequireFinite(valueDeg, "coordinate");
  const std::string text = PlainDecimalText(valueDeg);
  const std::size_t point = text.find('.');
  std::string integerPart = text.substr(0, point);
  std::string fraction = point == std::string::npos ? std::string() : text.substr(point + 1);
  fraction.resize(static_cast<std::size_t>(decimals), '0');

  // A value cut to zero keeps no sign: -0.0000001 is written as 0.000000.
  const bool allZero =
      integerPart.find_first_not_of("-0") == std::string::npos && fraction.find_first_not_of('0') == std::string::npos;
  if (allZero && !integerPart.empty() && integerPart.front() == '-') {
    integerPart.erase(0, 1);
  }
  const auto integerWidth = static_cast<std::size_t>(pointColumn - 1);
  if (integerPart.size() > integerWidth) {
    throw FieldOverflowError("coordinate " + text + " does not fit its field");
  }
  std::string out = RightAligned(integerPart, integerWidth);
  out += '.';
  out += fraction;
  return out;
}

std::string FormatShortCoordPair(double latitudeDeg, double longitudeDeg) {
  return FormatCoordinate(latitudeDeg, kLatitudePointColumn, kShortDecimals) +
         FormatCoordinate(longitudeDeg, kLongitudePointColumn, kShortDecimals);
}

std::string FormatLongCoordPair(double latitudeDeg, double longitudeDeg) {
  return FormatCoordinate(latitudeDeg, kLatitudePointColumn, kLongDecimals) + ' ' +
         FormatCoordinate(longitudeDeg, kLongitudePointColumn, kLongDecimals);
}

std::string FormatIdent(std::string_view ident, int width) {
  const auto fieldWidth = static_cast<std::size_t>(width < 0 ? 0 : width);
  std::string out(ident.substr(0, fieldWidth));
  out.resize(fieldWidth, ' ');
  return out;
}

std::string FormatElevation(int32_t elevationMm) {
  // nearbyint rounds halves to even in the default rounding mode.
  const double feet = std::nearbyint(static_cast<double>(elevationMm) * 3.2808399 / 1000.0);
  return RightAlignedInteger(static_cast<long long>(feet), 6, "elevation");
}

std::string FormatElevationFeet(int32_t elevationFt) { return RightAlignedInteger(elevationFt, 6, "elevation"); }

std::string FormatHeading(double headingDegTrue) {
  return RightAlignedInteger(FloorToInteger(headingDegTrue, "heading"), 3, "heading");
}

std::string FormatMagneticCourse(double headingDegTrue, double variationDeg) {
  if (variationDeg > 180.0) {
    variationDeg -= 360.0;
  }
  const double sum = headingDegTrue + variationDeg;
  RequireFinite(sum, "magnetic course");
  if (std::fabs(sum) > 1e9) {
    throw FieldOverflowError("magnetic course is out of range");
  }
  auto course = static_cast<long long>(std::nearbyint(sum));
  if (course < 0) {
    course += 360;
  }
  if (course < 0) {
    throw FieldOverflowError("magnetic course " + std::to_string(course) + " is out of range");
  }
  char text[8];
  std::snprintf(text, sizeof text, "%03lld", course % 1000);
  return text;
}

std::string FormatVariation(double variationDeg) {
  RequireFinite(variationDeg, "variation");
  if (variationDeg > 180.0) {
    variationDeg -= 360.0;
  }
  std::string out = PlainDecimalText(variationDeg).substr(0, 3);
  out.resize(3, ' ');
  return out;
}

std::string FormatHalfLength(double lengthM) {
  return RightAlignedInteger(FloorToInteger(lengthM / 2.0, "half-length"), 5, "half-length");
}

std::string FormatFrequency(uint32_t storedFrequency) {
  std::string digits = std::to_string(storedFrequency);
  if (digits.size() < 5) {
    // Below 100 kHz in 10 Hz units: leading zeros keep "ddd.dd".
    digits.insert(0, 5 - digits.size(), '0');
  }
  if (digits.size() == 6) {
    // 1000 kHz or more in 10 Hz units: four digits, the point, one decimal.
    return digits.substr(0, 4) + '.' + digits.substr(4, 1);
  }
  return digits.substr(0, 3) + '.' + digits.substr(3, 2);
}

std::string FormatRunwayDesignator(int number, int designatorCode) {
  if (number < 0 || number > 99) {
    throw FieldOverflowError("runway number " + std::to_string(number) + " does not fit in two digits");
  }
  static constexpr char kLetters[] = " LRCWAB";
  const char letter = designatorCode >= 1 && designatorCode <= 6 ? kLetters[designatorCode] : ' ';
  std::string out = " ";
  out += static_cast<char>('0' + number / 10);
  out += static_cast<char>('0' + number % 10);
  out += letter;
  return out;
}

}  // namespace corvane::formats
