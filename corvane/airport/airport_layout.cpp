// Turning the layout file's rows and the runway file's label rows into drawable items.
#include "corvane/airport/airport_layout.h"

#include <algorithm>
#include <memory>

#include "corvane/map/map_view.h"
#include "corvane/map/paint_support.h"
#include "corvane/navdata/table_loading.h"
#include "formats/dat_columns.h"
#include "formats/field_cut.h"

namespace corvane::airport {
namespace {

using formats::Column;
namespace col = formats::layout_columns;

constexpr float kFeetPerMetre = 3.2808f;
constexpr float kMetresPerNm = 1852.0f;
constexpr float kRunwayLengthPerWidth = 30.0f;
constexpr float kPavementWidthFt = 150.0f;
// Label rows of the runway file start after the file's opening lines.
constexpr std::size_t kFirstRunwayLabelIndex = 2;

// Row codes of the layout file, as they stand at the start of the line.
constexpr std::string_view kRunwayCode = "100";
constexpr std::string_view kXPlaneHelipadCode = "102";
constexpr std::string_view kRunwayLabelCode = "105";
constexpr std::string_view kHelipadCode = "107";
constexpr std::string_view kTaxiwayCode = "10 ";
constexpr std::string_view kOutlineCode = "110 ";
constexpr std::string_view kNodeCodes[] = {"111 ", "112 ", "113 ", "114 "};
// The last node of a ring, which closes it back to the ring's first node.
constexpr std::string_view kClosingNodeCodes[] = {"113 ", "114 "};

// Columns of the X-Plane rows.
constexpr Column kRunwayDesignator{32, 34};
constexpr Column kRunwayEnd1Latitude{36, 47};
constexpr Column kRunwayEnd1Longitude{49, 61};
constexpr Column kRunwayEnd2Latitude{92, 103};
constexpr Column kRunwayEnd2Longitude{105, 117};
constexpr Column kXPlaneHelipadLatitude{9, 20};
constexpr Column kXPlaneHelipadLongitude{22, 34};
constexpr Column kXPlaneHelipadHeading{36, 41};
constexpr Column kXPlaneHelipadLength{44, 49};
constexpr Column kTaxiwayLatitude{5, 16};
constexpr Column kTaxiwayLongitude{18, 30};
constexpr Column kTaxiwayHeading{36, 41};
constexpr Column kTaxiwayLength{43, 47};
constexpr Column kTaxiwayWidth{58, 61};

using navdata::FloatField;

bool IsNode(std::string_view line) {
  return std::any_of(std::begin(kNodeCodes), std::end(kNodeCodes),
                     [&](std::string_view code) { return line.starts_with(code); });
}

bool IsClosingNode(std::string_view line) {
  return std::any_of(std::begin(kClosingNodeCodes), std::end(kClosingNodeCodes),
                     [&](std::string_view code) { return line.starts_with(code); });
}

bool SamePoint(map::GeoPos a, map::GeoPos b) { return a.latitude == b.latitude && a.longitude == b.longitude; }

// Appends items up to the layout's capacity and counts the rest.
class ItemSink {
 public:
  ItemSink(AirportLayout& layout, AirportLoadResult& result) : layout_(layout), result_(result) {}

  void Add(LayoutItem&& item, std::string_view fileName, std::size_t lineNumber) {
    if (layout_.items.size() < layout_.capacity) {
      layout_.items.push_back(std::move(item));
      return;
    }
    if (result_.itemsLeftOut++ == 0) {
      result_.problems.push_back(
          {std::string(fileName), lineNumber,
           "airport layout is full (" + std::to_string(layout_.capacity) + " items); items from here on are left out"});
    }
  }

 private:
  AirportLayout& layout_;
  AirportLoadResult& result_;
};

// A piece between two points: centred between them, along the whole-degree bearing from the first.
LayoutItem PieceBetween(map::GeoPos from, map::GeoPos to, std::string kind) {
  const map::PolarOffset offset = map::PolarOffsetBetween(from, to);
  LayoutItem item;
  item.latitude = static_cast<float>((from.latitude + to.latitude) / 2);
  item.longitude = static_cast<float>((from.longitude + to.longitude) / 2);
  item.headingDegTrue = static_cast<float>(offset.bearingDeg);
  item.lengthFt = offset.distNm * kMetresPerNm * kFeetPerMetre;
  item.kind = std::move(kind);
  return item;
}

map::GeoPos PointAt(std::string_view line, Column latitude, Column longitude) {
  return {FloatField(line, latitude, "latitude"), FloatField(line, longitude, "longitude")};
}

LayoutItem RunwayItem(std::string_view line) {
  const map::GeoPos end1 = PointAt(line, kRunwayEnd1Latitude, kRunwayEnd1Longitude);
  const map::GeoPos end2 = PointAt(line, kRunwayEnd2Latitude, kRunwayEnd2Longitude);
  LayoutItem item = PieceBetween(end1, end2, std::string(formats::TrimmedField(line, kRunwayDesignator)));
  item.widthFt = item.lengthFt / kRunwayLengthPerWidth;
  return item;
}

LayoutItem XPlaneHelipadItem(std::string_view line) {
  LayoutItem item;
  item.latitude = FloatField(line, kXPlaneHelipadLatitude, "latitude");
  item.longitude = FloatField(line, kXPlaneHelipadLongitude, "longitude");
  item.kind = kHelipadKind;
  item.headingDegTrue = FloatField(line, kXPlaneHelipadHeading, "heading");
  item.lengthFt = FloatField(line, kXPlaneHelipadLength, "length") * kFeetPerMetre;
  item.widthFt = item.lengthFt;
  return item;
}

LayoutItem RunwayLabelItem(std::string_view line) {
  LayoutItem item;
  item.latitude = FloatField(line, col::kRunwayLabelLatitude, "latitude");
  item.longitude = FloatField(line, col::kRunwayLabelLongitude, "longitude");
  item.kind = formats::TrimmedField(line, col::kRunwayLabelDesignator);
  item.headingDegTrue = FloatField(line, col::kRunwayLabelHeading, "heading");
  item.lengthFt = FloatField(line, col::kRunwayLabelHalfLength, "half-length") * kFeetPerMetre * 2;
  item.widthFt = item.lengthFt / kRunwayLengthPerWidth;
  return item;
}

LayoutItem HelipadItem(std::string_view line) {
  LayoutItem item;
  item.latitude = FloatField(line, col::kHelipadLatitude, "latitude");
  item.longitude = FloatField(line, col::kHelipadLongitude, "longitude");
  item.kind = kHelipadKind;
  item.headingDegTrue = FloatField(line, col::kHelipadHeading, "heading");
  item.lengthFt = FloatField(line, col::kHelipadHalfLength, "half-length") * kFeetPerMetre * 2;
  item.widthFt = item.lengthFt;
  return item;
}

LayoutItem TaxiwayItem(std::string_view line) {
  LayoutItem item;
  item.latitude = FloatField(line, kTaxiwayLatitude, "latitude");
  item.longitude = FloatField(line, kTaxiwayLongitude, "longitude");
  item.kind = kTaxiwayKind;
  item.headingDegTrue = FloatField(line, kTaxiwayHeading, "heading");
  item.lengthFt = FloatField(line, kTaxiwayLength, "length");
  item.widthFt = FloatField(line, kTaxiwayWidth, "width");
  return item;
}

// Reads one airport's lines: the runway and helipad groups in their order, then taxiways and
// pavement outlines up to the next airport.
class SectionReader {
 public:
  // The section's lines, the header first; its line numbers in the file start at headerLineNumber.
  SectionReader(const formats::TextFile& file, std::size_t headerLineNumber, std::string_view fileName, ItemSink& sink,
                AirportLoadResult& result)
      : file_(file), headerLineNumber_(headerLineNumber), fileName_(fileName), sink_(sink), result_(result) {}

  void Read() {
    const std::size_t endIndex = file_.size();
    std::size_t index = 1;
    for (const auto& [code, makeItem] : kGroups) {
      for (; index < endIndex && file_[index].starts_with(code); ++index) {
        Offer(index, makeItem);
      }
    }
    Ring ring;
    bool outlineOpen = false;
    for (; index < endIndex; ++index) {
      const std::string_view line = file_[index];
      if (IsNode(line) && outlineOpen) {
        AddNode(index, ring);
        continue;
      }
      outlineOpen = line.starts_with(kOutlineCode);
      ring = Ring{};
      if (line.starts_with(kTaxiwayCode)) Offer(index, TaxiwayItem);
    }
  }

 private:
  using MakeItem = LayoutItem (*)(std::string_view);
  struct Group {
    std::string_view code;
    MakeItem makeItem;
  };
  static constexpr Group kGroups[] = {{kRunwayCode, RunwayItem},
                                      {kXPlaneHelipadCode, XPlaneHelipadItem},
                                      {kRunwayLabelCode, RunwayLabelItem},
                                      {kHelipadCode, HelipadItem}};

  // The nodes of one ring of an outline read so far: its first node, to close it back to, and the
  // last, to join the next to.
  struct Ring {
    std::optional<map::GeoPos> first;
    std::optional<map::GeoPos> previous;
  };

  // A node joins the ring's previous node; a closing node also joins the ring's first node and ends
  // the ring, so that the next node starts a ring of its own (a hole, or the next outline part).
  void AddNode(std::size_t index, Ring& ring) {
    const std::string_view line = file_[index];
    try {
      const map::GeoPos node = PointAt(line, col::kTaxiNodeLatitude, col::kTaxiNodeLongitude);
      if (ring.previous) AddPavementPiece(*ring.previous, node, index);
      if (!ring.first) ring.first = node;
      ring.previous = node;
    } catch (const navdata::RowRejected& rejected) {
      // No piece spans a node that could not be read; the ring goes on from the next node.
      ring.previous.reset();
      Reject(index, rejected.what());
    }
    if (IsClosingNode(line)) {
      if (ring.previous && ring.first) AddPavementPiece(*ring.previous, *ring.first, index);
      ring = Ring{};
    }
  }

  // Two nodes on the same point (a node repeated as the next curve's start) span no pavement.
  void AddPavementPiece(map::GeoPos from, map::GeoPos to, std::size_t index) {
    if (SamePoint(from, to)) return;
    LayoutItem piece = PieceBetween(from, to, std::string(kTaxiwayKind));
    piece.widthFt = kPavementWidthFt;
    sink_.Add(std::move(piece), fileName_, LineNumber(index));
  }

  std::size_t LineNumber(std::size_t index) const { return headerLineNumber_ + index; }

  void Offer(std::size_t index, MakeItem makeItem) {
    try {
      sink_.Add(makeItem(file_[index]), fileName_, LineNumber(index));
    } catch (const navdata::RowRejected& rejected) {
      Reject(index, rejected.what());
    }
  }

  void Reject(std::size_t index, std::string reason) {
    result_.problems.push_back({std::string(fileName_), LineNumber(index), std::move(reason)});
  }

  const formats::TextFile& file_;
  std::size_t headerLineNumber_;
  std::string_view fileName_;
  ItemSink& sink_;
  AirportLoadResult& result_;
};

// The row gives the runway centre for both ends; the label goes to the threshold of its own end, so
// that the texts of the two ends do not cover each other and each stands where its approach begins.
// A row without a readable heading or half-length keeps its label at the centre.
void MoveToThreshold(std::string_view line, LayoutItem& item) {
  namespace runway = formats::runway_columns;
  try {
    const double headingDeg = FloatField(line, runway::kHeading, "heading");
    const double backDeg = FloatField(line, runway::kHalfLength, "half-length") / kMetresPerNm / 60.0;
    const double northDeg = -backDeg * map::CosDeg(headingDeg);
    item.longitude -= static_cast<float>(backDeg * map::SinDeg(headingDeg) / map::CosDeg(item.latitude));
    item.latitude += static_cast<float>(northDeg);
  } catch (const navdata::RowRejected&) {
  }
}

// A runway-file line of the airport itself, not of another whose ident begins the same way.
bool IsAirportLine(std::string_view line, std::string_view ident) {
  return line.starts_with(ident) && formats::TrimmedField(line, formats::runway_columns::kAirportIdent) == ident;
}

// The label entries of the runway file: lines of the airport long enough to carry a label.
void ReadRunwayLabels(const formats::TextFile& file, std::string_view fileName, std::string_view ident, ItemSink& sink,
                      AirportLoadResult& result) {
  namespace runway = formats::runway_columns;
  for (std::size_t index = kFirstRunwayLabelIndex; index < file.size(); ++index) {
    const std::string_view line = file[index];
    if (!IsAirportLine(line, ident) || line.size() < runway::kLabelMinLength) continue;
    try {
      LayoutItem item;
      item.latitude = FloatField(line, runway::kLatitude, "latitude");
      item.longitude = FloatField(line, runway::kLongitude, "longitude");
      MoveToThreshold(line, item);
      item.kind = kLabelKind;
      item.label = formats::CutField(line, runway::kExtraText);
      sink.Add(std::move(item), fileName, index + 1);
    } catch (const navdata::RowRejected& rejected) {
      result.problems.push_back({std::string(fileName), index + 1, rejected.what()});
    }
  }
}

// Lines of the runway file that may become labels, to size the layout before it is filled.
std::size_t RunwayLabelLines(const formats::TextFile& file, std::string_view ident) {
  std::size_t count = 0;
  for (std::size_t index = kFirstRunwayLabelIndex; index < file.size(); ++index) {
    if (IsAirportLine(file[index], ident)) ++count;
  }
  return count;
}

std::string FailureText(const std::vector<navdata::LoadProblem>& problems) {
  return problems.empty() ? std::string(kAirportNotFound) : navdata::ProblemText(problems.back());
}

}  // namespace

AirportLoadResult LoadAirportLayout(LayoutFileCache& files, const std::filesystem::path& folder,
                                    navdata::DatabaseSource source, std::string_view ident, AirportLayout& layout) {
  AirportLoadResult result;
  layout.items.clear();
  layout.elevationText.clear();
  if (ident.empty()) {
    result.failure = kAirportNotFound;
    return result;
  }
  const bool xPlane = source == navdata::DatabaseSource::kXPlane;
  const LayoutFileIndex* layoutFile =
      files.Layout(folder, xPlane ? layout_file_names::kXPlaneLayout : layout_file_names::kFsLayout, result.problems);
  const formats::TextFile* runwayFile = files.Runways(
      folder, xPlane ? layout_file_names::kXPlaneRunways : layout_file_names::kFsRunways, result.problems);
  if (!layoutFile || !runwayFile) {
    result.failure = FailureText(result.problems);
    return result;
  }

  const std::optional<AirportSection> section = layoutFile->Find(ident);
  std::unique_ptr<formats::TextFile> sectionLines;
  if (section) {
    try {
      sectionLines = layoutFile->ReadSection(*section);
    } catch (const formats::TextFileError& failure) {
      result.problems.push_back({files.LayoutName(), section->headerLineNumber, failure.what()});
      result.failure = FailureText(result.problems);
      return result;
    }
  }
  const std::size_t sectionSize = sectionLines ? sectionLines->size() : 0;
  const std::size_t expected = std::min(layout.capacity, sectionSize + RunwayLabelLines(*runwayFile, ident));
  // A small airport after a large one gives the memory back.
  if (layout.items.capacity() > 2 * expected + 64) layout.items.shrink_to_fit();
  layout.items.reserve(expected);

  ItemSink sink(layout, result);
  if (sectionLines && sectionSize > 0) {
    layout.elevationText = formats::CutField((*sectionLines)[0], col::kHeaderElevation);
    SectionReader(*sectionLines, section->headerLineNumber, files.LayoutName(), sink, result).Read();
  }
  ReadRunwayLabels(*runwayFile, files.RunwaysName(), ident, sink, result);
  if (layout.items.empty()) result.failure = kAirportNotFound;
  return result;
}

std::optional<map::GeoPos> LayoutCentre(const AirportLayout& layout) {
  float latitudeSum = 0;
  float longitudeSum = 0;
  std::size_t count = 0;
  for (const LayoutItem& item : layout.items) {
    if (item.latitude == 0) break;
    latitudeSum += item.latitude;
    longitudeSum += item.longitude;
    ++count;
  }
  if (count == 0) return std::nullopt;
  return map::GeoPos{latitudeSum / static_cast<float>(count), longitudeSum / static_cast<float>(count)};
}

}  // namespace corvane::airport
