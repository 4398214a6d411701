// Writing the AceXML flight plan.
#include "corvane/exchange/pln_writer.h"

#include <algorithm>
#include <cmath>

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

void AddAirportWaypoint(std::vector<std::string>& lines, const Waypoint& entry) {
  const std::string ident = Escaped(entry.ident);
  lines.push_back("        <ATCWaypoint id=\"" + ident + "\">");
  lines.push_back("            <ATCWaypointType>Airport</ATCWaypointType>");
  lines.push_back("        <WorldPosition>" + Position(entry) + "</WorldPosition>");
  lines.push_back("            <ICAO>");
  lines.push_back("                <ICAOIdent>" + ident + "</ICAOIdent>");
  lines.push_back("            </ICAO>");
  lines.push_back("        </ATCWaypoint>");
}

void AddUserWaypoint(std::vector<std::string>& lines, const Waypoint& entry) {
  lines.push_back("        <ATCWaypoint id=\"" + Escaped(entry.ident) + "\">");
  lines.push_back("            <ATCWaypointType>User</ATCWaypointType>");
  lines.push_back("        <WorldPosition>" + Position(entry) + "</WorldPosition>");
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
  const std::int32_t count = plan.ListedCount();
  std::int32_t cruiseFt = 0;
  for (std::int32_t i = 0; i < count; ++i) cruiseFt = std::max(cruiseFt, plan[i].altitude);
  const Waypoint& departure = plan[0];
  const Waypoint& destination = plan[plan.tail];
  const std::string from = Escaped(departure.ident);
  const std::string to = Escaped(destination.ident);

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
  AddAirportWaypoint(lines, departure);
  for (std::int32_t i = 1; i < count - 1; ++i) AddUserWaypoint(lines, plan[i]);
  // An empty plan has no last entry to write.
  if (count > 0) AddAirportWaypoint(lines, plan[count - 1]);
  lines.push_back("    </FlightPlan.FlightPlan>");
  lines.push_back("</SimBase.Document>");
  lines.push_back(" ");
  return lines;
}

}  // namespace corvane::exchange
