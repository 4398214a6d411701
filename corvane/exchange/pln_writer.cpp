// Writing the AceXML flight plan.
#include "corvane/exchange/pln_writer.h"

#include <algorithm>
#include <cmath>

#include "corvane/exchange/exported_plan.h"
#include "formats/plain_decimal.h"

namespace corvane::exchange {
namespace {

using plan::FlightPlan;
using plan::Waypoint;

std::string ZeroPadded(long long value, std::size_t width) {
  std::string digits = std::to_string(value);
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

// The text goes into element content and attribute values.
std::string Escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

// "lat,lon,+alt.00", the altitude with its own sign when below zero.
std::string Position(const Waypoint& entry) {
  const std::string altitude = (entry.altitude < 0 ? "" : "+") + std::to_string(entry.altitude) + ".00";
  return FormatPlnCoordinate(entry.lat, false) + "," + FormatPlnCoordinate(entry.lon, true) + "," + altitude;
}

// The AceXML waypoint type of an entry; profile markers and clicked points are user waypoints.
std::string_view WaypointTypeOf(plan::WaypointKind kind) {
  switch (kind) {
    case plan::WaypointKind::kEmpty:
    case plan::WaypointKind::kAirport: return "Airport";
    case plan::WaypointKind::kVor: return "VOR";
    case plan::WaypointKind::kNdb: return "NDB";
    case plan::WaypointKind::kFix: return "Intersection";
    default: return "User";
  }
}

void AddWaypoint(std::vector<std::string>& lines, const Waypoint& entry) {
  const std::string ident = Escaped(ExportIdent(entry));
  const std::string_view type = WaypointTypeOf(entry.kind);
  lines.push_back("        <ATCWaypoint id=\"" + ident + "\">");
  lines.push_back("            <ATCWaypointType>" + std::string(type) + "</ATCWaypointType>");
  lines.push_back("        <WorldPosition>" + Position(entry) + "</WorldPosition>");
  // A database point is named by its ICAO ident, so the simulator finds its own record of it.
  if (type != "User") {
    lines.push_back("            <ICAO>");
    lines.push_back("                <ICAOIdent>" + ident + "</ICAOIdent>");
    lines.push_back("            </ICAO>");
  }
  lines.push_back("        </ATCWaypoint>");
}

}  // namespace

std::string FormatPlnCoordinate(float value, bool isLongitude) {
  const double magnitude = std::fabs(static_cast<double>(value));
  long long degrees = static_cast<long long>(magnitude);
  const double fraction = magnitude - static_cast<double>(degrees);
  long long minutes = static_cast<long long>(fraction * 60.0);
  std::string seconds = formats::FixedDecimalText((fraction * 60.0 - static_cast<double>(minutes)) * 60.0, 3);
  if (seconds == "60.000") {
    seconds = "0.000";
    if (++minutes == 60) {
      minutes = 0;
      ++degrees;
    }
  }
  if (seconds.size() < 6) seconds.insert(0, 6 - seconds.size(), '0');
  const char hemisphere = isLongitude ? (value < 0 ? 'W' : 'E') : (value < 0 ? 'S' : 'N');
  return hemisphere + ZeroPadded(degrees, isLongitude ? 3 : 2) + "\xC2\xB0 " + ZeroPadded(minutes, 2) + "' " + seconds +
         "\"";
}

std::vector<std::string> PlnLines(const FlightPlan& plan) {
  const PlanEnds ends = PlanEndsOf(plan);
  const std::int32_t count = ends.count;
  const std::int32_t cruiseFt = HighestAltitudeFt(plan);
  const Waypoint& departure = plan[0];
  const Waypoint& destination = plan[ends.destination];
  const std::string from = Escaped(ExportIdent(departure));
  const std::string to = Escaped(ExportIdent(destination));

  std::vector<std::string> lines = {
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
      " ",
      "<SimBase.Document Type=\"AceXML\" version=\"1,0\">",
      "    <Descr>AceXML Document</Descr>",
      "    <FlightPlan.FlightPlan>",
      "        <Title>" + from + " to " + to + "</Title>",
      cruiseFt < kPlnIfrAltitudeFt ? "        <FPType>VFR</FPType>" : "        <FPType>IFR</FPType>",
      "        <CruisingAlt>" + std::to_string(cruiseFt) + "</CruisingAlt>",
      "        <DepartureID>" + from + "</DepartureID>",
      "        <DepartureLLA>" + Position(departure) + "</DepartureLLA>",
      "        <DestinationID>" + to + "</DestinationID>",
      "        <DestinationLLA>" + Position(destination) + "</DestinationLLA>",
      "        <Descr>" + from + ", " + to + "</Descr>",
      "        <DeparturePosition>Active Runway</DeparturePosition>",
      "        <DepartureName>" + from + "</DepartureName>",
      "        <DestinationName>" + to + "</DestinationName>",
      "        <AppVersion>",
      "            <AppVersionMajor>10</AppVersionMajor>",
      "            <AppVersionBuild>61472</AppVersionBuild>",
      "        </AppVersion>",
  };
  // An empty plan still names entry 0 as its departure.
  for (std::int32_t i = 0; i < std::max(1, count); ++i) AddWaypoint(lines, plan[i]);
  lines.push_back("    </FlightPlan.FlightPlan>");
  lines.push_back("</SimBase.Document>");
  lines.push_back(" ");
  return lines;
}

}  // namespace corvane::exchange
