// The decimal is turned into a double by one correctly rounded division (its digits and the power of
// ten are both exact in a double); rounding that double to float gives the correctly rounded float
// unless the double lies exactly halfway between two floats, which is left to the general conversion.
#include "corvane/navdata/decimal_float.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace corvane::navdata {
namespace {

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
constexpr int kMaxDigits = 15;  // 10^15 < 2^53: the digits fit a double exactly

// True when rounding d to float would meet a tie: the 29 bits a float drops are exactly one half.
bool IsFloatMidpoint(double d) {
  constexpr std::uint64_t kDroppedBits = (std::uint64_t{1} << 29) - 1;
  constexpr std::uint64_t kHalf = std::uint64_t{1} << 28;
  return (std::bit_cast<std::uint64_t>(d) & kDroppedBits) == kHalf;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool DecimalTextToFloat(std::string_view text, float& value) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  if (begin == end) return false;

  const bool negative = text[begin] == '-';
  if (negative) ++begin;
  std::uint64_t mantissa = 0;
  int digits = 0;
  int decimals = 0;
  bool seenPoint = false;
  for (std::size_t i = begin; i < end; ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      if (++digits > kMaxDigits) return false;
      mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
      if (seenPoint) ++decimals;
    } else if (c == '.' && !seenPoint) {
      seenPoint = true;
    } else {
      return false;
    }
  }
  if (digits == 0) return false;

  const double magnitude = static_cast<double>(mantissa) / kPowersOfTen[decimals];
  // Below the smallest normal float the dropped bits differ; such values never occur in the files.
  if (magnitude != 0 && magnitude < static_cast<double>(std::numeric_limits<float>::min())) return false;
  if (magnitude > static_cast<double>(std::numeric_limits<float>::max()) || IsFloatMidpoint(magnitude)) return false;
  const float result = static_cast<float>(magnitude);
  value = negative ? -result : result;
  return true;
}

}  // namespace corvane::navdata
