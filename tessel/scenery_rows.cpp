// Turns the decoded records of scenery files into DAT rows, list lines and the row lists to sort.
#include "tessel/scenery_rows.h"

#include <array>
#include <cstring>
#include <exception>

#include "formats/dat_columns.h"
#include "formats/dat_rows.h"
#include "tessel/packed_values.h"
#include "tessel/taxi_node_row.h"

namespace tessel {
namespace fmt = corvane::formats;

namespace {
constexpr std::uint8_t kTaxiPathTypeWritten = 0x61;
constexpr std::uint8_t kTaxiPathTypeRunway = 4;
// The "110" row that starts each taxi segment, alone and with its line end.
constexpr std::string_view kSegmentStartRow = fmt::layout_columns::kTaxiSegmentStartRow;
constexpr std::array<char, kSegmentStartRow.size() + 2> kSegmentStartLine = [] {
  std::array<char, kSegmentStartRow.size() + 2> line{};
  for (std::size_t i = 0; i < kSegmentStartRow.size(); ++i) line[i] = kSegmentStartRow[i];
  line[kSegmentStartRow.size()] = '\r';
  line[kSegmentStartRow.size() + 1] = '\n';
  return line;
}();

fmt::AirportRow MakeAirportRow(const BglAirport& airport, const std::string& ident, std::string_view name) {
  fmt::AirportRow row;
  row.ident = ident;
  row.latitudeDeg = DecodePackedLatitude(airport.latitudePacked);
  row.longitudeDeg = DecodePackedLongitude(airport.longitudePacked);
  row.elevationMm = airport.elevationMm;
  row.name = name;
  return row;
}
}  // namespace

SceneryRowWriter::SceneryRowWriter(const OutputKinds& kinds) : kinds_(kinds) {}

void SceneryRowWriter::BeginFile(const std::string& path, ScannedFile& into) {
  path_ = path;
  into_ = &into;
  damageCount_ = 0;
}

void SceneryRowWriter::Report(std::string text, ProblemScope scope) {
  into_->problems.push_back({std::move(text), scope});
}

void SceneryRowWriter::OnDamage(std::uint64_t offset, const std::string& reason) {
  into_->damaged = true;
  if (damageCount_ < kReportedDamagePerFile) {
    Report(path_ + " at " + HexText(offset) + ": " + reason);
  } else if (damageCount_ == kReportedDamagePerFile) {
    Report(path_ + ": further damage in this file is not listed");
  }
  ++damageCount_;
}

void SceneryRowWriter::ReportRecord(const std::string& what, const std::exception& error) {
  Report(path_ + ": " + what + " left out: " + error.what());
}

void SceneryRowWriter::OnAirport(const BglAirport&) {
  // Points and positions belong to one airport: a path never reaches a previous airport's points.
  taxiPoints_.clear();
  nodeRows_.clear();
  parking_.clear();
}

void SceneryRowWriter::OnAirportName(const BglAirport& airport, std::string_view name) {
  if (!kinds_.airports && !kinds_.airportView) return;
  const std::string ident = DecodePackedIdent(airport.identPacked);
  try {
    const fmt::AirportRow row = MakeAirportRow(airport, ident, name);
    if (kinds_.airports) {
      const std::string line = fmt::FormatAirportRow(row);
      (*into_)[ScanOutput::AirportsAll].WriteLine(line);
      into_->rows.airports.push_back(line);
    }
    if (kinds_.airportView) {
      const std::string header = fmt::FormatLayoutHeaderRow(row);
      TextBlock& layout = (*into_)[ScanOutput::AirportLayout];
      layout.WriteLine(fmt::LayoutSeparatorRow());
      layout.WriteLine(header);
      into_->lists[TabList::APV].push_back(header);
    }
  } catch (const std::exception& error) {
    ReportRecord("airport " + ident, error);
  }
}

void SceneryRowWriter::OnRunway(const BglAirport& airport, const BglRunway& runway) {
  if (!kinds_.runways && !kinds_.airportView) return;
  const std::string ident = DecodePackedIdent(airport.identPacked);
  fmt::RunwayRow row;
  row.airportIdent = ident;
  row.primaryNumber = runway.primaryNumber;
  row.primaryDesignatorCode = runway.primaryDesignator;
  row.secondaryNumber = runway.secondaryNumber;
  row.secondaryDesignatorCode = runway.secondaryDesignator;
  row.latitudeDeg = DecodePackedLatitude(runway.latitudePacked);
  row.longitudeDeg = DecodePackedLongitude(runway.longitudePacked);
  row.headingDegTrue = runway.headingDegTrue;
  row.lengthM = runway.lengthM;
  try {
    if (kinds_.runways) {
      const fmt::RunwayEndLines lines = fmt::FormatRunwayRows(row);
      TextBlock& runways = (*into_)[ScanOutput::Runways];
      runways.WriteLine(lines.primary);
      runways.WriteLine(lines.opposite);
      into_->lists[TabList::RWY].push_back(lines.primary);
      into_->lists[TabList::RWY].push_back(lines.opposite);
    }
    if (kinds_.airportView) {
      const std::string label = fmt::FormatRunwayLabelRow(row);
      (*into_)[ScanOutput::AirportLayout].WriteLine(label);
      into_->lists[TabList::APV].push_back(label);
    }
  } catch (const std::exception& error) {
    ReportRecord("a runway of " + ident, error);
  }
}

void SceneryRowWriter::OnHelipad(const BglAirport& airport, const BglHelipad& helipad) {
  if (!kinds_.heliports && !kinds_.airportView) return;
  const std::string ident = DecodePackedIdent(airport.identPacked);
  fmt::HeliportRow row;
  row.airportIdent = ident;
  row.latitudeDeg = DecodePackedLatitude(helipad.latitudePacked);
  row.longitudeDeg = DecodePackedLongitude(helipad.longitudePacked);
  row.headingDegTrue = helipad.headingDegTrue;
  row.lengthM = helipad.lengthM;
  row.widthM = helipad.widthM;
  try {
    if (kinds_.heliports) {
      const std::string line = fmt::FormatHeliportRow(row);
      (*into_)[ScanOutput::Heliports].WriteLine(line);
      into_->lists[TabList::HEL].push_back(line);
    }
    if (kinds_.airportView) {
      const std::string line = fmt::FormatHelipadRow(row);
      (*into_)[ScanOutput::AirportLayout].WriteLine(line);
      into_->lists[TabList::APV].push_back(line);
    }
  } catch (const std::exception& error) {
    ReportRecord("a helipad of " + ident, error);
  }
}

void SceneryRowWriter::OnTaxiPoints(const BglAirport& airport, std::span<const BglTaxiPoint> points) {
  // A later list of the same airport overwrites the points it numbers, as the list numbers from 0.
  std::size_t count = points.size();
  if (count > kTaxiPointCapacity) {
    Report(path_ + ": airport " + DecodePackedIdent(airport.identPacked) + " has " + std::to_string(count) +
               " taxiway points; only the first " + std::to_string(kTaxiPointCapacity) + " are kept",
           ProblemScope::TaxiPointLimit);
    count = kTaxiPointCapacity;
  }
  if (taxiPoints_.size() < count) {
    taxiPoints_.resize(count);
    nodeRows_.resize(count);
  }
  for (std::size_t i = 0; i < count; ++i) {
    taxiPoints_[i] = {points[i].longitudePacked, points[i].latitudePacked};
    nodeRows_[i].state = NodeRow::State::Unmade;
  }
}

void SceneryRowWriter::OnParking(const BglAirport& airport, std::span<const BglParking> positions) {
  std::size_t count = positions.size();
  if (count > kParkingCapacity) {
    Report(path_ + ": airport " + DecodePackedIdent(airport.identPacked) + " has " + std::to_string(count) +
               " parking positions; only the first " + std::to_string(kParkingCapacity) + " are kept",
           ProblemScope::ParkingLimit);
    count = kParkingCapacity;
  }
  if (parking_.size() < count) parking_.resize(count);
  for (std::size_t i = 0; i < count; ++i) parking_[i] = {positions[i].longitudePacked, positions[i].latitudePacked};
}

const char* SceneryRowWriter::TaxiNodeRow(std::uint16_t point) {
  NodeRow& node = nodeRows_[point];
  if (node.state == NodeRow::State::Unmade) {
    const PackedPosition& position = taxiPoints_[point];
    node.state = WriteTaxiNodeRow(DecodePackedLatitude(position.latitudePacked),
                                  DecodePackedLongitude(position.longitudePacked), node.line.data())
                     ? NodeRow::State::Made
                     : NodeRow::State::Refused;
    node.line[taxi_node::kRowBytes] = '\r';
    node.line[taxi_node::kRowBytes + 1] = '\n';
  }
  return node.state == NodeRow::State::Made ? node.line.data() : nullptr;
}

void SceneryRowWriter::OnTaxiPaths(const BglAirport& airport, std::span<const BglTaxiPath> paths) {
  if (!kinds_.airportView) return;
  TextBlock& layout = (*into_)[ScanOutput::AirportLayout];
  std::size_t missingPoints = 0;
  std::size_t written = 0;
  for (const BglTaxiPath& path : paths) {
    if (path.type != kTaxiPathTypeWritten && path.type != kTaxiPathTypeRunway) continue;
    if (path.startPoint == 0 || path.endPoint == 0) continue;
    if (path.startPoint >= taxiPoints_.size() || path.endPoint >= taxiPoints_.size()) {
      ++missingPoints;
      continue;
    }
    // A point is used by several paths: its row is made once.
    const char* startRow = TaxiNodeRow(path.startPoint);
    const char* endRow = TaxiNodeRow(path.endPoint);
    if (startRow == nullptr || endRow == nullptr) {
      ReportRefusedTaxiPath(airport, path);
      continue;
    }
    // The three lines of a segment in one piece, copies of fixed sizes.
    char* at = layout.Extend(kSegmentStartLine.size() + 2 * kNodeLineBytes);
    std::memcpy(at, kSegmentStartLine.data(), kSegmentStartLine.size());
    at += kSegmentStartLine.size();
    std::memcpy(at, startRow, kNodeLineBytes);
    std::memcpy(at + kNodeLineBytes, endRow, kNodeLineBytes);
    ++written;
  }
  // The list shows the segment's first line for each path.
  into_->lists[TabList::APV].PushRepeated(kSegmentStartRow, written);
  if (missingPoints > 0) {
    Report(path_ + ": airport " + DecodePackedIdent(airport.identPacked) + ": " + std::to_string(missingPoints) +
           " taxi paths name points its taxiway point list does not have; left out");
  }
}

void SceneryRowWriter::ReportRefusedTaxiPath(const BglAirport& airport, const BglTaxiPath& path) {
  // The formatter says which coordinate it refuses.
  try {
    for (const std::uint16_t point : {path.startPoint, path.endPoint}) {
      const PackedPosition& position = taxiPoints_[point];
      fmt::FormatTaxiNodeRow(DecodePackedLatitude(position.latitudePacked),
                             DecodePackedLongitude(position.longitudePacked));
    }
  } catch (const std::exception& error) {
    ReportRecord("a taxi path of " + DecodePackedIdent(airport.identPacked), error);
  }
}

void SceneryRowWriter::OnNavaidName(const BglNavaid& navaid, std::string_view name) {
  const bool isIls = navaid.type == kNavaidTypeIls;
  if (isIls ? !kinds_.ilss : !kinds_.vors) return;
  const std::string ident = DecodePackedIdent(navaid.identPacked);
  const double latitudeDeg = DecodePackedLatitude(navaid.latitudePacked);
  const double longitudeDeg = DecodePackedLongitude(navaid.longitudePacked);
  try {
    if (isIls) {
      fmt::IlsRow row;
      row.ident = ident;
      row.latitudeDeg = latitudeDeg;
      row.longitudeDeg = longitudeDeg;
      row.frequencyHz = navaid.frequencyHz;
      row.localizerHeadingDegTrue = navaid.localizerHeadingDegTrue;
      row.variationDeg = navaid.variationDeg;
      row.name = name;
      row.sceneryPath = path_;
      const std::string line = fmt::FormatIlsRow(row);
      (*into_)[ScanOutput::IlssAll].WriteLine(line);
      into_->rows.ilss.push_back(line);
    } else {
      fmt::BeaconRow row;
      row.ident = ident;
      row.latitudeDeg = latitudeDeg;
      row.longitudeDeg = longitudeDeg;
      row.storedFrequency = navaid.frequencyHz;
      row.name = name;
      row.sceneryPath = path_;
      const std::string line = fmt::FormatBeaconRow(row);
      (*into_)[ScanOutput::VorsAll].WriteLine(line);
      into_->rows.vors.push_back(line);
    }
  } catch (const std::exception& error) {
    ReportRecord((isIls ? "ILS " : "VOR ") + ident, error);
  }
}

void SceneryRowWriter::OnNdb(const BglNdb& ndb, std::string_view name) {
  if (!kinds_.ndbs) return;
  const std::string ident = DecodePackedIdent(ndb.identPacked);
  fmt::BeaconRow row;
  row.ident = ident;
  row.latitudeDeg = DecodePackedLatitude(ndb.latitudePacked);
  row.longitudeDeg = DecodePackedLongitude(ndb.longitudePacked);
  row.storedFrequency = ndb.frequency10Hz;
  row.name = name;
  row.sceneryPath = path_;
  try {
    const std::string line = fmt::FormatBeaconRow(row);
    (*into_)[ScanOutput::NdbsAll].WriteLine(line);
    into_->rows.ndbs.push_back(line);
  } catch (const std::exception& error) {
    ReportRecord("NDB " + ident, error);
  }
}

}  // namespace tessel
