// NearbyRefresh: rebuilds the nearby lists a chunk of one table per tick, in phases 0..200.
#pragma once

#include <cstdint>
#include <string_view>

#include "corvane/navdata/nav_tables.h"
#include "geo_pos.h"
#include "nearby_lists.h"

namespace corvane::map {

// Half-sizes of the boxes around the centre, in degrees, from the "Sizes" edits.
struct BoxSizes {
  double airportDeg = 6;
  double beaconDeg = 6;
  double fixDeg = 3;
  double geoDeg = 10;
};

// The decimal number in an edit, or the fallback when the text is not one.
double BoxSizeOrDefault(std::string_view text, double fallback);

struct NearbyRefreshState {
  std::int32_t phase = 0;
  std::int32_t chunk = 50000;  // rows scanned per tick
  std::int32_t row = 0;
  std::int32_t out = 0;  // next free index of the list being rebuilt
};

// Every block has run by this phase; the rest of the cycle only counts up to the wrap.
inline constexpr std::int32_t kPhaseListsComplete = 151;
inline constexpr std::int32_t kLastPhase = 200;

struct RefreshTickResult {
  bool listsComplete = false;  // phase 151 reached: every list of this cycle is rebuilt
  bool cycleEnded = false;     // phase wrapped to 0
};

// One tick of Timer2.
RefreshTickResult NearbyRefreshTick(NearbyRefreshState& state, const navdata::NavDatabase& database, GeoPos centre,
                                    const BoxSizes& boxes, NearbyLists& lists);

}  // namespace corvane::map
