// The one error raised when a text field of a data file or an edit field is not a number.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace corvane::formats {

class ConversionError : public std::runtime_error {
 public:
  // valueKind names what was expected, e.g. "floating point value" or "integer value".
  ConversionError(std::string_view failedText, std::string_view valueKind)
      : std::runtime_error("'" + std::string(failedText) + "' is not a valid " + std::string(valueKind)),
        failedText_(failedText) {}

  const std::string& failedText() const noexcept { return failedText_; }

 private:
  std::string failedText_;
};

}  // namespace corvane::formats
