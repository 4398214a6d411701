// CIFP lines ("SID:020,5,ALSE1C,RW16R,OBVER,OB,E,A,...;") grouped into parts and turned into entries.
#include "tools/navimport/cifp_procedures.h"

#include <cstdio>
#include <map>
#include <optional>
#include <string_view>

#include "formats/text_lines.h"
#include "tools/navimport/source_fields.h"

namespace corvane::navimport {

namespace {

enum class PartRole { kRunway, kCommon, kEnroute, kLeftOut };

struct Leg {
  std::string fix, region, section, subsection, legType;
};

struct Part {
  std::string ident, routeType, transition;
  PartRole role = PartRole::kLeftOut;
  std::vector<Leg> legs;
  std::size_t lineNumber = 0;  // of its first line
};

std::vector<std::string_view> CommaFields(std::string_view text) {
  std::vector<std::string_view> fields;
  while (true) {
    const std::size_t comma = text.find(',');
    fields.push_back(TrimBlanks(text.substr(0, comma)));
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  return fields;
}

PartRole RoleOf(ProcedureKind kind, std::string_view routeType) {
  const char c = routeType.empty() ? ' ' : routeType.front();
  const auto in = [c](std::string_view set) { return set.find(c) != std::string_view::npos; };
  if (kind == ProcedureKind::kSid) {
    if (in("14FT")) return PartRole::kRunway;
    if (in("25M")) return PartRole::kCommon;
    if (in("36SV")) return PartRole::kEnroute;
    return PartRole::kLeftOut;  // 0: engine-out
  }
  if (in("14F")) return PartRole::kEnroute;
  if (in("25M")) return PartRole::kCommon;
  if (in("36S")) return PartRole::kRunway;
  return PartRole::kLeftOut;  // 7-9: profile descents
}

// "N25174597" (N 25 deg 17' 45.97") or "E051363196"; nullopt when it is not one.
std::optional<double> CifpAngle(std::string_view text, std::size_t degreeDigits) {
  if (text.size() != 1 + degreeDigits + 6) return std::nullopt;
  const char hemisphere = text.front();
  const auto degrees = ParseWhole(text.substr(1, degreeDigits));
  const auto minutes = ParseWhole(text.substr(1 + degreeDigits, 2));
  const auto hundredths = ParseWhole(text.substr(3 + degreeDigits, 4));
  if (!degrees || !minutes || !hundredths || *minutes >= 60 || *hundredths >= 6000) return std::nullopt;
  const double value = static_cast<double>(*degrees) + *minutes / 60.0 + *hundredths / 360000.0;
  if (hemisphere == 'S' || hemisphere == 'W') return -value;
  if (hemisphere == 'N' || hemisphere == 'E') return value;
  return std::nullopt;
}

// The runways a transition applies to: "RW16L" itself, "RW16B" every parallel 16, "ALL" or blank all.
std::vector<std::string> RunwaysOf(std::string_view transition, const std::map<std::string, ReferencePoint>& runways) {
  std::vector<std::string> out;
  if (transition.empty() || transition == "ALL") {
    for (const auto& [name, point] : runways) out.push_back(name);
  } else if (transition.size() == 5 && transition.back() == 'B' && transition.substr(0, 2) == "RW") {
    for (const auto& [name, point] : runways) {
      if (name.size() == 5 && name.substr(0, 4) == transition.substr(0, 4)) out.push_back(name);
    }
  } else if (transition.substr(0, 2) == "RW") {
    out.emplace_back(transition);
  }
  return out;
}

class EntryMaker {
 public:
  EntryMaker(const SourceFile& file, const std::string& airport, const ReferenceIndex& index,
             const std::map<std::string, ReferencePoint>& runways, ImportReport& report)
      : file_(file), airport_(airport), index_(index), runways_(runways), report_(report) {}

  // Appends the points of the part's legs; false (reported) when a fix is not found.
  bool AddLegs(const Part& part, std::vector<ProcedurePoint>& points) const {
    for (const Leg& leg : part.legs) {
      if (leg.fix.empty()) continue;
      const std::optional<ReferencePoint> found = Resolve(leg);
      if (!found) {
        report_.Drop(file_.name(), part.lineNumber, "procedure fix not found, entry left out",
                     part.ident + " " + part.transition + ": " + leg.fix + " " + leg.region + " " + leg.section +
                         leg.subsection);
        return false;
      }
      Append(points, {leg.fix, found->latitudeDeg, found->longitudeDeg, leg.legType});
    }
    return true;
  }

  bool AddRunway(const std::string& runway, const Part& part, std::vector<ProcedurePoint>& points) const {
    const auto found = runways_.find(runway);
    if (found == runways_.end()) {
      report_.Drop(file_.name(), part.lineNumber, "runway without a RWY line, entry left out",
                   part.ident + " " + runway);
      return false;
    }
    Append(points, {runway, found->second.latitudeDeg, found->second.longitudeDeg, "RW"});
    return true;
  }

  static void Append(std::vector<ProcedurePoint>& points, ProcedurePoint point) {
    if (!points.empty() && points.back().ident == point.ident) return;
    points.push_back(std::move(point));
  }

 private:
  std::optional<ReferencePoint> Resolve(const Leg& leg) const {
    const std::string section = leg.section + leg.subsection;
    if (section == "EA") return index_.Find(leg.fix, leg.region, ReferenceKind::kFix);
    if (section == "PC") return index_.Find(leg.fix, leg.region, ReferenceKind::kFix, airport_);
    if (section == "D") {
      auto found = index_.Find(leg.fix, leg.region, ReferenceKind::kVhf);
      return found ? found : index_.Find(leg.fix, leg.region, ReferenceKind::kVhf, airport_);
    }
    if (section == "DB") return index_.Find(leg.fix, leg.region, ReferenceKind::kNdb);
    if (section == "PN") return index_.Find(leg.fix, leg.region, ReferenceKind::kNdb, airport_);
    if (section == "PG") {
      const auto found = runways_.find(leg.fix);
      if (found != runways_.end()) return found->second;
    }
    return std::nullopt;  // localizers and airports carry no position here
  }

  const SourceFile& file_;
  const std::string& airport_;
  const ReferenceIndex& index_;
  const std::map<std::string, ReferencePoint>& runways_;
  ImportReport& report_;
};

void MakeEntries(ProcedureKind kind, const std::vector<const Part*>& parts, const EntryMaker& maker,
                 const std::map<std::string, ReferencePoint>& runways, std::vector<ProcedureEntryOut>& out) {
  std::vector<const Part*> commons, runwayParts, enroute;
  for (const Part* part : parts) {
    if (part->role == PartRole::kCommon) commons.push_back(part);
    if (part->role == PartRole::kRunway) runwayParts.push_back(part);
    if (part->role == PartRole::kEnroute) enroute.push_back(part);
  }
  const Part* common = commons.empty() ? nullptr : commons.front();
  const std::string& name = parts.front()->ident;
  const auto add = [&](std::string qualifier, std::string description, std::vector<ProcedurePoint> points) {
    if (points.size() >= 1) out.push_back({name, std::move(qualifier), std::move(description), std::move(points)});
  };
  // The common route's last point, where the pieces join.
  std::vector<ProcedurePoint> commonPoints;
  const bool commonOk = common == nullptr || maker.AddLegs(*common, commonPoints);
  const bool sid = kind == ProcedureKind::kSid;

  // Runway pieces: a runway transition, or (European data) a common route named after its runway.
  std::vector<std::pair<const Part*, std::string>> byRunway;
  for (const Part* part : runwayParts) {
    for (const std::string& runway : RunwaysOf(part->transition, runways)) byRunway.emplace_back(part, runway);
  }
  const bool commonIsRunway =
      runwayParts.empty() && common != nullptr && !RunwaysOf(common->transition, runways).empty();
  // With common routes named after their runways, one SID may hold one such route per runway.
  const auto routeOf = [&](const Part* route, std::vector<ProcedurePoint>& points) {
    if (route == common) {
      points = commonPoints;
      return commonOk;
    }
    return maker.AddLegs(*route, points);
  };
  if (commonIsRunway && sid) {
    for (const Part* route : commons) {
      std::vector<ProcedurePoint> routePoints;
      if (!routeOf(route, routePoints)) continue;
      for (const std::string& runway : RunwaysOf(route->transition, runways)) {
        std::vector<ProcedurePoint> points;
        if (!maker.AddRunway(runway, *route, points)) continue;
        for (const ProcedurePoint& point : routePoints) EntryMaker::Append(points, point);
        add(runway, runway + " route type " + route->routeType, std::move(points));
      }
    }
  }
  const auto runwayPieces = [&] {
    for (const auto& [part, runway] : byRunway) {
      std::vector<ProcedurePoint> points;
      if (sid) {
        if (!maker.AddRunway(runway, *part, points) || !maker.AddLegs(*part, points) || !commonOk) continue;
        for (const ProcedurePoint& point : commonPoints) EntryMaker::Append(points, point);
      } else {
        if (!commonOk) continue;
        if (!commonPoints.empty()) points.push_back(commonPoints.back());
        if (!maker.AddLegs(*part, points) || !maker.AddRunway(runway, *part, points)) continue;
      }
      add(runway, part->transition + " route type " + part->routeType, std::move(points));
    }
  };
  const auto enroutePieces = [&] {
    for (const Part* part : enroute) {
      std::vector<ProcedurePoint> points;
      if (!commonOk) continue;
      if (sid) {
        if (!commonPoints.empty()) points.push_back(commonPoints.back());
        if (!maker.AddLegs(*part, points)) continue;
      } else {
        if (!maker.AddLegs(*part, points)) continue;
        for (const ProcedurePoint& point : commonPoints) EntryMaker::Append(points, point);
      }
      add(part->transition, part->transition + " route type " + part->routeType, std::move(points));
    }
  };
  // In the order they are flown: a SID from the runway out, a STAR from the enroute transition in.
  if (sid) {
    runwayPieces();
    enroutePieces();
  } else {
    enroutePieces();
    runwayPieces();
  }
  if (!sid && enroute.empty() && commonIsRunway) {
    for (const Part* route : commons) {
      std::vector<ProcedurePoint> points;
      if (routeOf(route, points)) add(route->transition, "common route type " + route->routeType, std::move(points));
    }
  } else if (!sid && enroute.empty() && common != nullptr && commonOk) {
    add("ALL", "common route type " + common->routeType, commonPoints);
  }
  if (sid && common != nullptr && commonOk && !commonIsRunway && runwayParts.empty()) {
    add(common->transition.empty() ? std::string("ALL") : common->transition, "common route type " + common->routeType,
        commonPoints);
  }
}

}  // namespace

std::vector<ProcedureEntryOut> ReadCifpProcedures(const SourceFile& file, const std::string& airport,
                                                  ProcedureKind kind, const ReferenceIndex& index,
                                                  ImportReport& report) {
  const std::string_view prefix = kind == ProcedureKind::kSid ? "SID:" : "STAR:";
  std::map<std::string, ReferencePoint> runways;
  std::vector<Part> parts;
  const auto& lines = file.lines();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string_view line = TrimBlanks(lines[i]);
    if (line.substr(0, 4) == "RWY:") {
      const std::size_t semicolon = line.find(';');
      const std::vector<std::string_view> head = CommaFields(line.substr(4, semicolon - 4));
      const std::vector<std::string_view> tail = semicolon == std::string_view::npos
                                                     ? std::vector<std::string_view>{}
                                                     : CommaFields(line.substr(semicolon + 1));
      const auto latitude = tail.size() >= 2 ? CifpAngle(tail[0], 2) : std::nullopt;
      const auto longitude = tail.size() >= 2 ? CifpAngle(tail[1], 3) : std::nullopt;
      if (!latitude || !longitude) {
        report.Drop(file.name(), i + 1, "runway line without a threshold position", line);
        continue;
      }
      runways[std::string(head[0])] = {*latitude, *longitude};
      continue;
    }
    if (line.substr(0, prefix.size()) != prefix) continue;
    if (!line.empty() && line.back() == ';') line.remove_suffix(1);
    const std::vector<std::string_view> f = CommaFields(line.substr(prefix.size()));
    if (f.size() < 12) {
      report.Drop(file.name(), i + 1, "procedure line with too few fields", line);
      continue;
    }
    const Leg leg{std::string(f[4]), std::string(f[5]), std::string(f[6]), std::string(f[7]), std::string(f[11])};
    if (parts.empty() || parts.back().ident != f[2] || parts.back().routeType != f[1] ||
        parts.back().transition != f[3]) {
      parts.push_back({std::string(f[2]), std::string(f[1]), std::string(f[3]), RoleOf(kind, f[1]), {}, i + 1});
    }
    parts.back().legs.push_back(leg);
  }

  std::vector<ProcedureEntryOut> entries;
  const EntryMaker maker(file, airport, index, runways, report);
  // The parts of one procedure, in file order: one ident after the other.
  std::vector<const Part*> procedure;
  for (std::size_t k = 0; k <= parts.size(); ++k) {
    if (!procedure.empty() && (k == parts.size() || parts[k].ident != procedure.front()->ident)) {
      MakeEntries(kind, procedure, maker, runways, entries);
      procedure.clear();
    }
    if (k < parts.size()) procedure.push_back(&parts[k]);
  }
  return entries;
}

void AppendProcedureEntries(const std::string& airport, const std::vector<ProcedureEntryOut>& entries,
                            std::string& text) {
  char line[160];
  for (const ProcedureEntryOut& entry : entries) {
    std::snprintf(line, sizeof line, "[%-4.4s %-6.6s %-6.6s %s", airport.c_str(), entry.name.c_str(),
                  entry.qualifier.c_str(), entry.description.c_str());
    formats::AppendTextLine(text, line);
    for (const ProcedurePoint& point : entry.points) {
      std::snprintf(line, sizeof line, "  %-2.2s          %-5.5s %10.6f %11.6f", point.legType.c_str(),
                    point.ident.c_str(), point.latitudeDeg, point.longitudeDeg);
      formats::AppendTextLine(text, line);
    }
    formats::AppendTextLine(text, "");
  }
}

}  // namespace corvane::navimport
