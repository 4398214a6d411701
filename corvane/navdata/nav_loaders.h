// One loader per data-file group. Each refills its table from index 0 (the user loader appends after
// the current rows), writes the terminator row and records counts and problems in the report.
#pragma once

#include <filesystem>
#include <string_view>

#include "corvane/navdata/load_report.h"
#include "corvane/navdata/nav_tables.h"

namespace corvane::navdata {

// File names as the program asks for them; they are matched without regard to letter case.
namespace nav_file_names {
inline constexpr std::string_view kFsAirports = "fsxarp.dat";
inline constexpr std::string_view kXPlaneAirports = "NAVapt.dat";
inline constexpr std::string_view kFsHeliports = "fsxhel.dat";
inline constexpr std::string_view kFsVors = "fsxvor.dat";
inline constexpr std::string_view kXPlaneVors = "NAVvor.dat";
inline constexpr std::string_view kFsIls = "fsxils.dat";
inline constexpr std::string_view kFsNdbs = "fsxndb.dat";
inline constexpr std::string_view kXPlaneNdbs = "NAVndb.dat";
inline constexpr std::string_view kFsRunways = "fsxrwy.dat";
inline constexpr std::string_view kXPlaneRunways = "NAVrwy.dat";
inline constexpr std::string_view kFixes = "NAVwpt.dat";
inline constexpr std::string_view kAirways = "NAVawy.dat";
inline constexpr std::string_view kGeoLines = "corvane_geo.dat";
inline constexpr std::string_view kUserData = "corvane_user.dat";
}  // namespace nav_file_names

void LoadFixes(FixTable& fixes, const std::filesystem::path& folder, LoadReport& report);
// VORs, then ILS localizers (FS mode only), then NDBs, into the one table.
void LoadBeacons(BeaconTable& beacons, const std::filesystem::path& folder, DatabaseSource source, LoadReport& report);
void LoadRunwayEnds(RunwayEndTable& runwayEnds, const std::filesystem::path& folder, DatabaseSource source,
                    LoadReport& report);
void LoadAirports(AirportTable& airports, const std::filesystem::path& folder, DatabaseSource source,
                  LoadReport& report);
// FS mode only; in X-Plane mode the table is left empty.
void LoadHeliports(HeliportTable& heliports, const std::filesystem::path& folder, DatabaseSource source,
                   LoadReport& report);
void LoadGeoLines(GeoSegmentTable& geoSegments, const std::filesystem::path& folder, LoadReport& report);
void LoadAirways(AirwaySegmentTable& airwaySegments, const std::filesystem::path& folder, LoadReport& report);
// Appends the user's airports, VORs, NDBs, runway ends and fixes after the rows already loaded.
// The user file is optional: its absence is not a problem.
void LoadUserData(NavDatabase& database, const std::filesystem::path& folder, LoadReport& report);

}  // namespace corvane::navdata
