// One index of the points that airways and procedures refer to: ident, ICAO region, kind of point
// and terminal area ("ENRT" or an airport), built from the fix and navaid files.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace corvane::navimport {

// The kinds the airway file names in its type columns.
enum class ReferenceKind { kFix = 11, kNdb = 2, kVhf = 3 };

inline constexpr std::string_view kEnroute = "ENRT";

struct ReferencePoint {
  double latitudeDeg = 0.0;
  double longitudeDeg = 0.0;
};

class ReferenceIndex {
 public:
  // The first point of a key wins; a later one elsewhere is counted as a clash, not added.
  void Add(std::string_view ident, std::string_view region, ReferenceKind kind, std::string_view terminal,
           ReferencePoint point);
  // Exact match only: nothing is guessed from the ident alone.
  std::optional<ReferencePoint> Find(std::string_view ident, std::string_view region, ReferenceKind kind,
                                     std::string_view terminal = kEnroute) const;

  std::size_t size() const noexcept { return points_.size(); }
  // Keys given twice at positions more than about 100 m apart.
  std::size_t clashes() const noexcept { return clashes_; }

 private:
  static std::string Key(std::string_view ident, std::string_view region, ReferenceKind kind,
                         std::string_view terminal);
  std::unordered_map<std::string, ReferencePoint> points_;
  std::size_t clashes_ = 0;
};

}  // namespace corvane::navimport
