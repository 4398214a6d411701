// Simulator commands: every value corvane writes to the simulator, one batch each, with its status text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane::simlink {

class SimLink;

inline constexpr std::string_view kWriteOk = "FSUIPC write OK";

// Each returns the status-line text: "FSUIPC write OK" or the command's own failure text.
std::string SendApHeading(SimLink& link, double headingDeg);    // LNAV and direct-to
std::string SendHoldHeading(SimLink& link, double headingDeg);  // holding
std::string SendApAltitude(SimLink& link, double altitudeFt);
std::string SendApVerticalSpeed(SimLink& link, double verticalSpeedFpm);
std::string SendVsHoldOn(SimLink& link);
std::string SendApAirspeed(SimLink& link, double airspeedKt);
std::string SendSpoilers(SimLink& link, std::int32_t knotsOverTarget);

// Set position: the two batches are sent one after the other whatever the first one gave.
std::string SendPositionLatLon(SimLink& link, double latitude, double longitude);
std::string SendPositionHeadingAltitude(SimLink& link, double headingDegTrue, double altitudeFt);

// Radios. The texts are the beacon's frequency text (and its display text) from the navigation data.
std::string TuneIls(SimLink& link, std::string_view ilsFrequencyText);
std::string TuneVor(SimLink& link, std::string_view beaconText, std::string_view frequencyText,
                    bool airportViewRunning);
std::string TuneNdb(SimLink& link, std::string_view beaconText, std::string_view frequencyText);

}  // namespace corvane::simlink
