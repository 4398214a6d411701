// The load-all driver: every table from the data folder, in the fixed order, with a caption step each.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <string_view>

#include "corvane/navdata/load_report.h"
#include "corvane/navdata/nav_tables.h"

namespace corvane::navdata {

// The caption suffix shown while each loader runs, in load order.
inline constexpr std::array<std::string_view, 8> kLoadStepCaptions = {
    " - Reading Fixes",     " - Reading Beacons", " - Reading Runways", " - Reading Airports",
    " - Reading Heliports", " - Reading Geo",     " - Reading Airways", " - Reading USER data",
};
// The caption suffix once the tables are loaded, while the map's first refresh runs.
inline constexpr std::string_view kInitializingDisplayCaption = " - Initializing display";

// Called before each step with that step's caption suffix.
using LoadStepCallback = std::function<void(std::string_view captionSuffix)>;

// Refills every table from the files of dataFolder for the chosen family; nothing stops at a
// missing file or a bad row: the report says what was loaded, left out, and why.
LoadReport LoadNavDatabase(NavDatabase& database, const std::filesystem::path& dataFolder, DatabaseSource source,
                           const LoadStepCallback& onStep = {});

}  // namespace corvane::navdata
