// The exported files read as the receiving software reads them: each reader below follows the public
// description of its format (X-Plane's FMS 3 and 1100, FSX's AceXML flight plan, IvAp's key file),
// not our writers, and every plan is checked in every format.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <pugixml.hpp>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "corvane/exchange/export_file.h"
#include "corvane/exchange/ivap_flight_plan.h"
#include "corvane/exchange/test_plans.h"

namespace corvane::exchange {
namespace {

using plan::WaypointKind;
using testing::PlanOf;

navdata::AirwaySegmentTable Airways() {
  navdata::AirwaySegmentTable table;
  table.OpenForAppend(2);
  table.Append({52.54f, 4.85f, 53.8f, 3.9f, "UL7 ", "SPY ", "LONAM ", navdata::AirwayLevel::kHigh});
  table.Append({53.8f, 3.9f, 55.9f, 2.4f, "UL7 ", "LONAM ", "CUTEL ", navdata::AirwayLevel::kHigh});
  table.Close();
  return table;
}

struct PlanCase {
  const char* name;
  std::unique_ptr<plan::FlightPlan> plan;
  std::int32_t cruiseFt;
};

// Idents as the tables store them; Schiphol below sea level as Calc Desc leaves entry 0.
std::vector<PlanCase> Plans() {
  std::vector<PlanCase> plans;
  plans.push_back({"EHAM to BIKF after Calc Desc",
                   PlanOf({{WaypointKind::kAirport, "EHAM ", 52.3086f, 4.76389f, -11},
                           {WaypointKind::kVor, "SPY ", 52.54f, 4.85f},
                           {WaypointKind::kFix, "LONAM ", 53.8f, 3.9f},
                           {WaypointKind::kFix, "CUTEL ", 55.9f, 2.4f},
                           {WaypointKind::kNdb, "MY ", 62.1069f, -7.5878f},
                           {WaypointKind::kUserPoint, "FIX", 63.0f, -15.25f},
                           {WaypointKind::kDescentMarker, "*****", 63.5f, -19.0f, 12000},
                           {WaypointKind::kAirport, "BIKF ", 63.985f, -22.6056f, 171}}),
                   33000});
  plans.push_back({"an import that stopped at CUTEL",
                   PlanOf({{
                               WaypointKind::kAirport,
                               "EHAM ",
                               52.3086f,
                               4.76389f,
                               -11,
                           },
                           {WaypointKind::kVor, "SPY ", 52.54f, 4.85f, 24000},
                           {WaypointKind::kFix, "LONAM ", 53.8f, 3.9f, 24000},
                           {WaypointKind::kFix, "CUTEL ", 55.9f, 2.4f, 24000}}),
                   24000});
  plans.back().plan->tail = 4;
  return plans;
}

std::vector<std::string> Fields(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> fields;
  for (std::string field; in >> field;) fields.push_back(field);
  return fields;
}

bool HasBlank(std::string_view text) { return text.find_first_of(" \t") != std::string_view::npos; }

const std::set<std::string> kFmsRowTypes = {"1", "2", "3", "11", "28"};

// Version 3: I, "3 version", a line, the number of the last waypoint (from 0), then "type ident
// altitude latitude longitude" per waypoint; X-Plane's own files pad with empty type-0 entries.
void ReadFms3(const std::vector<std::string>& lines, const plan::FlightPlan& plan) {
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0], "I");
  EXPECT_EQ(lines[1], "3 version");
  EXPECT_EQ(Fields(lines[2]).size(), 1u);
  const std::size_t rows = std::stoul(lines[3]) + 1;
  ASSERT_GE(lines.size(), 4 + rows);
  EXPECT_EQ(static_cast<std::int32_t>(rows), plan.ListedCount());
  for (std::size_t i = 0; i < rows; ++i) {
    const std::vector<std::string> row = Fields(lines[4 + i]);
    ASSERT_EQ(row.size(), 5u) << lines[4 + i];
    EXPECT_TRUE(kFmsRowTypes.contains(row[0])) << lines[4 + i];
    EXPECT_NEAR(std::stod(row[3]), plan[static_cast<std::int32_t>(i)].lat, 1e-6);
    EXPECT_NEAR(std::stod(row[4]), plan[static_cast<std::int32_t>(i)].lon, 1e-6);
  }
  for (std::size_t i = 4 + rows; i < lines.size(); ++i) EXPECT_EQ(Fields(lines[i])[0], "0") << lines[i];
}

// Version 1100: I, "1100 Version", keyed header lines up to NUMENR n, then n lines "type ident via
// altitude latitude longitude"; via is ADEP/ADES on the airports the header names, DRCT or an airway.
void ReadFms11(const std::vector<std::string>& lines, const plan::FlightPlan& plan) {
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], "I");
  EXPECT_EQ(lines[1], "1100 Version");
  std::map<std::string, std::string> header;
  std::size_t at = 2;
  for (; at < lines.size() && !header.contains("NUMENR"); ++at) {
    const std::vector<std::string> field = Fields(lines[at]);
    ASSERT_EQ(field.size(), 2u) << lines[at];
    EXPECT_TRUE(header.emplace(field[0], field[1]).second) << field[0] << " twice";
  }
  ASSERT_TRUE(header.contains("NUMENR"));
  EXPECT_TRUE(header.contains("ADEP") || header.contains("DEP"));
  EXPECT_TRUE(header.contains("ADES") || header.contains("DES"));
  const std::size_t rows = std::stoul(header["NUMENR"]);
  ASSERT_EQ(lines.size() - at, rows);
  EXPECT_EQ(static_cast<std::int32_t>(rows), plan.ListedCount());
  for (std::size_t i = 0; i < rows; ++i) {
    const std::vector<std::string> row = Fields(lines[at + i]);
    ASSERT_EQ(row.size(), 6u) << lines[at + i];
    EXPECT_TRUE(kFmsRowTypes.contains(row[0])) << lines[at + i];
    if (row[2] == "ADEP") {
      EXPECT_EQ(header["ADEP"], row[1]);
    }
    if (row[2] == "ADES") {
      EXPECT_EQ(header["ADES"], row[1]);
    }
    if (row[2] == "ADEP" || row[2] == "ADES") {
      EXPECT_EQ(row[0], "1");
    }
    EXPECT_NEAR(std::stod(row[4]), plan[static_cast<std::int32_t>(i)].lat, 1e-6);
    EXPECT_NEAR(std::stod(row[5]), plan[static_cast<std::int32_t>(i)].lon, 1e-6);
  }
  if (header.contains("ADEP")) {
    EXPECT_EQ(Fields(lines[at])[2], "ADEP");
  }
}

// "N52° 18' 30.96"" as degrees: hemisphere, degrees, the degree sign, minutes and a quote, seconds.
double WorldDegrees(const std::string& text) {
  std::istringstream in(text.substr(1));
  double degrees = 0, minutes = 0, seconds = 0;
  std::string sign;
  char quote = 0;
  in >> degrees;
  in >> sign >> minutes >> quote >> seconds;
  EXPECT_EQ(sign, "\xC2\xB0") << text;
  EXPECT_EQ(quote, '\'') << text;
  EXPECT_TRUE(minutes < 60 && seconds < 60) << text;
  const double value = degrees + minutes / 60 + seconds / 3600;
  return text[0] == 'S' || text[0] == 'W' ? -value : value;
}

// FSX's AceXML flight plan: a SimBase.Document whose FlightPlan.FlightPlan names the departure and
// destination and lists ATCWaypoints typed Airport, Intersection, VOR, NDB or User.
void ReadPln(const std::vector<std::string>& lines, const plan::FlightPlan& plan, std::int32_t cruiseFt) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  pugi::xml_document document;
  ASSERT_TRUE(document.load_string(text.c_str()));
  const pugi::xml_node root = document.child("SimBase.Document");
  EXPECT_STREQ(root.attribute("Type").value(), "AceXML");
  const pugi::xml_node flightPlan = root.child("FlightPlan.FlightPlan");
  for (const char* element : {"Title", "FPType", "CruisingAlt", "DepartureID", "DepartureLLA", "DestinationID",
                              "DestinationLLA", "DepartureName", "DestinationName"}) {
    EXPECT_TRUE(flightPlan.child(element)) << element;
  }
  EXPECT_EQ(std::stoi(flightPlan.child_value("CruisingAlt")), cruiseFt);
  EXPECT_STREQ(flightPlan.child_value("FPType"), cruiseFt >= 15000 ? "IFR" : "VFR");
  const std::set<std::string> types = {"Airport", "Intersection", "VOR", "NDB", "User"};
  std::int32_t i = 0;
  std::set<std::string> airports, ids;
  for (const pugi::xml_node waypoint : flightPlan.children("ATCWaypoint")) {
    const std::string id = waypoint.attribute("id").value();
    const std::string type = waypoint.child_value("ATCWaypointType");
    SCOPED_TRACE(id);
    EXPECT_FALSE(id.empty() || HasBlank(id));
    EXPECT_TRUE(types.contains(type));
    if (type != "User") {
      EXPECT_EQ(waypoint.child("ICAO").child_value("ICAOIdent"), id);
    }
    ids.insert(id);
    if (type == "Airport") airports.insert(id);
    std::istringstream position(waypoint.child_value("WorldPosition"));
    std::string latitude, longitude, altitude;
    std::getline(position, latitude, ',');
    std::getline(position, longitude, ',');
    std::getline(position, altitude);
    constexpr double kHundredthArcSecond = 0.01 / 3600;
    EXPECT_NEAR(WorldDegrees(latitude), plan[i].lat, kHundredthArcSecond);
    EXPECT_NEAR(WorldDegrees(longitude), plan[i].lon, kHundredthArcSecond);
    EXPECT_EQ(std::stod(altitude), plan[i].altitude);
    ++i;
  }
  EXPECT_EQ(i, plan.ListedCount());
  EXPECT_TRUE(airports.contains(flightPlan.child_value("DepartureID")));
  // A plan that stops short of an airport is filed to its last point.
  EXPECT_TRUE(ids.contains(flightPlan.child_value("DestinationID")));
}

// IvAp's flight plan: one KEY=value line per field of the ICAO form.
void ReadIvap(const std::vector<std::string>& lines, std::int32_t cruiseFt) {
  std::map<std::string, std::string> values;
  std::map<std::string, int> seen;
  for (const std::string& line : lines) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    values[line.substr(0, equals)] = line.substr(equals + 1);
    ++seen[line.substr(0, equals)];
  }
  for (const char* key :
       {"ID",      "RULES",   "FLIGHTTYPE", "NUMBER", "ACTYPE",    "WAKECAT", "EQUIPMENT", "TRANSPONDER",
        "DEPICAO", "DEPTIME", "SPEEDTYPE",  "SPEED",  "LEVELTYPE", "LEVEL",   "ROUTE",     "DESTICAO",
        "EET",     "ALTICAO", "ALTICAO2",   "OTHER",  "ENDURANCE", "POB"}) {
    EXPECT_EQ(seen[key], 1) << key;
  }
  for (const char* key : {"DEPICAO", "DESTICAO", "ALTICAO"}) {
    const std::string& icao = values[key];
    EXPECT_TRUE(icao.size() == 4 && std::all_of(icao.begin(), icao.end(), ::isupper)) << key << "=" << icao;
  }
  const bool instruments = cruiseFt / 100 >= 181;
  EXPECT_EQ(values["RULES"], instruments ? "I" : "V");
  EXPECT_EQ(values["LEVELTYPE"], instruments ? "F" : "V");
  EXPECT_EQ(values["LEVEL"], instruments ? std::to_string(cruiseFt / 100) : "");
  const std::string& route = values["ROUTE"];
  EXPECT_FALSE(route.empty() || route.front() == ' ' || route.back() == ' ' || route.find("  ") != std::string::npos)
      << route;
}

std::vector<std::string> IvapTemplate() {
  return {"[FLIGHTPLAN]", "ID=PHCRV",          "RULES=I",       "FLIGHTTYPE=S",   "NUMBER=1",     "ACTYPE=B738",
          "WAKECAT=M",    "EQUIPMENT=SDFGRWY", "TRANSPONDER=S", "DEPICAO=",       "DEPTIME=1200", "SPEEDTYPE=N",
          "SPEED=",       "LEVELTYPE=F",       "LEVEL=",        "ROUTE=",         "DESTICAO=",    "EET=0300",
          "ALTICAO=",     "ALTICAO2=",         "OTHER=",        "ENDURANCE=0500", "POB=",         "PIC=CORVANE TEST"};
}

TEST(ExportedFiles, ReadAsTheReceivingSoftwareReadsThem) {
  const navdata::AirwaySegmentTable airways = Airways();
  for (const PlanCase& c : Plans()) {
    SCOPED_TRACE(c.name);
    const plan::FlightPlan& plan = *c.plan;
    {
      SCOPED_TRACE("FMS 3");
      ReadFms3(ExportLines(plan, ExportFormat::kFms, airways), plan);
    }
    {
      SCOPED_TRACE("FMS 11");
      ReadFms11(ExportLines(plan, ExportFormat::kFms11, airways), plan);
    }
    {
      SCOPED_TRACE("PLN");
      ReadPln(ExportLines(plan, ExportFormat::kPln, airways), plan, c.cruiseFt);
    }
    {
      SCOPED_TRACE("IvAp");
      const IvapFill fill = FillIvapTemplate(IvapTemplate(), IvapFlightOf(plan, airways));
      EXPECT_TRUE(fill.missingKeys.empty());
      ReadIvap(fill.lines, c.cruiseFt);
    }
  }
}

}  // namespace
}  // namespace corvane::exchange
