// Plans made by other planners: the PLN files of FSX, P3D and MSFS and the FMS files of X-Plane
// (versions 3 and 11), read into the plan's own text so LOAD and corvane-cli import take them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/navdata/nav_tables.h"
#include "corvane/plan/flight_plan.h"

namespace corvane::exchange {

enum class ForeignPlanFormat { kPln, kFms };

// PLN by its XML, FMS by its "I"/"A" line and version line; none for any other text (a plan file of
// our own, which the plan text parser reads).
std::optional<ForeignPlanFormat> ForeignPlanFormatOf(std::string_view text);

struct ForeignPlanRead {
  std::unique_ptr<plan::FlightPlan> plan;  // with the legs computed; empty when the file does not read
  std::optional<std::string> error;        // the line or element that does not read, and why
};

// Each waypoint becomes the entry of its kind at the file's position. An airport, VOR, NDB or fix
// whose ident the database holds within 2 nm takes its stored ident and its elevation or frequency
// text. The altitude is the waypoint's own; points without one (0) fly the file's cruise altitude
// (the largest of the file when it names none). Every entry takes speedKt.
ForeignPlanRead ReadForeignPlan(std::string_view text, ForeignPlanFormat format, const navdata::NavDatabase& database,
                                std::int32_t speedKt);

// The plan text of any plan file LOAD takes: a PLN or FMS file as the listing of its plan, flown at
// the cruise speed field's value (0 when it holds no number), our own plan file as its lines.
// Throws formats::TextFileError naming the file, and the line or element that does not read.
std::vector<std::string> PlanTextOfFile(const std::filesystem::path& path, const navdata::NavDatabase& database,
                                        std::string_view speedText);

}  // namespace corvane::exchange
