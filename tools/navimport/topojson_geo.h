// Coastlines and country borders from Natural Earth TopoJSON topologies.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::navimport {

struct GeoSegment {
  double latitude1Deg = 0.0;
  double longitude1Deg = 0.0;
  double latitude2Deg = 0.0;
  double longitude2Deg = 0.0;
};

// A topology that cannot be parsed or lacks what is asked of it; what() says what is wrong.
class TopologyError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Every line of the object's polygons and lines, each arc once ("land" of land-50m.json gives the
// coastlines). Zero-length segments are left out.
std::vector<GeoSegment> OutlineSegments(std::string_view topologyJson, std::string_view objectName);

// The arcs that two or more geometries of the object share, each once ("countries" of
// countries-50m.json gives the land borders, each border once although both countries name it).
std::vector<GeoSegment> SharedBorderSegments(std::string_view topologyJson, std::string_view objectName);

}  // namespace corvane::navimport
