// Ordering of rows and names without regard to letter case.
#pragma once

#include <string_view>

namespace tessel {

// Compares ASCII letters as small letters (so "_" sorts before letters); other bytes by code. Returns <0, 0 or >0.
int CompareCaseInsensitive(std::string_view a, std::string_view b);

inline bool CaseInsensitiveLess(std::string_view a, std::string_view b) { return CompareCaseInsensitive(a, b) < 0; }

// Case-insensitive order, and rows equal but for letter case in byte order, so that identical rows
// always stand next to each other.
inline bool RowLess(std::string_view a, std::string_view b) {
  const int folded = CompareCaseInsensitive(a, b);
  return folded != 0 ? folded < 0 : a < b;
}

}  // namespace tessel
