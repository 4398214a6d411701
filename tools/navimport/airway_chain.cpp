// Airway chaining: per name, a graph of points and segments walked into trails.
#include "tools/navimport/airway_chain.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <queue>
#include <unordered_map>

namespace corvane::navimport {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Points are the same when ident and position (to a millionth of a degree) agree.
std::string PointKey(const AirwayPoint& point) {
  std::string key = point.ident;
  key += '|';
  key += std::to_string(std::lround(point.latitudeDeg * 1e6));
  key += ',';
  key += std::to_string(std::lround(point.longitudeDeg * 1e6));
  return key;
}

double BearingDeg(const AirwayPoint& from, const AirwayPoint& to) {
  const double meanLatitude = (from.latitudeDeg + to.latitudeDeg) * 0.5 * kPi / 180.0;
  double dLon = to.longitudeDeg - from.longitudeDeg;
  if (dLon > 180.0) {
    dLon -= 360.0;
  } else if (dLon < -180.0) {
    dLon += 360.0;
  }
  return std::atan2(dLon * std::cos(meanLatitude), to.latitudeDeg - from.latitudeDeg) * 180.0 / kPi;
}

double TurnDeg(double fromBearing, double toBearing) {
  double turn = std::fmod(std::fabs(toBearing - fromBearing), 360.0);
  return turn > 180.0 ? 360.0 - turn : turn;
}

struct Edge {
  int a;
  int b;
  AirwayLeg leg;
  bool used = false;
};

class AirwayGraph {
 public:
  void Add(const AirwaySegment& segment, ImportReport& report, std::string_view fileName) {
    const int a = Node(segment.from);
    const int b = Node(segment.to);
    if (a == b) {
      report.Drop(fileName, segment.lineNumber, "airway segment from a point to itself",
                  segment.airwayName + " " + segment.from.ident);
      return;
    }
    const auto key = std::minmax(a, b);
    const auto [found, inserted] =
        edgeIndex_.try_emplace(static_cast<long long>(key.first) << 32 | key.second, static_cast<int>(edges_.size()));
    if (!inserted) {
      AirwayLeg& leg = edges_[static_cast<std::size_t>(found->second)].leg;
      if (leg.level != segment.level) {
        leg.level = AirwayLevel::kBoth;
      }
      leg.baseFl = std::min(leg.baseFl, segment.baseFl);
      leg.topFl = std::max(leg.topFl, segment.topFl);
      return;
    }
    edges_.push_back(Edge{a, b, AirwayLeg{segment.level, segment.baseFl, segment.topFl}});
    adjacency_[static_cast<std::size_t>(a)].push_back(static_cast<int>(edges_.size() - 1));
    adjacency_[static_cast<std::size_t>(b)].push_back(static_cast<int>(edges_.size() - 1));
    ++remaining_[static_cast<std::size_t>(a)];
    ++remaining_[static_cast<std::size_t>(b)];
  }

  // Walks trails until every segment is used: first from dead ends, then from other odd points
  // (each such trail ends at another odd point), then around what is left (loops).
  void Walk(const std::string& name, std::vector<AirwayRun>& runs) {
    for (;;) {
      const int start = PickStart();
      if (start < 0) {
        return;
      }
      AirwayRun run{name, {points_[static_cast<std::size_t>(start)]}, {}};
      int current = start;
      double bearing = 0.0;
      bool haveBearing = false;
      for (;;) {
        const int edgeIndex = NextEdge(current, haveBearing, bearing);
        if (edgeIndex < 0) {
          break;
        }
        Edge& edge = edges_[static_cast<std::size_t>(edgeIndex)];
        edge.used = true;
        --remaining_[static_cast<std::size_t>(edge.a)];
        --remaining_[static_cast<std::size_t>(edge.b)];
        const int next = edge.a == current ? edge.b : edge.a;
        bearing = BearingDeg(points_[static_cast<std::size_t>(current)], points_[static_cast<std::size_t>(next)]);
        haveBearing = true;
        run.points.push_back(points_[static_cast<std::size_t>(next)]);
        run.legs.push_back(edge.leg);
        current = next;
      }
      runs.push_back(std::move(run));
    }
  }

 private:
  int Node(const AirwayPoint& point) {
    const auto [found, inserted] = nodeIndex_.try_emplace(PointKey(point), static_cast<int>(points_.size()));
    if (inserted) {
      points_.push_back(point);
      adjacency_.emplace_back();
      remaining_.push_back(0);
    }
    return found->second;
  }

  int PickStart() const {
    int odd = -1;
    int any = -1;
    for (std::size_t node = 0; node < remaining_.size(); ++node) {
      const int degree = remaining_[node];
      if (degree == 1) {
        return static_cast<int>(node);
      }
      if (degree % 2 == 1 && odd < 0) {
        odd = static_cast<int>(node);
      }
      if (degree > 0 && any < 0) {
        any = static_cast<int>(node);
      }
    }
    return odd >= 0 ? odd : any;
  }

  int NextEdge(int node, bool haveBearing, double bearing) const {
    int best = -1;
    double bestTurn = 0.0;
    for (const int edgeIndex : adjacency_[static_cast<std::size_t>(node)]) {
      const Edge& edge = edges_[static_cast<std::size_t>(edgeIndex)];
      if (edge.used) {
        continue;
      }
      if (!haveBearing) {
        return edgeIndex;
      }
      const int next = edge.a == node ? edge.b : edge.a;
      const double turn = TurnDeg(
          bearing, BearingDeg(points_[static_cast<std::size_t>(node)], points_[static_cast<std::size_t>(next)]));
      if (best < 0 || turn < bestTurn) {
        best = edgeIndex;
        bestTurn = turn;
      }
    }
    return best;
  }

  std::unordered_map<std::string, int> nodeIndex_;
  std::unordered_map<long long, int> edgeIndex_;
  std::vector<AirwayPoint> points_;
  std::vector<std::vector<int>> adjacency_;
  std::vector<int> remaining_;
  std::vector<Edge> edges_;
};

}  // namespace

std::vector<AirwayRun> ChainAirways(const std::vector<AirwaySegment>& segments, ImportReport& report,
                                    std::string_view fileName) {
  std::vector<std::size_t> order(segments.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t left, std::size_t right) {
    return segments[left].airwayName < segments[right].airwayName;
  });
  std::vector<AirwayRun> runs;
  std::size_t groupStart = 0;
  while (groupStart < order.size()) {
    const std::string& name = segments[order[groupStart]].airwayName;
    AirwayGraph graph;
    std::size_t index = groupStart;
    for (; index < order.size() && segments[order[index]].airwayName == name; ++index) {
      graph.Add(segments[order[index]], report, fileName);
    }
    graph.Walk(name, runs);
    groupStart = index;
  }
  return runs;
}

bool OrderRunsApart(std::vector<AirwayRun>& runs) {
  // Runs arrive grouped by name; each group keeps its inner order.
  struct Group {
    std::size_t next;
    std::size_t end;
  };
  std::vector<Group> groups;
  for (std::size_t index = 0; index < runs.size();) {
    std::size_t end = index;
    while (end < runs.size() && runs[end].airwayName == runs[index].airwayName) {
      ++end;
    }
    groups.push_back(Group{index, end});
    index = end;
  }
  // Most runs left first (so the largest group is never stranded), then the earlier group.
  auto later = [&](std::size_t left, std::size_t right) {
    const std::size_t leftLeft = groups[left].end - groups[left].next;
    const std::size_t rightLeft = groups[right].end - groups[right].next;
    return leftLeft != rightLeft ? leftLeft < rightLeft : left > right;
  };
  std::priority_queue<std::size_t, std::vector<std::size_t>, decltype(later)> waiting(later);
  for (std::size_t group = 0; group < groups.size(); ++group) {
    waiting.push(group);
  }
  std::vector<std::size_t> order;
  order.reserve(runs.size());
  std::size_t held = groups.size();  // the group just taken sits out one turn
  while (!waiting.empty()) {
    const std::size_t group = waiting.top();
    waiting.pop();
    order.push_back(groups[group].next++);
    if (held != groups.size()) {
      waiting.push(held);
    }
    held = groups[group].next < groups[group].end ? group : groups.size();
  }
  if (held != groups.size()) {
    return false;
  }
  std::vector<AirwayRun> ordered;
  ordered.reserve(runs.size());
  for (const std::size_t index : order) {
    ordered.push_back(std::move(runs[index]));
  }
  runs = std::move(ordered);
  return true;
}

std::size_t CountSegments(const std::vector<AirwayRun>& runs) {
  std::size_t count = 0;
  for (const AirwayRun& run : runs) {
    count += run.legs.size();
  }
  return count;
}

}  // namespace corvane::navimport
