// Column positions of every DAT file, for the writers and the readers alike (1-based, inclusive).
#pragma once

#include <array>
#include <cstddef>
#include <limits>
#include <string_view>

namespace corvane::formats {

inline constexpr std::size_t kToLineEnd = std::numeric_limits<std::size_t>::max();

struct Column {
  std::size_t first;  // 1-based
  std::size_t last;   // 1-based, inclusive; kToLineEnd for a field that runs to the end of the line

  constexpr std::size_t width() const { return last - first + 1; }
  constexpr bool toLineEnd() const { return last == kToLineEnd; }
};

// Rows of the airport files ("FSXARP.dat", "NAVapt.dat", "#APT" user rows).
namespace airport_columns {
inline constexpr Column kIdentWritten{1, 5};
inline constexpr Column kIdent{1, 4};
inline constexpr Column kLatitude{6, 15};
inline constexpr Column kLongitude{16, 26};
inline constexpr Column kElevationWritten{27, 32};
inline constexpr Column kElevation{28, 32};
inline constexpr Column kName{35, kToLineEnd};
}  // namespace airport_columns

// Runway-end rows ("FSXRWY.dat", "NAVrwy.dat", "#RWY" user rows); the label rows the airport view
// takes from the same file use the centre and the extra text.
namespace runway_columns {
inline constexpr Column kAirportIdent{1, 4};
inline constexpr Column kDesignatorWritten{5, 8};
inline constexpr Column kDesignator{6, 8};
inline constexpr Column kLatitude{10, 19};
inline constexpr Column kLongitude{20, 30};
inline constexpr Column kHeading{32, 34};
inline constexpr Column kHalfLength{36, 40};
inline constexpr Column kExtraText{42, 51};
// The extra text is taken only from lines longer than this.
inline constexpr std::size_t kExtraTextAfterLength = 42;
// The airport view takes a label only from lines at least this long.
inline constexpr std::size_t kLabelMinLength = 50;
}  // namespace runway_columns

// Heliport rows ("FSXHEL.dat"). The reader's latitude starts one column early, on the ident's padding.
namespace heliport_columns {
inline constexpr Column kIdentWritten{1, 6};
inline constexpr Column kLatitudeWritten{7, 18};
inline constexpr Column kLatitude{6, 18};
inline constexpr Column kLongitude{20, 32};
inline constexpr Column kHeading{34, 36};
inline constexpr Column kHalfLength{38, 42};
inline constexpr Column kHalfWidth{44, 48};
}  // namespace heliport_columns

// VOR and NDB rows ("FSXVOR.dat", "FSXNDB.dat", "NAVvor.dat", "NAVndb.dat", "#VOR"/"#NDB" user rows).
namespace beacon_columns {
inline constexpr Column kIdentWritten{1, 5};
inline constexpr Column kIdent{1, 4};
inline constexpr Column kLatitude{6, 15};
inline constexpr Column kLongitude{16, 26};
inline constexpr Column kFrequency{29, 34};
// Written: the name, then ";" and the scenery file path, to the end of the line.
inline constexpr Column kNameWritten{36, kToLineEnd};
// Read (VOR rows in FS mode): seven characters, which may run into the ";" and path.
inline constexpr Column kVorName{36, 42};
inline constexpr char kPathSeparator = ';';
}  // namespace beacon_columns

// ILS rows ("FSXILS.dat").
namespace ils_columns {
inline constexpr Column kIdentWritten{1, 5};
inline constexpr Column kIdent{1, 4};
inline constexpr Column kLatitude{6, 15};
inline constexpr Column kLongitude{16, 26};
inline constexpr Column kFrequency{29, 34};
inline constexpr Column kMagneticCourse{36, 38};
inline constexpr Column kVariation{40, 42};
// Frequency, course and variation read together as one text.
inline constexpr Column kFrequencyText{29, 42};
inline constexpr Column kNameWritten{44, 75};
inline constexpr Column kName{44, 63};
inline constexpr Column kPathSeparator{76, 78};
inline constexpr std::string_view kPathSeparatorText = "  ;";
inline constexpr Column kPath{79, kToLineEnd};
// Positions inside the 14-character frequency text (1-based).
inline constexpr Column kTextFrequency{1, 6};
inline constexpr Column kTextCourse{8, 10};
inline constexpr Column kTextVariation{12, 14};
}  // namespace ils_columns

// Airport layout rows ("corvanfs_apt.dat"), by the code at the start of the line.
namespace layout_columns {
inline constexpr std::string_view kSeparatorRow = "        ";
inline constexpr std::string_view kHeaderCode = "1   ";
inline constexpr std::string_view kHeaderCodeRead = "1  ";  // columns 1-3
inline constexpr Column kHeaderElevation{5, 10};
inline constexpr std::string_view kHeaderMiddle = " 0 0 ";
inline constexpr Column kHeaderIdentWritten{16, 20};
inline constexpr std::size_t kHeaderIdentFirst = 16;  // compared over the length of the viewed ident
inline constexpr Column kHeaderName{21, kToLineEnd};

inline constexpr std::string_view kRunwayLabelCode = "105   ";
inline constexpr Column kRunwayLabelDesignatorWritten{7, 10};
inline constexpr Column kRunwayLabelDesignator{8, 10};
inline constexpr Column kRunwayLabelLatitude{12, 21};
inline constexpr Column kRunwayLabelLongitude{22, 32};
inline constexpr Column kRunwayLabelHeading{34, 36};
inline constexpr Column kRunwayLabelHalfLength{38, 42};

inline constexpr std::string_view kHelipadCode = "107 H ";
inline constexpr Column kHelipadLatitude{7, 18};
inline constexpr Column kHelipadLongitudeWritten{20, 32};
inline constexpr Column kHelipadLongitude{20, 30};
inline constexpr Column kHelipadHeading{34, 36};
// Read where it is written, so that half-lengths of four and five digits stay whole.
inline constexpr Column kHelipadHalfLength{38, 42};
inline constexpr Column kHelipadHalfWidth{44, 48};

inline constexpr std::string_view kTaxiSegmentStartRow = "110  ";
inline constexpr std::string_view kTaxiSegmentStartCodeRead = "110 ";
inline constexpr std::string_view kTaxiNodeCode = "111 ";
inline constexpr Column kTaxiNodeLatitude{5, 16};
inline constexpr Column kTaxiNodeLongitude{18, 30};
}  // namespace layout_columns

// Fixes ("NAVwpt.dat", "#FIX" user rows): the longitude stands one column further right.
namespace fix_columns {
inline constexpr Column kIdent{1, 5};
inline constexpr Column kLatitude{6, 15};
inline constexpr Column kLongitude{17, 27};
}  // namespace fix_columns

// Airway points ("NAVawy.dat"): comma-separated fields, numbered from 1.
namespace airway_fields {
inline constexpr std::size_t kHeaderLines = 19;
inline constexpr std::size_t kAirwayName = 2;  // the name ends at its first blank
inline constexpr std::size_t kIdent = 4;
inline constexpr std::size_t kLatitude = 5;
inline constexpr std::size_t kLongitude = 6;
// The level is the line's last character.
inline constexpr char kLevelHigh = 'H';
inline constexpr char kLevelBoth = 'B';
inline constexpr char kLevelLow = 'L';
}  // namespace airway_fields

// Geo lines ("corvane_geo.dat").
namespace geo_columns {
inline constexpr std::string_view kLayerPrefix = ";LAYER";
inline constexpr std::size_t kLayerDigitColumn = 7;
inline constexpr int kFirstLayer = 1;
inline constexpr Column kLatitude1{1, 11};
inline constexpr Column kLongitude1{13, 23};
inline constexpr Column kLatitude2{25, 35};
inline constexpr Column kLongitude2{37, 47};
}  // namespace geo_columns

// User additions ("corvane_user.dat"): sections in this order, each optional; rows use the columns
// of the matching main file (beacon rows without a name).
namespace user_file {
inline constexpr Column kSectionHeader{1, 4};
inline constexpr std::string_view kAirportSection = "#APT";
inline constexpr std::string_view kVorSection = "#VOR";
inline constexpr std::string_view kNdbSection = "#NDB";
inline constexpr std::string_view kRunwaySection = "#RWY";
inline constexpr std::string_view kFixSection = "#FIX";
inline constexpr std::array<std::string_view, 5> kSectionOrder = {kAirportSection, kVorSection, kNdbSection,
                                                                  kRunwaySection, kFixSection};
// A line shorter than this ends a section (and is consumed).
inline constexpr std::size_t kMinRowLength = 11;
}  // namespace user_file

// A line starting with this is a comment for the readers.
inline constexpr char kCommentMark = ';';

}  // namespace corvane::formats
