// The reference index: a hash of ident, region, kind and terminal area.
#include "tools/navimport/reference_index.h"

#include <cmath>

namespace corvane::navimport {

std::string ReferenceIndex::Key(std::string_view ident, std::string_view region, ReferenceKind kind,
                                std::string_view terminal) {
  std::string key;
  key.reserve(ident.size() + region.size() + terminal.size() + 8);
  key += ident;
  key += '|';
  key += region;
  key += '|';
  key += std::to_string(static_cast<int>(kind));
  key += '|';
  key += terminal;
  return key;
}

void ReferenceIndex::Add(std::string_view ident, std::string_view region, ReferenceKind kind, std::string_view terminal,
                         ReferencePoint point) {
  const auto [found, added] = points_.try_emplace(Key(ident, region, kind, terminal), point);
  // A VOR/DME's VOR and DME rows share a key and a position; only a real second place counts.
  if (!added && (std::fabs(found->second.latitudeDeg - point.latitudeDeg) > 0.001 ||
                 std::fabs(found->second.longitudeDeg - point.longitudeDeg) > 0.001)) {
    ++clashes_;
  }
}

std::optional<ReferencePoint> ReferenceIndex::Find(std::string_view ident, std::string_view region, ReferenceKind kind,
                                                   std::string_view terminal) const {
  const auto found = points_.find(Key(ident, region, kind, terminal));
  if (found == points_.end()) return std::nullopt;
  return found->second;
}

}  // namespace corvane::navimport
