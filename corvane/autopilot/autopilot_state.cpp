// The mode texts the map and the airport view show.
#include "corvane/autopilot/autopilot_state.h"

#include <array>

namespace corvane::autopilot {

std::string_view ModeText(std::int32_t mode) {
  static constexpr std::array<std::string_view, 7> kTexts = {
      "AP-OFF", "AP-SEARCH", "AP-LNAV", "AP-LNAV+VNAV", "AP-LNAV+VNAV+SPD", "AP-DIRECT", "AP-HOLD  "};
  if (mode < 0 || mode >= static_cast<std::int32_t>(kTexts.size())) return kTexts[0];
  return kTexts[static_cast<std::size_t>(mode)];
}

}  // namespace corvane::autopilot
