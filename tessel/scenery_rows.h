// Turns the decoded records of scenery files into DAT rows, list lines and the row lists to sort.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tessel/bgl_decoder.h"
#include "tessel/output_kinds.h"
#include "tessel/scanned_file.h"
#include "tessel/taxi_node_row.h"

namespace tessel {

inline constexpr std::size_t kRowCapacity = 1000000;
inline constexpr std::size_t kTaxiPointCapacity = 10000;
inline constexpr std::size_t kParkingCapacity = 10000;
// Damage reports of one file beyond this many are counted, not listed.
inline constexpr std::size_t kReportedDamagePerFile = 10;

// Makes the rows, list lines and problem texts of one file's records into a ScannedFile.
class SceneryRowWriter final : public BglVisitor {
 public:
  explicit SceneryRowWriter(const OutputKinds& kinds);

  // The file whose records follow, and where its rows go; its path ends the beacon rows.
  void BeginFile(const std::string& path, ScannedFile& into);

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
  // A taxiway point's "111" row with its line end, made when a path first uses the point.
  static constexpr std::size_t kNodeLineBytes = taxi_node::kRowBytes + 2;
  struct NodeRow {
    enum class State : std::uint8_t { Unmade, Made, Refused };
    State state = State::Unmade;
    std::array<char, kNodeLineBytes> line;
  };

  void Report(std::string text, ProblemScope scope = ProblemScope::EachTime);
  void ReportRecord(const std::string& what, const std::exception& error);
  // The node row of a point inside the list, or null when a coordinate does not fit its field.
  const char* TaxiNodeRow(std::uint16_t point);
  void ReportRefusedTaxiPath(const BglAirport& airport, const BglTaxiPath& path);

  OutputKinds kinds_;
  ScannedFile* into_ = nullptr;
  std::string path_;
  std::size_t damageCount_ = 0;
  // The current airport's taxiway points by point number, and its parking positions (kept only).
  std::vector<PackedPosition> taxiPoints_;
  std::vector<NodeRow> nodeRows_;  // beside taxiPoints_
  std::vector<PackedPosition> parking_;
};

}  // namespace tessel
