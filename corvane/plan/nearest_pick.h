// Walking the nearby point list for the strictly nearest eligible candidate (first in list wins ties).
#pragma once

#include "corvane/plan/click_actions.h"

namespace corvane::plan {

inline constexpr std::int32_t kCandidateAirport = 1;
inline constexpr std::int32_t kCandidateNdb = 2;
inline constexpr std::int32_t kCandidateVor = 3;
inline constexpr std::int32_t kCandidateIls = 4;
inline constexpr std::int32_t kCandidateFix = 11;

inline double DistanceToClick(const PickCandidate& candidate, ClickPosition position) {
  return DistanceNm(candidate.lat, candidate.lon, position.lat, position.lon);
}

// Calls onNearer for every eligible candidate strictly nearer than the best so far, starting at
// kFarthestPickNm; returns the best distance.
template <typename Eligible, typename OnNearer>
double WalkNearest(std::span<const PickCandidate> candidates, ClickPosition position, Eligible eligible,
                   OnNearer onNearer) {
  double best = kFarthestPickNm;
  for (const PickCandidate& candidate : candidates) {
    if (candidate.lat == 0 && candidate.lon == 0) break;
    if (!eligible(candidate)) continue;
    const double distance = DistanceToClick(candidate, position);
    if (distance < best) {
      best = distance;
      onNearer(candidate);
    }
  }
  return best;
}

inline bool IsShownBeaconOrFix(const PickCandidate& candidate, const ShownLayers& shown) {
  return (candidate.kind == kCandidateNdb && shown.ndb) || (candidate.kind == kCandidateVor && shown.vor) ||
         (candidate.kind == kCandidateFix && shown.fixes);
}

}  // namespace corvane::plan
