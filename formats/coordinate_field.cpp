// Coordinate fields written straight into a caller's buffer, without temporary strings.
#include "formats/coordinate_field.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <system_error>

namespace corvane::formats {
namespace {
// The formatter's plain decimal text rounds to 15 significant digits, then the field cuts.
constexpr int kSignificantDigits = 15;
// Fractions of up to this many binary places are expanded exactly in 64-bit arithmetic.
constexpr int kExactFractionBits = 59;

// The first 15 significant digits of |value| (finite, not 0), rounded half to even as the
// conversion routine rounds, and the decimal exponent of the first. A value of at most 59 binary
// places has a finite decimal expansion that 64-bit arithmetic can walk; other values (false) go
// to the conversion routine.
bool ExactSignificantDigits(double value, char* digits, int& exponent) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const auto biasedExponent = static_cast<int>((bits >> 52) & 0x7FF);
  if (biasedExponent == 0) return false;  // subnormal
  std::uint64_t whole = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  int shift = 1075 - biasedExponent;  // |value| = whole / 2^shift
  const int zeros = std::countr_zero(whole);
  whole >>= zeros;
  shift -= zeros;
  if (shift < 0) {
    if (std::bit_width(whole) - shift > 63) return false;
    whole <<= -shift;
    shift = 0;
  }
  if (shift > kExactFractionBits) return false;
  const std::uint64_t mask = (std::uint64_t{1} << shift) - 1;
  const std::uint64_t integer = whole >> shift;
  std::uint64_t fraction = whole & mask;

  // The expansion: integer digits, then fraction digits, four at a time while they fit, until
  // 16 significant digits stand; what is left of the fraction only says whether it is zero.
  char expansion[96];
  int length = 0;
  if (integer != 0) {
    const auto result = std::to_chars(expansion, expansion + 20, integer);
    length = static_cast<int>(result.ptr - expansion);
    if (length > kSignificantDigits) return false;
  }
  const int integerLength = length;
  int firstSignificant = integer != 0 ? 0 : -1;
  const bool fourAtATime = shift <= kExactFractionBits - 10;  // fraction * 10^4 stays below 2^63
  while (firstSignificant < 0 || length - firstSignificant <= kSignificantDigits) {
    if (fourAtATime) {
      fraction *= 10000;
      const auto group = static_cast<unsigned>(fraction >> shift);
      fraction &= mask;
      expansion[length] = static_cast<char>('0' + group / 1000);
      expansion[length + 1] = static_cast<char>('0' + group / 100 % 10);
      expansion[length + 2] = static_cast<char>('0' + group / 10 % 10);
      expansion[length + 3] = static_cast<char>('0' + group % 10);
      length += 4;
    } else {
      fraction *= 10;
      expansion[length++] = static_cast<char>('0' + (fraction >> shift));
      fraction &= mask;
    }
    if (firstSignificant < 0) {
      for (int at = integerLength; at < length; ++at) {
        if (expansion[at] != '0') {
          firstSignificant = at;
          break;
        }
      }
    }
  }
  std::memcpy(digits, expansion + firstSignificant, kSignificantDigits);
  exponent = integerLength - 1 - firstSignificant;
  const int nextAt = firstSignificant + kSignificantDigits;
  const int next = expansion[nextAt] - '0';
  for (int at = nextAt + 1; at < length; ++at) fraction |= static_cast<std::uint64_t>(expansion[at] - '0');
  // The rest beyond the 15th digit against one half of that digit's unit.
  const bool roundUp = next > 5 || (next == 5 && (fraction != 0 || (digits[kSignificantDigits - 1] - '0') % 2 == 1));
  if (roundUp) {
    int at = kSignificantDigits - 1;
    while (at >= 0 && digits[at] == '9') digits[at--] = '0';
    if (at >= 0) {
      ++digits[at];
    } else {
      digits[0] = '1';
      ++exponent;
    }
  }
  return true;
}

// Writes the last `count` decimal digits of value, with leading zeros, two at a time; values
// below 10^8 (every field's decimals) in two independent halves of 32-bit arithmetic.
[[gnu::always_inline]] inline void WriteDigits(std::uint64_t value, char* out, std::size_t count) {
  static constexpr char kPairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  const auto writeFour = [&](std::uint32_t four, char* at) {
    std::memcpy(at, kPairs + 2 * (four / 100), 2);
    std::memcpy(at + 2, kPairs + 2 * (four % 100), 2);
  };
  if (count == 8 && value < 100000000) {
    const auto whole = static_cast<std::uint32_t>(value);
    writeFour(whole / 10000, out);
    writeFour(whole % 10000, out + 4);
    return;
  }
  while (count >= 2) {
    count -= 2;
    std::memcpy(out + count, kPairs + 2 * (value % 100), 2);
    value /= 100;
  }
  if (count == 1) out[0] = static_cast<char>('0' + value % 10);
}

std::size_t DigitCount(std::uint64_t value) {
  std::size_t count = 1;
  for (; value >= 10; value /= 10) ++count;
  return count;
}

// The common case done in a few operations: a value of at least 1 with at most 30 binary places
// (every coordinate decoded from a packed value), whose 15-digit rounding cannot reach the kept
// decimals. False leaves the field to the general way.
bool WriteShortFractionField(double value, std::size_t pointColumn, std::size_t decimals, char* field) {
  constexpr int kMaxFractionBits = 30;
  constexpr std::size_t kMaxDecimals = 8;
  constexpr std::uint64_t kPowersOfTen[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};
  if (decimals > kMaxDecimals) return false;
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const auto biasedExponent = static_cast<int>((bits >> 52) & 0x7FF);
  if (biasedExponent == 0 || biasedExponent == 0x7FF) return false;
  std::uint64_t whole = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  int shift = 1075 - biasedExponent;
  const int zeros = std::countr_zero(whole);
  whole >>= zeros;
  shift -= zeros;
  if (shift < 0 || shift > kMaxFractionBits) return false;
  const std::uint64_t integer = whole >> shift;
  if (integer == 0) return false;
  const bool negative = value < 0;
  const std::size_t integerDigits = DigitCount(integer);
  const std::size_t integerLength = integerDigits + (negative ? 1 : 0);
  const std::size_t integerWidth = pointColumn - 1;
  if (integerLength > integerWidth) return false;
  // Digits between the last kept decimal and the 15th significant one.
  if (integerDigits + decimals >= static_cast<std::size_t>(kSignificantDigits)) return false;
  const std::size_t roundedDigits = kSignificantDigits - integerDigits - decimals;
  if (roundedDigits > kMaxDecimals) return false;

  const std::uint64_t mask = (std::uint64_t{1} << shift) - 1;
  const std::uint64_t scaled = (whole & mask) * kPowersOfTen[decimals];
  const std::uint64_t kept = scaled >> shift;
  const std::uint64_t rest = scaled & mask;
  // The rest rounds up into the kept digits from 1 - 0.5 * 10^-roundedDigits on (a tie rounds
  // 99...9 up too): leave those to the general way.
  const std::uint64_t power = kPowersOfTen[roundedDigits];
  if (2 * rest * power >= (2 * power - 1) << shift) return false;

  // Right-aligned before the point, a character at a time: the integer part has a few digits.
  char* at = field + integerWidth;
  *at = '.';
  std::uint64_t left = integer;
  do {
    *--at = static_cast<char>('0' + left % 10);
    left /= 10;
  } while (left != 0);
  if (negative) *--at = '-';
  while (at != field) *--at = ' ';
  WriteDigits(kept, field + pointColumn, decimals);
  return true;
}

bool ConvertedSignificantDigits(double value, char* digits, int& exponent, bool& negative) {
  char scientific[40];
  const auto result = std::to_chars(scientific, scientific + sizeof scientific, value, std::chars_format::scientific,
                                    kSignificantDigits - 1);
  if (result.ec != std::errc{}) return false;
  // "-d.dddddddddddddde+XX"
  const char* at = scientific;
  negative = *at == '-';
  if (negative) ++at;
  digits[0] = at[0];
  std::memcpy(digits + 1, at + 2, kSignificantDigits - 1);
  const char* exponentText = at + 2 + (kSignificantDigits - 1) + 1;
  if (*exponentText == '+') ++exponentText;
  return std::from_chars(exponentText, result.ptr, exponent).ec == std::errc{};
}
}  // namespace

bool WriteCoordinateField(double valueDeg, std::size_t pointColumn, std::size_t decimals, char* field) {
  if (!std::isfinite(valueDeg) || pointColumn < 1) return false;
  if (WriteShortFractionField(valueDeg, pointColumn, decimals, field)) return true;
  char digits[kSignificantDigits];
  int exponent = 0;
  bool negative = false;
  if (valueDeg == 0.0) {
    // Zero (of either sign) is written "0" without a sign.
    std::memset(digits, '0', sizeof digits);
  } else if (ExactSignificantDigits(valueDeg, digits, exponent)) {
    negative = valueDeg < 0;
  } else if (!ConvertedSignificantDigits(valueDeg, digits, exponent, negative)) {
    return false;
  }
  // Digit k of the plain text counts from the first significant digit; digits past the 15th are 0.
  const auto digitAt = [&](long k) { return k >= 0 && k < kSignificantDigits ? digits[k] : '0'; };

  // The integer part: "0" below one, else the digits up to the point.
  char integerText[24];
  std::size_t integerLength = 0;
  if (negative) integerText[integerLength++] = '-';
  if (exponent < 0) {
    integerText[integerLength++] = '0';
  } else {
    if (static_cast<std::size_t>(exponent) + 1 + integerLength > sizeof integerText) return false;
    for (long k = 0; k <= exponent; ++k) integerText[integerLength++] = digitAt(k);
  }
  char* fraction = field + pointColumn;
  bool allZero = true;
  for (std::size_t j = 0; j < decimals; ++j) {
    fraction[j] = digitAt(static_cast<long>(exponent) + 1 + static_cast<long>(j));
    allZero &= fraction[j] == '0';
  }
  for (std::size_t i = negative ? 1 : 0; i < integerLength; ++i) allZero &= integerText[i] == '0';
  // A value cut to zero keeps no sign.
  const char* integerStart = integerText;
  if (negative && allZero) {
    ++integerStart;
    --integerLength;
  }
  const std::size_t integerWidth = pointColumn - 1;
  if (integerLength > integerWidth) return false;
  std::memset(field, ' ', integerWidth - integerLength);
  std::memcpy(field + integerWidth - integerLength, integerStart, integerLength);
  field[integerWidth] = '.';
  return true;
}

}  // namespace corvane::formats
