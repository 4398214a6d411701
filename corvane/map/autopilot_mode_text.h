// The autopilot's mode texts, indexed by its mode (0 off … 6 hold), as the map and the airport view show them.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace corvane::map {

// "AP-OFF" … "AP-HOLD  " (two trailing blanks); an unknown mode reads as off.
inline std::string_view AutopilotModeText(std::int32_t mode) {
  static constexpr std::array<std::string_view, 7> kTexts = {
      "AP-OFF", "AP-SEARCH", "AP-LNAV", "AP-LNAV+VNAV", "AP-LNAV+VNAV+SPD", "AP-DIRECT", "AP-HOLD  "};
  if (mode < 0 || mode >= static_cast<std::int32_t>(kTexts.size())) return kTexts[0];
  return kTexts[static_cast<std::size_t>(mode)];
}

}  // namespace corvane::map
