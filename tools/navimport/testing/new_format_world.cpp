#include "tools/navimport/testing/new_format_world.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>
#include <vector>

namespace corvane::navimport::fixtures {
namespace {

struct Field {
  std::string_view text;
  std::size_t offset;
};

std::vector<Field> SplitFields(std::string_view line) {
  std::vector<Field> fields;
  std::size_t at = 0;
  while (at < line.size()) {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t' || line[at] == '\r')) ++at;
    const std::size_t start = at;
    while (at < line.size() && line[at] != ' ' && line[at] != '\t' && line[at] != '\r') ++at;
    if (at > start) fields.push_back({line.substr(start, at - start), start});
  }
  return fields;
}

// The line from field `index` to its end, blanks inside kept as they are.
std::string_view RestOfLine(std::string_view line, const std::vector<Field>& fields, std::size_t index) {
  if (index >= fields.size()) return {};
  std::string_view rest = line.substr(fields[index].offset);
  while (!rest.empty() && (rest.back() == '\r' || rest.back() == ' ')) rest.remove_suffix(1);
  return rest;
}

template <typename Visit>
void ForEachLine(std::string_view text, Visit visit) {
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    visit(line);
    at = end + 1;
  }
}

double Number(std::string_view text) {
  try {
    return std::stod(std::string(text));
  } catch (...) {
    return std::numeric_limits<double>::quiet_NaN();
  }
}

std::string Join(const std::vector<Field>& fields, std::size_t from, std::size_t to) {
  std::string out;
  for (std::size_t i = from; i < to && i < fields.size(); ++i) {
    if (!out.empty()) out += ' ';
    out += fields[i].text;
  }
  return out;
}

struct Point {
  double latitudeDeg, longitudeDeg;
  int type;  // the airway file's: 11 fix, 2 NDB, 3 VHF navaid
  std::string region;
};

using Points = std::multimap<std::string, Point, std::less<>>;

// The cell's region, unless another point of that ident and type, elsewhere, has it already: idents
// are unique within a region, so the second gets a variant ("OM", then "O1", "O2" ...).
std::string RegionFor(const Points& points, std::string_view ident, int type, double latitudeDeg, double longitudeDeg) {
  std::string region = InventedRegion(latitudeDeg, longitudeDeg);
  for (char variant = '1'; variant <= '9'; ++variant) {
    bool taken = false;
    for (auto [it, end] = points.equal_range(ident); it != end; ++it) {
      const Point& other = it->second;
      const bool samePlace =
          std::fabs(other.latitudeDeg - latitudeDeg) < 0.001 && std::fabs(other.longitudeDeg - longitudeDeg) < 0.001;
      if (other.type == type && other.region == region) {
        if (samePlace) return region;  // a VOR/DME's VOR and DME rows
        taken = true;
      }
    }
    if (!taken) return region;
    region[1] = variant;
  }
  return region;
}

struct Variation {
  double latitudeDeg, longitudeDeg, variationDeg;
};

// The magnetic course the old reader works out: the true bearing less the slaved variation of the
// nearest VOR, so the 1200 file carries what the 810 conversion gives.
long MagneticCourse(const std::vector<Variation>& vors, double latitudeDeg, double longitudeDeg, double trueDeg) {
  const double cosLatitude = std::cos(latitudeDeg * 3.14159265358979323846 / 180.0);
  double best = std::numeric_limits<double>::infinity();
  double variation = 0.0;
  for (const Variation& vor : vors) {
    double dLon = std::fabs(longitudeDeg - vor.longitudeDeg);
    if (dLon > 180.0) dLon = 360.0 - dLon;
    const double dLat = latitudeDeg - vor.latitudeDeg;
    const double distance = dLat * dLat + dLon * cosLatitude * dLon * cosLatitude;
    if (distance < best) {
      best = distance;
      variation = vor.variationDeg;
    }
  }
  long course = std::lround(trueDeg - variation) % 360;
  if (course < 0) course += 360;
  return course;
}

const Point* Nearest(const Points& points, std::string_view ident, double latitudeDeg, double longitudeDeg) {
  const Point* nearest = nullptr;
  double best = 0.1;  // the old rows give the point within a few hundred metres; farther is another point
  for (auto [it, end] = points.equal_range(ident); it != end; ++it) {
    const double distance =
        std::fabs(it->second.latitudeDeg - latitudeDeg) + std::fabs(it->second.longitudeDeg - longitudeDeg);
    if (distance < best) {
      best = distance;
      nearest = &it->second;
    }
  }
  return nearest;
}

bool IsFourLetterIcao(std::string_view ident) {
  if (ident.size() != 4) return false;
  for (const char c : ident) {
    if (c < 'A' || c > 'Z') return false;
  }
  return true;
}

// " - data cycle 2013.10" from the old header, so both conversions name the same cycle.
std::string Cycle(std::string_view text) {
  const std::size_t at = text.find(" - data cycle ");
  const std::size_t lineEnd = text.find_first_of(",\r\n", at);
  if (at == std::string_view::npos || lineEnd == std::string_view::npos || text.find('\n') > lineEnd) {
    return " - generated";
  }
  return std::string(text.substr(at, lineEnd - at));
}

}  // namespace

std::string InventedRegion(double latitudeDeg, double longitudeDeg) {
  const int band = std::clamp(static_cast<int>(std::floor((latitudeDeg + 90.0) / 10.0)), 0, 17);
  const int sector = std::clamp(static_cast<int>(std::floor((longitudeDeg + 180.0) / 15.0)), 0, 23);
  return {static_cast<char>('A' + band), static_cast<char>('A' + sector)};
}

NewFormatWorld MakeNewFormatWorld(std::string_view nav810, std::string_view fix600, std::string_view awy640,
                                  std::string_view apt1000) {
  NewFormatWorld world;
  Points points;

  std::vector<Variation> vors;
  ForEachLine(nav810, [&](std::string_view line) {
    const std::vector<Field> f = SplitFields(line);
    if (f.size() >= 9 && f[0].text == "3") {
      vors.push_back({Number(f[1].text), Number(f[2].text), Number(f[6].text)});
    }
  });

  world.nav = "I\n1200 Version" + Cycle(nav810) + "\n";
  ForEachLine(nav810, [&](std::string_view line) {
    const std::vector<Field> f = SplitFields(line);
    if (f.size() < 9) return;  // header, end and malformed rows: the readers of both see none of them
    const int code = static_cast<int>(Number(f[0].text));
    const double latitude = Number(f[1].text), longitude = Number(f[2].text);
    const bool enroute = code == 2 || code == 3 || ((code == 12 || code == 13) && f.back().text != "DME-ILS");
    const int type = code == 2 ? 2 : 3;
    const std::string region =
        enroute ? RegionFor(points, f[7].text, type, latitude, longitude) : InventedRegion(latitude, longitude);
    if (enroute) points.emplace(std::string(f[7].text), Point{latitude, longitude, type, region});
    const std::string head = Join(f, 0, 7);
    const std::string ident(f[7].text);
    std::string row;
    if (code == 2 || code == 3) {
      row = head + " " + ident + " ENRT " + region + " " + std::string(RestOfLine(line, f, 8));
    } else if ((code == 4 || code == 5) && f.size() >= 11) {
      const double trueDeg = Number(f[6].text);
      const long magnetic = MagneticCourse(vors, latitude, longitude, trueDeg);
      char bearing[32];
      std::snprintf(bearing, sizeof bearing, "%.3f", static_cast<double>(magnetic) * 360.0 + trueDeg);
      row = Join(f, 0, 6) + " " + bearing + " " + ident + " " + std::string(f[8].text) + " " + region + " " +
            std::string(RestOfLine(line, f, 9));
    } else if (code >= 6 && code <= 9 && f.size() >= 11) {
      row =
          head + " " + ident + " " + std::string(f[8].text) + " " + region + " " + std::string(RestOfLine(line, f, 9));
    } else if (code == 12 || code == 13) {
      // The old DME-ILS row names its airport and runway; the new one has the airport only.
      const bool ils = f.back().text == "DME-ILS" && f.size() >= 11;
      row = head + " " + ident + (ils ? " " + std::string(f[8].text) : std::string(" ENRT")) + " " + region + " " +
            std::string(ils ? f.back().text : RestOfLine(line, f, 8));
    } else {
      row = std::string(line);
    }
    world.nav += row + "\n";
  });
  world.nav += "99\n";

  world.fix = "I\n1200 Version" + Cycle(fix600) + "\n";
  ForEachLine(fix600, [&](std::string_view line) {
    const std::vector<Field> f = SplitFields(line);
    if (f.size() != 3) return;
    const double latitude = Number(f[0].text), longitude = Number(f[1].text);
    const std::string ident(f[2].text);
    // 2105431 is the waypoint type "W  " (an RNAV waypoint); the name repeats the ident, as 1200 files do.
    const std::string region = RegionFor(points, ident, 11, latitude, longitude);
    world.fix += " " + Join(f, 0, 3) + " ENRT " + region + " 2105431 " + ident + "\n";
    points.emplace(ident, Point{latitude, longitude, 11, region});
  });
  world.fix += "99\n";

  world.awy = "I\n1100 Version" + Cycle(awy640) + "\n";
  world.awy640Resolvable = "I\n640 Version" + Cycle(awy640) + "\n";
  ForEachLine(awy640, [&](std::string_view line) {
    const std::vector<Field> f = SplitFields(line);
    if (f.size() != 10) return;
    std::string ends, oldEnds;
    bool resolvable = true;
    for (const std::size_t at : {std::size_t{0}, std::size_t{3}}) {
      const double latitude = Number(f[at + 1].text), longitude = Number(f[at + 2].text);
      const Point* point = Nearest(points, f[at].text, latitude, longitude);
      resolvable = resolvable && point;
      // An end found nowhere gets a region no point of its ident has, so it stays unresolved.
      const Point where =
          point ? *point : Point{latitude, longitude, 11, RegionFor(points, f[at].text, 11, latitude, longitude)};
      ends += std::string(f[at].text) + " " + where.region + " " + std::to_string(where.type) + " ";
      char position[64];
      std::snprintf(position, sizeof position, " %.8f %.8f ", where.latitudeDeg, where.longitudeDeg);
      oldEnds += std::string(f[at].text) + position;
    }
    world.awy += ends + "N " + Join(f, 6, 10) + "\n";
    if (resolvable) {
      world.awy640Resolvable += oldEnds + Join(f, 6, 10) + "\n";
    } else {
      ++world.unresolvableAirwayRows;
    }
  });
  world.awy640Resolvable += "99\n";
  world.awy += "99\n";

  // Rows are versioned one by one, so the old rows stand as they are under the new header; an airport
  // with an ICAO ident says so in 1302 icao_code, as X-Plane 12's airports do.
  world.apt = "I\n1200 Version" + Cycle(apt1000) + "\n";
  std::size_t lineNumber = 0;
  ForEachLine(apt1000, [&](std::string_view line) {
    if (++lineNumber <= 2) return;
    world.apt += std::string(line) + "\n";
    const std::vector<Field> f = SplitFields(line);
    if (f.size() >= 5 && (f[0].text == "1" || f[0].text == "16" || f[0].text == "17") && IsFourLetterIcao(f[4].text)) {
      world.apt += "1302 icao_code " + std::string(f[4].text) + "\n";
    }
  });
  return world;
}

}  // namespace corvane::navimport::fixtures
