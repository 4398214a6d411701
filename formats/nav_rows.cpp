// Writers of the fix, geo and airway rows, placed at the readers' columns.
#include "formats/nav_rows.h"

#include <stdexcept>

#include "formats/dat_columns.h"
#include "formats/field_cut.h"
#include "formats/field_format.h"

namespace corvane::formats {

namespace {

constexpr int kDecimals = 6;

// Fields are written left to right; gaps are blanks.
void PutField(std::string& line, Column column, std::string_view field) {
    if (line.size() > column.first - 1 || field.size() != column.width()) {
        throw std::logic_error("row field does not match its column");
    }
    line.resize(column.first - 1, ' ');
    line += field;
}

// Comma fields carry no blanks, commas or line breaks of their own.
std::string CommaSafe(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c != ',' && c != ' ' && static_cast<unsigned char>(c) >= 32) {
            out += c;
        }
    }
    return out;
}

}  // namespace

std::string FormatFixRow(std::string_view ident, double latitudeDeg, double longitudeDeg) {
    std::string line;
    PutField(line, fix_columns::kIdent, FormatIdent(ident, 5));
    PutField(line, fix_columns::kLatitude, FormatCoordinate(latitudeDeg, 4, kDecimals));
    PutField(line, fix_columns::kLongitude, FormatCoordinate(longitudeDeg, 5, kDecimals));
    return line;
}

std::string FormatGeoLayerRow(int layer) {
    if (layer < 0 || layer > 9) {
        throw FieldOverflowError("geo layer " + std::to_string(layer) + " is not one digit");
    }
    return std::string(geo_columns::kLayerPrefix) + static_cast<char>('0' + layer);
}

std::string FormatGeoSegmentRow(double latitude1Deg, double longitude1Deg, double latitude2Deg,
                                double longitude2Deg) {
    std::string line;
    PutField(line, geo_columns::kLatitude1, FormatCoordinate(latitude1Deg, 5, kDecimals));
    PutField(line, geo_columns::kLongitude1, FormatCoordinate(longitude1Deg, 5, kDecimals));
    PutField(line, geo_columns::kLatitude2, FormatCoordinate(latitude2Deg, 5, kDecimals));
    PutField(line, geo_columns::kLongitude2, FormatCoordinate(longitude2Deg, 5, kDecimals));
    return line;
}

std::string FormatAirwayPointRow(const AirwayPointRow& row) {
    const std::string name = CommaSafe(row.airwayName);
    std::string line = name;
    line += ',';
    line += name;
    line += " ,";
    line += std::to_string(row.sequence);
    line += ',';
    line += CommaSafe(row.ident);
    line += ',';
    line += TrimBlanks(FormatCoordinate(row.latitudeDeg, 4, kDecimals));
    line += ',';
    line += TrimBlanks(FormatCoordinate(row.longitudeDeg, 5, kDecimals));
    line += ',';
    line += row.levelCode;
    return line;
}

}  // namespace corvane::formats
