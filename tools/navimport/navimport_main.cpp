// navimport: converts the real-world source data into the data files corvane reads.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "formats/program_version.h"
#include "tools/navimport/navimport_run.h"

namespace {

constexpr const char* kUsage =
    "usage: navimport --xplane SRC | --xplane-root XPLANE --geo GEOSRC --out DIR [--box SOUTH,WEST,NORTH,EAST]\n"
    "                 [--layout-airports ICAO,ICAO,...] [--procedures cifp]\n"
    "  SRC     folder with nav.dat, fix.dat, awy.dat and apt.dat (plain or .gz; or earth_nav.dat,\n"
    "          earth_fix.dat, earth_awy.dat; user_nav.dat and user_fix.dat added when there)\n"
    "  XPLANE  an X-Plane 11 or 12 folder: Custom Data over Resources/default data, file by file;\n"
    "          apt.dat of the global airports and of the packs in Custom Scenery/scenery_packs.ini\n"
    "  GEOSRC  folder with land-50m.json and countries-50m.json (Natural Earth TopoJSON)\n"
    "  DIR     output folder: NAVapt.dat NAVrwy.dat NAVvor.dat NAVndb.dat NAVwpt.dat NAVawy.dat\n"
    "          corvanxX_apt.dat corvane_geo.dat navimport_report.txt, and navsid.dat and\n"
    "          navstar.dat from the CIFP folder (or without procedures) unless DIR has its own\n"
    "  --procedures cifp  write navsid.dat and navstar.dat from CIFP even where DIR has its own\n"
    "  --box   keep only this region (decimal degrees; WEST > EAST crosses the 180 meridian)\n"
    "  --layout-airports  airports whose layout goes into corvanxX_apt.dat (default: all written)\n"
    "  --help, --version  this text, or the version\n";

std::vector<std::string> SplitList(std::string_view text) {
  std::vector<std::string> items;
  while (!text.empty()) {
    const std::size_t comma = text.find(',');
    const std::string_view item = text.substr(0, comma);
    if (!item.empty()) {
      items.emplace_back(item);
    }
    if (comma == std::string_view::npos) {
      break;
    }
    text.remove_prefix(comma + 1);
  }
  return items;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace corvane::navimport;
  NavImportOptions options;
  bool haveXplane = false, haveGeo = false, haveOut = false;
  for (int index = 1; index < argc; ++index) {
    const std::string_view flag = argv[index];
    if (flag == "--help" || flag == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (flag == "--version") {
      std::fputs(corvane::formats::VersionLine("navimport").c_str(), stdout);
      return 0;
    }
    if (index + 1 >= argc) {
      std::fprintf(stderr, "navimport: %s needs a value\n%s", argv[index], kUsage);
      return 2;
    }
    const std::string_view value = argv[++index];
    if (flag == "--xplane") {
      options.xplaneFolder = value, haveXplane = true;
    } else if (flag == "--xplane-root") {
      options.xplaneRoot = value, haveXplane = true;
    } else if (flag == "--geo") {
      options.geoFolder = value, haveGeo = true;
    } else if (flag == "--out") {
      options.outFolder = value, haveOut = true;
    } else if (flag == "--box") {
      std::string error;
      options.box = ParseGeoBox(value, error);
      if (!options.box) {
        std::fprintf(stderr, "navimport: %s\n", error.c_str());
        return 2;
      }
    } else if (flag == "--procedures") {
      if (value != "cifp") {
        std::fprintf(stderr, "navimport: --procedures takes cifp\n%s", kUsage);
        return 2;
      }
      options.proceduresFromCifp = true;
    } else if (flag == "--layout-airports") {
      options.layoutAirports = SplitList(value);
    } else {
      std::fprintf(stderr, "navimport: unknown option %s\n%s", argv[index - 1], kUsage);
      return 2;
    }
  }
  if (!haveXplane || !haveGeo || !haveOut) {
    std::fprintf(stderr, "navimport: --xplane or --xplane-root, --geo and --out are needed\n%s", kUsage);
    return 2;
  }
  if (!options.xplaneFolder.empty() && !options.xplaneRoot.empty()) {
    std::fprintf(stderr, "navimport: give --xplane or --xplane-root, not both\n%s", kUsage);
    return 2;
  }
  const NavImportResult result = RunNavImport(options);
  std::fputs(result.report.Summary().c_str(), stdout);
  std::printf("Full list of dropped rows: %s\n", (options.outFolder / kReportFile).string().c_str());
  for (const auto& [step, seconds] : result.stepSeconds) {
    std::printf("  %-8s %.2f s\n", step.c_str(), seconds);
  }
  for (const std::string& error : result.errors) {
    std::fprintf(stderr, "navimport: %s\n", error.c_str());
  }
  return result.errors.empty() ? 0 : 1;
}
