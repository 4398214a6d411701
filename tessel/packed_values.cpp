// Decoders for the packed 32-bit latitude, longitude and ident values of scenery files.
#include "tessel/packed_values.h"

#include <cmath>

namespace tessel {
namespace {
constexpr double kLongitudeUnitsPerCircle = 3.0 * 268435456.0;  // 3 * 2^28
// 360 / (3 * 2^28) is 15 / 2^25, held exactly, and packed * 15 fits the mantissa: multiplying by it
// gives the quotient packed * 360 / (3 * 2^28) bit for bit, without a division.
constexpr double kDegreesPerLongitudeUnit = 360.0 / kLongitudeUnitsPerCircle;
static_assert(kDegreesPerLongitudeUnit == 15.0 / 33554432.0);
constexpr double kLatitudeUnitsPerHalfCircle = 536870912.0;  // 2^29
constexpr std::uint32_t kIdentBase = 38;

char IdentDigitChar(std::uint32_t digit) {
  if (digit >= 2 && digit <= 11) return static_cast<char>('0' + (digit - 2));
  if (digit >= 12 && digit <= 37) return static_cast<char>('A' + (digit - 12));
  return '\0';  // digits 0 and 1 stand for no character
}

std::uint32_t ClampToUnsigned(double value) {
  if (!(value > 0.0)) return 0;
  if (value >= 4294967295.0) return 4294967295u;
  return static_cast<std::uint32_t>(std::llround(value));
}
}  // namespace

double DecodePackedLongitude(std::uint32_t packed) {
  return static_cast<double>(packed) * kDegreesPerLongitudeUnit - 180.0;
}

double DecodePackedLatitude(std::uint32_t packed) {
  return 90.0 - static_cast<double>(packed) * 180.0 / kLatitudeUnitsPerHalfCircle;
}

std::string DecodePackedIdent(std::uint32_t packed) {
  std::uint32_t rest = packed / 32;
  // Five base-38 digits, most significant first; a leading digit above 37 has no character.
  static constexpr std::uint32_t kPlaceValues[5] = {2085136, 54872, 1444, 38, 1};
  char digits[5];
  for (int i = 0; i < 5; ++i) {
    digits[i] = IdentDigitChar(rest / kPlaceValues[i]);
    rest %= kPlaceValues[i];
  }
  std::string ident;
  for (char c : digits) {
    if (c != '\0') ident.push_back(c);
  }
  return ident;
}

std::uint32_t EncodePackedLongitude(double longitudeDeg) {
  return ClampToUnsigned((longitudeDeg + 180.0) * kLongitudeUnitsPerCircle / 360.0);
}

std::uint32_t EncodePackedLatitude(double latitudeDeg) {
  return ClampToUnsigned((90.0 - latitudeDeg) * kLatitudeUnitsPerHalfCircle / 180.0);
}

std::uint32_t EncodePackedIdent(const std::string& ident) {
  std::uint32_t value = 0;
  int used = 0;
  for (char c : ident) {
    std::uint32_t digit = 0;
    if (c >= '0' && c <= '9') {
      digit = 2 + static_cast<std::uint32_t>(c - '0');
    } else if (c >= 'A' && c <= 'Z') {
      digit = 12 + static_cast<std::uint32_t>(c - 'A');
    } else {
      continue;
    }
    if (used == 5) break;
    value = value * kIdentBase + digit;
    ++used;
  }
  return value * 32;
}

}  // namespace tessel
