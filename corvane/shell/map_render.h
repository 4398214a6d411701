// One map frame drawn away from the window: the options of "corvane --render" and the frame they describe.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/map/canvas.h"
#include "corvane/map/layer_toggles.h"
#include "corvane/map/map_view.h"

namespace corvane::shell {

struct RenderRequest {
  std::filesystem::path outputPath;
  std::filesystem::path dataFolder = ".";
  map::GeoPos centre{52.3086, 4.7639};
  std::int32_t rangeNm = map::kStartRangeNm;
  map::MapMode mode = map::MapMode::kMap;
  float headingDegTrue = 0;
  map::LayerToggles layers;
  std::filesystem::path planFile;  // empty: no route
  int widthPx = 1024;
  int heightPx = 768;
  // The airport view instead of the map: the airport, the SID or STAR shown over it (its file and
  // name; both empty for none), and the zoom (half the view height in degrees; empty: 0.1, or 1.5
  // with a procedure, as the window opens them).
  std::string airport;
  std::string_view procedureFile;
  std::string procedureName;
  std::optional<float> zoomDeg;
};

// The largest picture: the map image the window draws into.
inline constexpr int kMaxRenderWidthPx = 3000;
inline constexpr int kMaxRenderHeightPx = 2250;

// The words after "--render"; the error names the word that is wrong.
struct RenderParse {
  std::optional<RenderRequest> request;
  std::string error;
};
RenderParse ParseRenderArguments(std::span<const std::string> arguments);

inline constexpr const char* kRenderUsage =
    "usage: corvane --render OUT.png [--data DIR] [--center LAT,LON] [--range NM] [--mode arc|rose|map]\n"
    "       [--heading DEG] [--layers ARP,VOR,NDB,FIX,INF,RR,GEO,GEO2,AWH,AWB,AWL,TCS] [--plan FILE.nav]\n"
    "       [--size WxH]\n"
    "       corvane --render OUT.png --airport ICAO [--sid NAME|--star NAME] [--zoom DEG] [--data DIR]\n"
    "       [--plan FILE.nav] [--layers ...] [--size WxH]\n";

// Loads the data folder (the X-Plane family when it has "NAVapt.dat", the FS family otherwise), builds
// the nearby lists completely around the centre, reads the plan and draws one frame on the canvas: a
// map frame, or with an airport its diagram.
// Returns the problems met on the way (bad data rows, a plan that did not read); the frame is drawn anyway.
std::vector<std::string> RenderMapFrame(const RenderRequest& request, map::Canvas& canvas);

}  // namespace corvane::shell
