// TopoJSON decoding (quantized and delta-encoded arcs, arc references) with nlohmann-json.
#include "tools/navimport/topojson_geo.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

namespace corvane::navimport {

namespace {

using Json = nlohmann::json;

struct LonLat {
  double longitudeDeg;
  double latitudeDeg;
};

void AppendPiece(double latitude1Deg, double longitude1Deg, double latitude2Deg, double longitude2Deg,
                 std::vector<GeoSegment>& segments) {
  if (latitude1Deg == latitude2Deg && longitude1Deg == longitude2Deg) {
    return;
  }
  segments.push_back(GeoSegment{latitude1Deg, longitude1Deg, latitude2Deg, longitude2Deg});
}

// A step of more than half the globe in longitude is the short way across the 180° meridian (Natural
// Earth closes the rings of Chukotka, Fiji and Antarctica so). Taken as it stands it would be a line
// round the world; it is cut at the meridian into a piece on each side.
void AppendStep(const LonLat& a, const LonLat& b, std::vector<GeoSegment>& segments) {
  if (std::abs(b.longitudeDeg - a.longitudeDeg) <= 180.0) {
    AppendPiece(a.latitudeDeg, a.longitudeDeg, b.latitudeDeg, b.longitudeDeg, segments);
    return;
  }
  const double side = a.longitudeDeg > 0.0 ? 180.0 : -180.0;
  const double unwrappedLongitude = b.longitudeDeg + 2.0 * side;
  // A step along the meridian itself (-180 to 180) crosses it at its start.
  const double span = unwrappedLongitude - a.longitudeDeg;
  const double share = span == 0.0 ? 0.0 : (side - a.longitudeDeg) / span;
  const double crossingLatitude = a.latitudeDeg + share * (b.latitudeDeg - a.latitudeDeg);
  AppendPiece(a.latitudeDeg, a.longitudeDeg, crossingLatitude, side, segments);
  AppendPiece(crossingLatitude, -side, b.latitudeDeg, b.longitudeDeg, segments);
}

class Topology {
 public:
  explicit Topology(std::string_view text) {
    try {
      root_ = Json::parse(text.begin(), text.end());
    } catch (const Json::parse_error& error) {
      throw TopologyError(std::string("not JSON: ") + error.what());
    }
    if (!root_.is_object() || root_.value("type", "") != "Topology") {
      throw TopologyError("not a TopoJSON topology (no \"type\": \"Topology\")");
    }
    DecodeArcs();
  }

  const Json& Object(std::string_view name) const {
    const auto objects = root_.find("objects");
    if (objects == root_.end() || !objects->is_object()) {
      throw TopologyError("topology has no \"objects\"");
    }
    const auto found = objects->find(std::string(name));
    if (found == objects->end()) {
      throw TopologyError("topology has no object \"" + std::string(name) + "\"");
    }
    return *found;
  }

  // The geometries of an object: the members of a collection, or the object itself.
  std::vector<const Json*> Geometries(const Json& object) const {
    std::vector<const Json*> geometries;
    if (object.value("type", "") == "GeometryCollection") {
      const auto members = object.find("geometries");
      if (members != object.end() && members->is_array()) {
        for (const Json& member : *members) {
          geometries.push_back(&member);
        }
      }
    } else {
      geometries.push_back(&object);
    }
    return geometries;
  }

  // Arc numbers referenced anywhere in the geometry's "arcs" (a negative reference ~i is arc i
  // reversed; direction does not matter for drawing).
  std::unordered_set<std::size_t> ArcsOf(const Json& geometry) const {
    std::unordered_set<std::size_t> arcs;
    const auto found = geometry.find("arcs");
    if (found != geometry.end()) {
      Collect(*found, arcs);
    }
    return arcs;
  }

  void AppendSegments(std::size_t arc, std::vector<GeoSegment>& segments) const {
    const std::vector<LonLat>& points = arcs_[arc];
    for (std::size_t index = 1; index < points.size(); ++index) {
      const LonLat& a = points[index - 1];
      const LonLat& b = points[index];
      AppendStep(a, b, segments);
    }
  }

 private:
  void DecodeArcs() {
    double scale[2] = {1.0, 1.0};
    double translate[2] = {0.0, 0.0};
    bool quantized = false;
    const auto transform = root_.find("transform");
    if (transform != root_.end()) {
      const Json& s = transform->at("scale");
      const Json& t = transform->at("translate");
      if (!s.is_array() || s.size() != 2 || !t.is_array() || t.size() != 2 || !s[0].is_number() || !s[1].is_number() ||
          !t[0].is_number() || !t[1].is_number()) {
        throw TopologyError("\"transform\" needs two-number \"scale\" and \"translate\"");
      }
      scale[0] = s[0].get<double>(), scale[1] = s[1].get<double>();
      translate[0] = t[0].get<double>(), translate[1] = t[1].get<double>();
      quantized = true;
    }
    const auto arcs = root_.find("arcs");
    if (arcs == root_.end() || !arcs->is_array()) {
      throw TopologyError("topology has no \"arcs\" array");
    }
    arcs_.reserve(arcs->size());
    for (std::size_t arcIndex = 0; arcIndex < arcs->size(); ++arcIndex) {
      const Json& arc = (*arcs)[arcIndex];
      if (!arc.is_array()) {
        throw TopologyError("arc " + std::to_string(arcIndex) + " is not an array of positions");
      }
      std::vector<LonLat> points;
      points.reserve(arc.size());
      double x = 0.0;
      double y = 0.0;
      for (const Json& position : arc) {
        if (!position.is_array() || position.size() < 2 || !position[0].is_number() || !position[1].is_number()) {
          throw TopologyError("arc " + std::to_string(arcIndex) + " holds a position that is not [x, y]");
        }
        if (quantized) {
          x += position[0].get<double>();
          y += position[1].get<double>();
          points.push_back(LonLat{x * scale[0] + translate[0], y * scale[1] + translate[1]});
        } else {
          points.push_back(LonLat{position[0].get<double>(), position[1].get<double>()});
        }
        const LonLat& point = points.back();
        if (!(point.latitudeDeg >= -90.0 && point.latitudeDeg <= 90.0 && point.longitudeDeg >= -180.0 &&
              point.longitudeDeg <= 180.0)) {
          throw TopologyError("arc " + std::to_string(arcIndex) + " leaves the range of degrees");
        }
      }
      arcs_.push_back(std::move(points));
    }
  }

  void Collect(const Json& node, std::unordered_set<std::size_t>& arcs) const {
    if (node.is_array()) {
      for (const Json& member : node) {
        Collect(member, arcs);
      }
      return;
    }
    if (!node.is_number_integer()) {
      throw TopologyError("an arc reference is not a whole number");
    }
    const long long reference = node.get<long long>();
    const long long arc = reference < 0 ? ~reference : reference;
    if (arc >= static_cast<long long>(arcs_.size())) {
      throw TopologyError("arc reference " + std::to_string(reference) + " beyond the " + std::to_string(arcs_.size()) +
                          " arcs");
    }
    arcs.insert(static_cast<std::size_t>(arc));
  }

  Json root_;
  std::vector<std::vector<LonLat>> arcs_;
};

}  // namespace

std::vector<GeoSegment> OutlineSegments(std::string_view topologyJson, std::string_view objectName) try {
  const Topology topology(topologyJson);
  std::unordered_set<std::size_t> arcs;
  for (const Json* geometry : topology.Geometries(topology.Object(objectName))) {
    const auto own = topology.ArcsOf(*geometry);
    arcs.insert(own.begin(), own.end());
  }
  std::vector<std::size_t> ordered(arcs.begin(), arcs.end());
  std::sort(ordered.begin(), ordered.end());
  std::vector<GeoSegment> segments;
  for (const std::size_t arc : ordered) {
    topology.AppendSegments(arc, segments);
  }
  return segments;
} catch (const Json::exception& error) {
  throw TopologyError(std::string("unexpected structure: ") + error.what());
}

std::vector<GeoSegment> SharedBorderSegments(std::string_view topologyJson, std::string_view objectName) try {
  const Topology topology(topologyJson);
  std::unordered_map<std::size_t, int> users;
  for (const Json* geometry : topology.Geometries(topology.Object(objectName))) {
    for (const std::size_t arc : topology.ArcsOf(*geometry)) {
      ++users[arc];
    }
  }
  std::vector<std::size_t> shared;
  for (const auto& [arc, count] : users) {
    if (count >= 2) {
      shared.push_back(arc);
    }
  }
  std::sort(shared.begin(), shared.end());
  std::vector<GeoSegment> segments;
  for (const std::size_t arc : shared) {
    topology.AppendSegments(arc, segments);
  }
  return segments;
} catch (const Json::exception& error) {
  throw TopologyError(std::string("unexpected structure: ") + error.what());
}

}  // namespace corvane::navimport
