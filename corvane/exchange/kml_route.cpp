// Reading a KML path with a real XML parser and writing its plan lines.
#include "corvane/exchange/kml_route.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <pugixml.hpp>
#include <system_error>

#include "corvane/plan/flight_plan.h"
#include "formats/plain_decimal.h"

namespace corvane::exchange {
namespace {

struct PathPoint {
  std::string latitudeText;
  std::string longitudeText;
  double latitude = 0;
  double longitude = 0;
};

constexpr std::string_view kWhitespace = " \t\r\n";

std::string_view LocalName(std::string_view name) {
  const std::size_t colon = name.rfind(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

pugi::xml_node FirstElement(const pugi::xml_document& document, std::string_view localName) {
  return document.find_node([&](const pugi::xml_node& node) {
    return node.type() == pugi::node_element && LocalName(node.name()) == localName;
  });
}

// Every element of that local name, in document order.
std::vector<pugi::xml_node> ElementsNamed(pugi::xml_node root, std::string_view localName) {
  struct Collector : pugi::xml_tree_walker {
    std::string_view name;
    std::vector<pugi::xml_node> found;
    bool for_each(pugi::xml_node& node) override {
      if (node.type() == pugi::node_element && LocalName(node.name()) == name) found.push_back(node);
      return true;
    }
  } collector;
  collector.name = localName;
  root.traverse(collector);
  return collector.found;
}

std::string TextOf(const pugi::xml_node& element) {
  std::string text;
  for (const pugi::xml_node& child : element.children()) {
    if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) text += child.value();
  }
  return text;
}

// A plain decimal number (no exponent) within the limit.
std::optional<double> Number(std::string_view text, double limitDeg) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  if (text.empty() || result.ec != std::errc{} || result.ptr != text.data() + text.size()) return std::nullopt;
  if (!std::isfinite(value) || std::fabs(value) > limitDeg) return std::nullopt;
  return value;
}

std::string KeptText(std::string_view text) {
  const std::size_t point = text.find('.');
  if (point != std::string_view::npos && text.size() > point + 1 + kKmlKeptDecimals) {
    text = text.substr(0, point + 1 + kKmlKeptDecimals);
  }
  return std::string(text);
}

// One "lon,lat[,alt]" tuple.
std::optional<PathPoint> ParseTuple(std::string_view tuple) {
  const std::size_t first = tuple.find(',');
  if (first == std::string_view::npos) return std::nullopt;
  const std::size_t second = tuple.find(',', first + 1);
  const std::string_view longitude = tuple.substr(0, first);
  const std::string_view latitude =
      tuple.substr(first + 1, second == std::string_view::npos ? second : second - first - 1);
  const auto lon = Number(longitude, 180.0);
  const auto lat = Number(latitude, 90.0);
  if (!lon || !lat) return std::nullopt;
  if (second != std::string_view::npos) {
    if (!Number(tuple.substr(second + 1), std::numeric_limits<double>::max())) return std::nullopt;
  }
  return PathPoint{KeptText(latitude), KeptText(longitude), *lat, *lon};
}

std::string RightAligned(std::string_view text, std::size_t width) {
  return std::string(width > text.size() ? width - text.size() : 0, ' ') + std::string(text);
}

// " 1  %5s  1500  250  0  %6s  %4.8f  %4.8f  " of the airport nearest the point.
std::string AirportLine(const navdata::AirportTable& airports, const PathPoint& point) {
  double best = kKmlAirportSearchNm;
  std::size_t nearest = 0;
  for (std::size_t i = 0; !navdata::IsEndRow(airports[i]); ++i) {
    const double distance =
        plan::DistanceNm(point.latitude, point.longitude, airports[i].latitude, airports[i].longitude);
    if (distance < best) {
      best = distance;
      nearest = i;
    }
  }
  const navdata::AirportRow& airport = airports[nearest];
  return " 1  " + RightAligned(airport.ident, 5) + "  1500  250  0  " + RightAligned(airport.elevationText, 6) + "  " +
         RightAligned(formats::FixedDecimalText(airport.latitude, 8), 4) + "  " +
         RightAligned(formats::FixedDecimalText(airport.longitude, 8), 4) + "  ";
}

KmlImport Failed(std::string reason) { return KmlImport{{}, std::move(reason)}; }

}  // namespace

KmlImport KmlPlanLines(std::string_view kmlText, const navdata::AirportTable& airports) {
  pugi::xml_document document;
  const pugi::xml_parse_result parsed = document.load_buffer(kmlText.data(), kmlText.size());
  if (!parsed) {
    return Failed("not an XML file (" + std::string(parsed.description()) + " at byte " +
                  std::to_string(parsed.offset) + ")");
  }
  // Google Earth writes the start pin (a Point placemark) before the path: the first path with two
  // points or more is the route.
  std::vector<PathPoint> points;
  std::size_t mostPoints = 0;
  bool anyCoordinates = false;
  for (const pugi::xml_node& coordinates : ElementsNamed(document, "coordinates")) {
    anyCoordinates = true;
    const std::string text = TextOf(coordinates);
    points.clear();
    for (std::size_t start = text.find_first_not_of(kWhitespace); start != std::string::npos;) {
      const std::size_t end = std::min(text.find_first_of(kWhitespace, start), text.size());
      const std::string_view tuple = std::string_view(text).substr(start, end - start);
      const std::optional<PathPoint> point = ParseTuple(tuple);
      if (!point) return Failed("'" + std::string(tuple) + "' is not a longitude,latitude[,altitude] tuple");
      points.push_back(*point);
      start = text.find_first_not_of(kWhitespace, end);
    }
    if (points.size() >= 2) break;
    mostPoints = std::max(mostPoints, points.size());
  }
  if (!anyCoordinates) {
    if (FirstElement(document, "Track")) return Failed("a gx:Track path is not supported; save the path as a line");
    return Failed("no <coordinates> element");
  }
  if (points.size() < 2) {
    return Failed("a path needs two points or more, the longest here has " + std::to_string(mostPoints));
  }

  KmlImport import;
  import.planLines.push_back(AirportLine(airports, points.front()));
  for (std::size_t n = 1; n < points.size(); ++n) {
    const PathPoint& point = points[n - 1];
    // A plan entry at 0/0 ends the plan: the points after it would be lost when the lines are read.
    if (static_cast<float>(Number(point.latitudeText, 90.0).value_or(1)) == 0 &&
        static_cast<float>(Number(point.longitudeText, 180.0).value_or(1)) == 0) {
      return Failed("path point " + std::to_string(n) + " lies at 0/0, which cannot be a plan waypoint");
    }
    import.planLines.push_back("29     FIX" + std::to_string(n) + "   1500  250  0  .   " + point.latitudeText +
                               "    " + point.longitudeText);
  }
  import.planLines.push_back(AirportLine(airports, points.back()));
  return import;
}

KmlImport ImportKmlFile(const std::filesystem::path& path, const navdata::AirportTable& airports) {
  std::ifstream file(path, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  KmlImport import = file.bad() || !file.is_open() ? Failed("cannot be read") : KmlPlanLines(text, airports);
  if (import.error) import.error = "KML import: " + path.string() + ": " + *import.error;
  return import;
}

}  // namespace corvane::exchange
