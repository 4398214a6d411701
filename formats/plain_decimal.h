// A double written as a plain decimal number: 15 significant digits, or a fixed number of decimals;
// fixed notation, no exponent.
#pragma once

#include <string>

namespace corvane::formats {

// 52.3 gives "52.3", -0.25 gives "-0.25", 1e-7 gives "0.0000001", 180 gives "180", -0.0 gives "0".
// Non-finite values have no such text: throws std::invalid_argument.
std::string PlainDecimalText(double value);

// printf's "%.Nf" with "." as decimal point whatever the locale: FixedDecimalText(52.5, 3) gives "52.500".
std::string FixedDecimalText(double value, int decimals);

}  // namespace corvane::formats
