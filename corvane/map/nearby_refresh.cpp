// The phased rebuild of the nearby lists: each block scans one table in chunks and jumps ahead at its end.
#include "nearby_refresh.h"

#include <charconv>
#include <string>

#include "formats/field_cut.h"

namespace corvane::map {

namespace {

struct Box {
  double minLatitude, maxLatitude, minLongitude, maxLongitude;

  Box(GeoPos centre, double halfDeg)
      : minLatitude(centre.latitude - halfDeg),
        maxLatitude(centre.latitude + halfDeg),
        minLongitude(centre.longitude - halfDeg),
        maxLongitude(centre.longitude + halfDeg) {}

  // Strict on every side: a row exactly on the edge is outside.
  bool Contains(float latitude, float longitude) const {
    return minLongitude < longitude && longitude < maxLongitude && minLatitude < latitude && latitude < maxLatitude;
  }
};

struct Block {
  std::int32_t firstPhase;
  std::int32_t lastPhase;
  std::int32_t nextPhase;  // where the phase jumps when the table ends
};

constexpr Block kAirportBlock{11, 19, 21};
constexpr Block kBeaconBlock{21, 29, 31};
constexpr Block kFixBlock{31, 39, 41};
constexpr Block kHeliportBlock{41, 49, 51};
constexpr Block kAirwayBlock{71, 79, 91};
constexpr Block kGeoBlock{91, 109, 111};
constexpr Block kRunwayBlock{111, 119, 151};

bool IsTableEnd(const navdata::FixRow& row) { return row.ident.empty(); }
bool IsTableEnd(const navdata::GeoSegmentRow& row) {
  return row.latitude1 == 0 && row.longitude1 == 0 && row.latitude2 == 0 && row.longitude2 == 0;
}
template <typename Row>
bool IsTableEnd(const Row& row) {
  return navdata::IsEndRow(row);
}

// Scans this tick's chunk of a table when the phase is inside the block. At the table's end the phase jumps
// to the next block's first phase and onEnd fills the list's tail.
template <typename Table, typename Visit, typename OnEnd>
void ScanChunk(NearbyRefreshState& state, const Block& block, const Table& table, Visit visit, OnEnd onEnd) {
  if (state.phase < block.firstPhase || state.phase > block.lastPhase) return;
  const std::int32_t first = (state.phase - block.firstPhase) * state.chunk;
  const std::int32_t end = first + state.chunk;
  for (state.row = first; state.row < end; ++state.row) {
    const auto& row = table[static_cast<std::size_t>(state.row)];
    if (IsTableEnd(row)) {
      state.phase = block.nextPhase;
      onEnd();
      return;
    }
    visit(row);
  }
}

// Field by field, so that the slots' strings keep their storage from one cycle to the next.
void SetPoint(NearbyPoint& point, std::int32_t kind, float latitude, float longitude, const std::string& ident,
              std::string_view info1, std::string_view info2) {
  point.kind = kind;
  point.latitude = latitude;
  point.longitude = longitude;
  point.ident.assign(ident);
  point.info1.assign(info1);
  point.info2.assign(info2);
}

NearbyPoint* NextPoint(NearbyRefreshState& state, NearbyLists& lists) {
  NearbyPoint* slot = lists.points.Slot(static_cast<std::size_t>(state.out));
  if (slot != nullptr) ++state.out;
  return slot;
}

}  // namespace

double BoxSizeOrDefault(std::string_view text, double fallback) {
  text = formats::TrimBlanks(text);
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size()) return fallback;
  return value;
}

RefreshTickResult NearbyRefreshTick(NearbyRefreshState& state, const navdata::NavDatabase& database, GeoPos centre,
                                    const BoxSizes& boxes, NearbyLists& lists) {
  if (state.phase == 0) {
    state.out = 0;
    state.phase = kAirportBlock.firstPhase;
  }
  const auto noFill = [] {};

  const Box airportBox(centre, boxes.airportDeg);
  ScanChunk(
      state, kAirportBlock, database.airports,
      [&](const navdata::AirportRow& row) {
        if (!airportBox.Contains(row.latitude, row.longitude)) return;
        if (NearbyPoint* point = NextPoint(state, lists)) {
          SetPoint(*point, kPointAirport, row.latitude, row.longitude, row.ident, row.elevationText, " ");
        }
      },
      noFill);

  const Box beaconBox(centre, boxes.beaconDeg);
  ScanChunk(
      state, kBeaconBlock, database.beacons,
      [&](const navdata::BeaconRow& row) {
        if (!beaconBox.Contains(row.latitude, row.longitude)) return;
        if (NearbyPoint* point = NextPoint(state, lists)) {
          SetPoint(*point, static_cast<std::int32_t>(row.kind), row.latitude, row.longitude, row.ident,
                   row.frequencyText, row.name);
        }
      },
      noFill);

  const Box fixBox(centre, boxes.fixDeg * 0.5);
  ScanChunk(
      state, kFixBlock, database.fixes,
      [&](const navdata::FixRow& row) {
        if (!fixBox.Contains(row.latitude, row.longitude)) return;
        if (NearbyPoint* point = NextPoint(state, lists)) {
          // A fix leaves the second info text as the slot had it.
          point->kind = kPointFix;
          point->latitude = row.latitude;
          point->longitude = row.longitude;
          point->ident = row.ident;
          point->info1.assign(".");
        }
      },
      noFill);

  ScanChunk(
      state, kHeliportBlock, database.heliports,
      [&](const navdata::HeliportRow& row) {
        if (!airportBox.Contains(row.latitude, row.longitude)) return;
        static const std::string kHeliportIdent = "HEL";
        if (NearbyPoint* point = NextPoint(state, lists)) {
          SetPoint(*point, kPointHeliport, row.latitude, row.longitude, kHeliportIdent, "HEL", " ");
        }
      },
      [&] { lists.points.FillEnd(static_cast<std::size_t>(state.out), kPointFillLimit); });

  if (state.phase == kAirwayBlock.firstPhase) state.out = 0;
  const Box airwayBox(centre, boxes.beaconDeg * 3);
  ScanChunk(
      state, kAirwayBlock, database.airwaySegments,
      [&](const navdata::AirwaySegmentRow& row) {
        if (!airwayBox.Contains(row.fromLatitude, row.fromLongitude)) return;
        if (NearbyAirway* airway = lists.airways.Slot(static_cast<std::size_t>(state.out))) {
          airway->fromLatitude = row.fromLatitude;
          airway->fromLongitude = row.fromLongitude;
          airway->toLatitude = row.toLatitude;
          airway->toLongitude = row.toLongitude;
          airway->airwayName.assign(row.airwayName);
          airway->level = static_cast<std::int32_t>(row.level);
          ++state.out;
        }
      },
      [&] { lists.airways.FillEnd(static_cast<std::size_t>(state.out), kAirwayFillLimit); });

  if (state.phase == kGeoBlock.firstPhase) state.out = 0;
  const Box geoBox(centre, boxes.geoDeg);
  ScanChunk(
      state, kGeoBlock, database.geoSegments,
      [&](const navdata::GeoSegmentRow& row) {
        if (!geoBox.Contains(row.latitude1, row.longitude1)) return;
        if (NearbyGeo* geo = lists.geo.Slot(static_cast<std::size_t>(state.out))) {
          *geo = {row.latitude1, row.longitude1, row.latitude2, row.longitude2, state.row, row.layer};
          ++state.out;
        }
      },
      [&] { lists.geo.FillEnd(static_cast<std::size_t>(state.out), kGeoFillLimit); });

  if (state.phase == kRunwayBlock.firstPhase) state.out = 0;
  ScanChunk(
      state, kRunwayBlock, database.runwayEnds,
      [&](const navdata::RunwayEndRow& row) {
        if (!airportBox.Contains(row.latitude, row.longitude)) return;
        if (NearbyRunway* runway = lists.runways.Slot(static_cast<std::size_t>(state.out))) {
          runway->latitude = row.latitude;
          runway->longitude = row.longitude;
          runway->headingDegTrue = row.headingDegTrue;
          runway->halfLengthM = row.halfLengthM;
          runway->designator.assign(row.designator);
          runway->extraText.assign(row.extraText);
          ++state.out;
        }
      },
      [&] { lists.runways.FillEnd(static_cast<std::size_t>(state.out), kRunwayFillLimit); });

  RefreshTickResult result;
  result.listsComplete = state.phase == kPhaseListsComplete;
  if (state.phase < kLastPhase) {
    ++state.phase;
  } else {
    state.phase = 0;
    result.cycleEnded = true;
  }
  return result;
}

}  // namespace corvane::map
