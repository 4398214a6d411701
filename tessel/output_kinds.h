// Which kinds of rows a run produces (the seven checkboxes) and the files they go to.
#pragma once

namespace tessel {

struct OutputKinds {
  bool airports = true;     // chARP
  bool runways = true;      // chRWY
  bool vors = true;         // chVOR
  bool ndbs = true;         // chNDB
  bool heliports = true;    // chHEL
  bool ilss = true;         // chILS
  bool airportView = true;  // chAPV
};

inline constexpr const char* kAirportsSortedFile = "FSXARP.dat";
inline constexpr const char* kAirportsAllFile = "FSXARPall.dat";
inline constexpr const char* kRunwaysFile = "FSXRWY.dat";
inline constexpr const char* kHeliportsFile = "FSXHEL.dat";
inline constexpr const char* kVorsSortedFile = "FSXVOR.dat";
inline constexpr const char* kVorsAllFile = "FSXVORall.dat";
inline constexpr const char* kNdbsSortedFile = "FSXNDB.dat";
inline constexpr const char* kNdbsAllFile = "FSXNDBall.dat";
inline constexpr const char* kIlssSortedFile = "FSXILS.dat";
inline constexpr const char* kIlssAllFile = "FSXILSall.dat";
inline constexpr const char* kAirportLayoutFile = "corvanfs_apt.dat";

}  // namespace tessel
