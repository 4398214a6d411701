// Turns the decoded records of scenery files into DAT rows, list lines and the row lists to sort.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tessel/bgl_decoder.h"
#include "tessel/coordinate_text.h"
#include "tessel/dat_file.h"
#include "tessel/output_kinds.h"
#include "tessel/run_observer.h"

namespace tessel {

inline constexpr std::size_t kRowCapacity = 1000000;
inline constexpr std::size_t kTaxiPointCapacity = 10000;
inline constexpr std::size_t kParkingCapacity = 10000;
// Damage reports of one file beyond this many are counted, not listed.
inline constexpr std::size_t kReportedDamagePerFile = 10;

// The rows of the four sorted files, in scan order.
struct RowLists {
    std::vector<std::string> airports;
    std::vector<std::string> vors;
    std::vector<std::string> ilss;
    std::vector<std::string> ndbs;
};

// The scan-order output files; a file left closed is simply not written.
struct ScanOutputs {
    DatFile runways;
    DatFile heliports;
    DatFile airportLayout;
    DatFile vorsAll;
    DatFile ndbsAll;
    DatFile airportsAll;
    DatFile ilssAll;
};

class SceneryRowWriter final : public BglVisitor {
public:
    SceneryRowWriter(const OutputKinds& kinds, ScanOutputs& outputs, RowLists& rows, RunLists& lists,
                     RunObserver& observer);

    // The file whose records follow; its path ends the beacon rows.
    void BeginFile(const std::string& path);
    // Damage reports of the current file so far.
    std::size_t damageCount() const { return damageCount_; }

    void OnAirport(const BglAirport& airport) override;
    void OnAirportName(const BglAirport& airport, std::string_view name) override;
    void OnRunway(const BglAirport& airport, const BglRunway& runway) override;
    void OnHelipad(const BglAirport& airport, const BglHelipad& helipad) override;
    void OnTaxiPoints(const BglAirport& airport, std::span<const BglTaxiPoint> points) override;
    void OnParking(const BglAirport& airport, std::span<const BglParking> positions) override;
    void OnTaxiPaths(const BglAirport& airport, std::span<const BglTaxiPath> paths) override;
    void OnNavaidName(const BglNavaid& navaid, std::string_view name) override;
    void OnNdb(const BglNdb& ndb, std::string_view name) override;
    void OnDamage(std::uint64_t offset, const std::string& reason) override;

private:
    struct PackedPosition {
        std::uint32_t longitudePacked = 0;
        std::uint32_t latitudePacked = 0;
    };
    enum class RowList { Airports, Vors, Ilss, Ndbs };
    // A taxiway point's "111" row, made when a path first uses the point.
    struct NodeRow {
        enum class State : std::uint8_t { Unmade, Made, Refused };
        State state = State::Unmade;
        std::array<char, taxi_node::kRowBytes> text;
    };

    void AddRow(RowList list, const std::string& row);
    void ReportRecord(const std::string& what, const std::exception& error);
    // The node row of a point inside the list, or null when a coordinate does not fit its field.
    const char* TaxiNodeRow(std::uint16_t point);
    void ReportRefusedTaxiPath(const BglAirport& airport, const BglTaxiPath& path);

    OutputKinds kinds_;
    ScanOutputs& outputs_;
    RowLists& rows_;
    RunLists& lists_;
    RunObserver& observer_;
    std::string path_;
    std::size_t damageCount_ = 0;
    std::array<bool, 4> rowLimitReported_{};
    bool taxiLimitReported_ = false;
    bool parkingLimitReported_ = false;
    // The current airport's taxiway points by point number, and its parking positions (kept only).
    std::vector<PackedPosition> taxiPoints_;
    std::vector<NodeRow> nodeRows_;  // beside taxiPoints_
    std::vector<PackedPosition> parking_;
    const std::string segmentStartRow_;
};

}  // namespace tessel
