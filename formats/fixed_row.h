// Builds one fixed-column line from fields placed at their columns, with blanks in the gaps.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "formats/dat_columns.h"

namespace corvane::formats {

class FixedRow {
 public:
  explicit FixedRow(std::string_view start = {}) : text_(start) {}

  // Fields go left to right; a field must fill its column exactly (open-ended columns take any text).
  FixedRow& Put(Column column, std::string_view field) {
    if (column.first == 0 || text_.size() > column.first - 1) {
      throw std::logic_error("row field placed over the previous one");
    }
    if (!column.toLineEnd() && field.size() != column.width()) {
      throw std::logic_error("row field does not match its column width");
    }
    text_.resize(column.first - 1, ' ');
    text_ += field;
    return *this;
  }

  FixedRow& Append(std::string_view text) {
    text_ += text;
    return *this;
  }

  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
};

}  // namespace corvane::formats
