// Turns the decoded records of scenery files into DAT rows, list lines and the row lists to sort.
#include "tessel/scenery_rows.h"

#include <exception>

#include "formats/dat_rows.h"
#include "tessel/coordinate_text.h"
#include "tessel/packed_values.h"

namespace tessel {
namespace fmt = corvane::formats;

namespace {
constexpr std::uint8_t kTaxiPathTypeWritten = 0x61;
constexpr std::uint8_t kTaxiPathTypeRunway = 4;

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

SceneryRowWriter::SceneryRowWriter(const OutputKinds& kinds, ScanOutputs& outputs, RowLists& rows, RunLists& lists,
                                   RunObserver& observer)
    : kinds_(kinds), outputs_(outputs), rows_(rows), lists_(lists), observer_(observer),
      segmentStartRow_(fmt::LayoutTaxiSegmentStartRow()) {}

void SceneryRowWriter::BeginFile(const std::string& path) {
    path_ = path;
    damageCount_ = 0;
}

void SceneryRowWriter::OnDamage(std::uint64_t offset, const std::string& reason) {
    if (damageCount_ < kReportedDamagePerFile) {
        observer_.OnProblem(path_ + " at " + HexText(offset) + ": " + reason);
    } else if (damageCount_ == kReportedDamagePerFile) {
        observer_.OnProblem(path_ + ": further damage in this file is not listed");
    }
    ++damageCount_;
}

void SceneryRowWriter::ReportRecord(const std::string& what, const std::exception& error) {
    observer_.OnProblem(path_ + ": " + what + " left out: " + error.what());
}

void SceneryRowWriter::AddRow(RowList list, const std::string& row) {
    static constexpr std::array<const char*, 4> kNames = {"airport", "VOR", "ILS", "NDB"};
    static constexpr std::array<const char*, 4> kFiles = {kAirportsSortedFile, kVorsSortedFile, kIlssSortedFile,
                                                          kNdbsSortedFile};
    const auto index = static_cast<std::size_t>(list);
    std::vector<std::string>* rows[] = {&rows_.airports, &rows_.vors, &rows_.ilss, &rows_.ndbs};
    if (rows[index]->size() >= kRowCapacity) {
        if (!rowLimitReported_[index]) {
            observer_.OnProblem(std::string("The limit of ") + std::to_string(kRowCapacity) + " " + kNames[index] +
                                " rows is reached at " + path_ + "; further rows are left out of " + kFiles[index]);
            rowLimitReported_[index] = true;
        }
        return;
    }
    rows[index]->push_back(row);
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
            outputs_.airportsAll.WriteLine(line);
            AddRow(RowList::Airports, line);
        }
        if (kinds_.airportView) {
            const std::string header = fmt::FormatLayoutHeaderRow(row);
            outputs_.airportLayout.WriteLine(fmt::LayoutSeparatorRow());
            outputs_.airportLayout.WriteLine(header);
            lists_[TabList::APV].push_back(header);
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
            outputs_.runways.WriteLine(lines.primary);
            outputs_.runways.WriteLine(lines.opposite);
            lists_[TabList::RWY].push_back(lines.primary);
            lists_[TabList::RWY].push_back(lines.opposite);
        }
        if (kinds_.airportView) {
            const std::string label = fmt::FormatRunwayLabelRow(row);
            outputs_.airportLayout.WriteLine(label);
            lists_[TabList::APV].push_back(label);
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
            outputs_.heliports.WriteLine(line);
            lists_[TabList::HEL].push_back(line);
        }
        if (kinds_.airportView) {
            const std::string line = fmt::FormatHelipadRow(row);
            outputs_.airportLayout.WriteLine(line);
            lists_[TabList::APV].push_back(line);
        }
    } catch (const std::exception& error) {
        ReportRecord("a helipad of " + ident, error);
    }
}

void SceneryRowWriter::OnTaxiPoints(const BglAirport& airport, std::span<const BglTaxiPoint> points) {
    // A later list of the same airport overwrites the points it numbers, as the list numbers from 0.
    std::size_t count = points.size();
    if (count > kTaxiPointCapacity) {
        if (!taxiLimitReported_) {
            observer_.OnProblem(path_ + ": airport " + DecodePackedIdent(airport.identPacked) + " has " +
                                std::to_string(count) + " taxiway points; only the first " +
                                std::to_string(kTaxiPointCapacity) + " are kept");
            taxiLimitReported_ = true;
        }
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
        if (!parkingLimitReported_) {
            observer_.OnProblem(path_ + ": airport " + DecodePackedIdent(airport.identPacked) + " has " +
                                std::to_string(count) + " parking positions; only the first " +
                                std::to_string(kParkingCapacity) + " are kept");
            parkingLimitReported_ = true;
        }
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
                                      DecodePackedLongitude(position.longitudePacked), node.text.data())
                         ? NodeRow::State::Made
                         : NodeRow::State::Refused;
    }
    return node.state == NodeRow::State::Made ? node.text.data() : nullptr;
}

void SceneryRowWriter::OnTaxiPaths(const BglAirport& airport, std::span<const BglTaxiPath> paths) {
    if (!kinds_.airportView) return;
    std::size_t missingPoints = 0;
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
        outputs_.airportLayout.WriteLine(segmentStartRow_);
        outputs_.airportLayout.WriteLine(std::string_view(startRow, taxi_node::kRowBytes));
        outputs_.airportLayout.WriteLine(std::string_view(endRow, taxi_node::kRowBytes));
        lists_[TabList::APV].push_back(segmentStartRow_);
    }
    if (missingPoints > 0) {
        observer_.OnProblem(path_ + ": airport " + DecodePackedIdent(airport.identPacked) + ": " +
                            std::to_string(missingPoints) +
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
            outputs_.ilssAll.WriteLine(line);
            AddRow(RowList::Ilss, line);
        } else {
            fmt::BeaconRow row;
            row.ident = ident;
            row.latitudeDeg = latitudeDeg;
            row.longitudeDeg = longitudeDeg;
            row.storedFrequency = navaid.frequencyHz;
            row.name = name;
            row.sceneryPath = path_;
            const std::string line = fmt::FormatBeaconRow(row);
            outputs_.vorsAll.WriteLine(line);
            AddRow(RowList::Vors, line);
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
        outputs_.ndbsAll.WriteLine(line);
        AddRow(RowList::Ndbs, line);
    } catch (const std::exception& error) {
        ReportRecord("NDB " + ident, error);
    }
}

}  // namespace tessel
