// Fast, exact conversion of the plain decimal numbers of the data files to 32-bit floats.
#pragma once

#include <string_view>

namespace corvane::navdata {

// Converts text of the form [-]digits[.digits] (at most 15 digits, blanks around it allowed) to the
// nearest float, exactly as a correctly rounded conversion would. Returns false, leaving value
// untouched, for any other text or the rare value it cannot decide quickly; the caller then uses
// the general conversion, which also reports what is wrong.
bool DecimalTextToFloat(std::string_view text, float& value);

}  // namespace corvane::navdata
