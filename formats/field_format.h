// Fixed-width text fields of the DAT files: coordinates, idents, elevations, headings, frequencies.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace corvane::formats {

// Raised when a value cannot be written into its field without corrupting it (a non-finite number,
// or more integer digits than the field holds). Such values only come from damaged source data.
class FieldOverflowError : public std::out_of_range {
 public:
  using std::out_of_range::out_of_range;
};

// Latitude in 10 characters (point at character 4, 6 decimals) followed by longitude in 11
// characters (point at character 5, 6 decimals). Decimals beyond the 6th are cut, not rounded.
std::string FormatShortCoordPair(double latitudeDeg, double longitudeDeg);
// Latitude in 12 characters (point at 4, 8 decimals), a blank, longitude in 13 (point at 5).
std::string FormatLongCoordPair(double latitudeDeg, double longitudeDeg);

// One coordinate: right-aligned so that the point stands at pointColumn (1-based), with exactly
// `decimals` decimals, cut not rounded, a "0" before the point and the sign next to the first digit.
std::string FormatCoordinate(double valueDeg, int pointColumn, int decimals);
// The same text the long way, through the plain decimal text: what the quick way is checked
// against, and the way that says why a value is refused.
std::string FormatCoordinateByPlainText(double valueDeg, int pointColumn, int decimals);

// Left-aligned, blank-padded and cut to width (4 runway rows, 5 airport and beacon rows, 6 heliports).
std::string FormatIdent(std::string_view ident, int width);

// Whole feet from millimetres (halves to even), right-aligned in 6.
std::string FormatElevation(int32_t elevationMm);
// Whole feet as given, right-aligned in 6.
std::string FormatElevationFeet(int32_t elevationFt);

// Whole degrees, rounded down, right-aligned in 3 (90 gives " 90").
std::string FormatHeading(double headingDegTrue);

// Heading plus variation, rounded to the nearest degree, three digits with leading zeros (045).
std::string FormatMagneticCourse(double headingDegTrue, double variationDeg);

// The first three characters of the variation's decimal text, blank-padded (-2 gives "-2 ").
std::string FormatVariation(double variationDeg);

// Whole metres of half the length (or width), rounded down, right-aligned in 5.
std::string FormatHalfLength(double lengthM);

// "113.90" from 113900000 Hz, "350.00" from 35000 (10 Hz units, an NDB). An NDB of 1000 kHz or
// more, whose three digits before the point would not say its value, is written "1020.5".
std::string FormatFrequency(uint32_t storedFrequency);

// A blank, two digits, then L R C W A B for codes 1 to 6 or a blank (" 09L", " 27 ").
std::string FormatRunwayDesignator(int number, int designatorCode);

}  // namespace corvane::formats
