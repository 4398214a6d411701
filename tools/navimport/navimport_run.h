// One conversion run: every source read, every output file written, one report.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tools/navimport/geo_box.h"
#include "tools/navimport/import_report.h"

namespace corvane::navimport {

struct NavImportOptions {
  std::filesystem::path xplaneFolder;  // nav.dat, fix.dat, awy.dat, apt.dat (plain or .gz, or earth_*.dat)
  std::filesystem::path xplaneRoot;    // an X-Plane 11/12 install folder, used when xplaneFolder is empty
  std::filesystem::path geoFolder;     // land-50m.json, countries-50m.json
  std::filesystem::path outFolder;
  std::optional<GeoBox> box;
  // Airports whose layout goes into "corvanxX_apt.dat"; when empty, every airport written.
  std::vector<std::string> layoutAirports;
  // Write navsid.dat and navstar.dat from CIFP even where the output folder has its own.
  bool proceduresFromCifp = false;
};

// Output file names.
inline constexpr const char* kAirportFile = "NAVapt.dat";
inline constexpr const char* kRunwayFile = "NAVrwy.dat";
inline constexpr const char* kVorFile = "NAVvor.dat";
inline constexpr const char* kNdbFile = "NAVndb.dat";
inline constexpr const char* kFixFile = "NAVwpt.dat";
inline constexpr const char* kAirwayFile = "NAVawy.dat";
inline constexpr const char* kLayoutFile = "corvanxX_apt.dat";
inline constexpr const char* kGeoFile = "corvane_geo.dat";
inline constexpr const char* kReportFile = "navimport_report.txt";

struct NavImportResult {
  ImportReport report;
  // Sources that could not be read and files that could not be written; the run goes on without
  // them, and the outputs they feed are not written (an old file of that name is left alone).
  std::vector<std::string> errors;
  // Seconds per step, for the console.
  std::vector<std::pair<std::string, double>> stepSeconds;
};

NavImportResult RunNavImport(const NavImportOptions& options);

}  // namespace corvane::navimport
