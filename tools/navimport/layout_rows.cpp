// X-Plane layout rows with fixed columns: runway ends, helipads, taxiways, pavement nodes.
#include "tools/navimport/layout_rows.h"

#include <cstdio>

#include "formats/field_format.h"
#include "formats/text_lines.h"
#include "tools/navimport/source_fields.h"

namespace corvane::navimport {

namespace {

constexpr int kLatitudePointColumn = 4;   // latitude in 12 characters
constexpr int kLongitudePointColumn = 5;  // longitude in 13 characters
constexpr int kLayoutDecimals = 8;

// Builds a row field by field; remembers the first field that did not fit.
class RowBuilder {
 public:
  explicit RowBuilder(std::string_view code) : text_(code) {}

  // A blank, then the text right-aligned in `width`.
  RowBuilder& Right(std::string_view text, std::size_t width) { return Field(text, width, true); }
  // A blank, then the text left-aligned in `width`.
  RowBuilder& Left(std::string_view text, std::size_t width) { return Field(text, width, false); }

  RowBuilder& Coordinates(std::string_view latitude, std::string_view longitude) {
    const auto latitudeDeg = ParseDecimal(latitude);
    const auto longitudeDeg = ParseDecimal(longitude);
    if (!latitudeDeg || !longitudeDeg || *latitudeDeg < -90.0 || *latitudeDeg > 90.0 || *longitudeDeg < -180.0 ||
        *longitudeDeg > 180.0) {
      Fail("position is not a latitude and longitude");
      return *this;
    }
    text_ += ' ';
    text_ += formats::FormatCoordinate(*latitudeDeg, kLatitudePointColumn, kLayoutDecimals);
    text_ += ' ';
    text_ += formats::FormatCoordinate(*longitudeDeg, kLongitudePointColumn, kLayoutDecimals);
    return *this;
  }

  // The remaining source fields, each after a blank.
  RowBuilder& Rest(const LineFields& fields, std::size_t first) {
    for (std::size_t index = first; index < fields.size(); ++index) {
      text_ += ' ';
      text_ += fields[index];
    }
    return *this;
  }

  void Fail(std::string reason) {
    if (error_.empty()) {
      error_ = std::move(reason);
    }
  }

  std::optional<std::string> Take(std::string& error) {
    if (!error_.empty()) {
      error = std::move(error_);
      return std::nullopt;
    }
    return std::move(text_);
  }

 private:
  RowBuilder& Field(std::string_view text, std::size_t width, bool right) {
    if (text.empty() || text.size() > width) {
      Fail("field \"" + std::string(text) + "\" does not fit its " + std::to_string(width) + " columns");
      return *this;
    }
    text_ += ' ';
    if (right) {
      text_.append(width - text.size(), ' ');
    }
    text_ += text;
    if (!right) {
      text_.append(width - text.size(), ' ');
    }
    return *this;
  }

  std::string text_;
  std::string error_;
};

std::string_view RowCode(std::string_view line) { return line.substr(0, line.find_first_of(" \t")); }

// A number field written with two decimals, right-aligned.
std::string TwoDecimals(std::string_view field, RowBuilder& row) {
  const auto value = ParseDecimal(field);
  if (!value) {
    row.Fail("\"" + std::string(field) + "\" is not a number");
    return "0.00";
  }
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.2f", *value);
  return buffer;
}

}  // namespace

std::vector<std::string> LayoutFileHeaderLines(std::string_view sourceNote) {
  return {"I", "1000 Version - airport layouts for the airport view. " + std::string(sourceNote) +
                   " Licence: GNU GPL version 2 or later, as the X-Plane data it is made from."};
}

std::string LayoutHeaderRow(const SourceAirport& airport) {
  std::string line = "1   ";
  line += formats::FormatElevationFeet(static_cast<int32_t>(airport.elevationFt));
  line += " 1 0 ";
  line += airport.ident;
  line += ' ';
  line += airport.name;
  return line;
}

std::optional<std::string> LayoutRow(std::string_view sourceRow, std::string& error) {
  const LineFields fields(sourceRow);
  const std::string_view code = fields[0];
  if (code == "100") {
    // Columns the view reads: designator 32-34, end 1 at 36-47 / 49-61, end 2 at 92-103 / 105-117.
    if (fields.size() < 20) {
      error = "land runway row has too few fields";
      return std::nullopt;
    }
    // Lighting fields missing at the end of the row are written as 0.
    const auto field = [&](std::size_t index) { return index < fields.size() ? fields[index] : "0"; };
    RowBuilder row("100");
    row.Right(TwoDecimals(fields[1], row), 7).Right(fields[2], 3).Right(fields[3], 3);
    row.Right(TwoDecimals(fields[4], row), 4).Right(fields[5], 1).Right(fields[6], 1).Right(fields[7], 1);
    for (const std::size_t end : {std::size_t{8}, std::size_t{17}}) {
      row.Left(fields[end], 3).Coordinates(fields[end + 1], fields[end + 2]);
      row.Right(TwoDecimals(field(end + 3), row), 7).Right(TwoDecimals(field(end + 4), row), 7);
      row.Right(field(end + 5), 1).Right(field(end + 6), 2).Right(field(end + 7), 1).Right(field(end + 8), 1);
    }
    return row.Take(error);
  }
  if (code == "102") {
    // Latitude 9-20, longitude 22-34, heading 36-41, length 44-49.
    if (fields.size() < 7) {
      error = "helipad row has too few fields";
      return std::nullopt;
    }
    RowBuilder row("102");
    row.Left(fields[1], 3).Coordinates(fields[2], fields[3]);
    row.Right(TwoDecimals(fields[4], row), 6).Right(TwoDecimals(fields[5], row), 7);
    row.Right(TwoDecimals(fields[6], row), 7).Rest(fields, 7);
    return row.Take(error);
  }
  if (code == "10") {
    // Latitude 5-16, longitude 18-30, heading 36-41, length 43-47, width 58-61.
    if (fields.size() < 9) {
      error = "taxiway row has too few fields";
      return std::nullopt;
    }
    RowBuilder row("10 ");
    row.Coordinates(fields[1], fields[2]).Left(fields[3], 3).Right(TwoDecimals(fields[4], row), 6);
    row.Right(fields[5], 5).Right(fields[6], 3).Right(fields[7], 3).Right(fields[8], 5).Rest(fields, 9);
    return row.Take(error);
  }
  if (code == "110") {
    RowBuilder row("110");
    return row.Rest(fields, 1).Take(error);
  }
  if (code == "111" || code == "113") {
    // Node at 5-16 and 18-30.
    RowBuilder row(code);
    return row.Coordinates(fields[1], fields[2]).Rest(fields, 3).Take(error);
  }
  if (code == "112" || code == "114") {
    RowBuilder row(code);
    return row.Coordinates(fields[1], fields[2]).Coordinates(fields[3], fields[4]).Rest(fields, 5).Take(error);
  }
  error = "row code " + std::string(code) + " is not a layout row";
  return std::nullopt;
}

void AppendAirportLayout(const SourceAirport& airport, std::string& out, std::vector<std::string>& errors) {
  // A header that cannot be written (an elevation too large for its field) leaves this airport's
  // layout out; the other airports' go on.
  std::string header;
  try {
    header = LayoutHeaderRow(airport);
  } catch (const formats::FieldOverflowError& error) {
    errors.push_back(airport.ident + ": " + error.what());
    return;
  }
  formats::AppendTextLine(out, "");
  formats::AppendTextLine(out, header);
  const auto append = [&](std::string_view source) {
    std::string error;
    const auto row = LayoutRow(source, error);
    if (!row) {
      errors.push_back(airport.ident + ": " + error + ": " + std::string(source));
      return false;
    }
    formats::AppendTextLine(out, *row);
    return true;
  };
  // The view reads the runways, then the helipads, then taxiways and pavement outlines.
  for (const std::string_view code : {std::string_view("100"), std::string_view("102")}) {
    for (const std::string_view source : airport.layoutRows) {
      if (RowCode(source) == code) {
        append(source);
      }
    }
  }
  // Nodes belong to the outline row before them; nodes after any other row (a line feature, or an
  // outline row that could not be written) are not pavement and stay out.
  bool outlineOpen = false;
  for (const std::string_view source : airport.layoutRows) {
    const std::string_view code = RowCode(source);
    const bool isNode = code == "111" || code == "112" || code == "113" || code == "114";
    if (code == "10") {
      append(source);
      outlineOpen = false;
    } else if (code == "110") {
      outlineOpen = append(source);
    } else if (isNode) {
      if (outlineOpen) {
        append(source);
      }
    } else {
      outlineOpen = false;
    }
  }
}

}  // namespace corvane::navimport
