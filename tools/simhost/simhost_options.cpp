// Option parsing for simhost; numbers are read with from_chars so the locale never matters.
#include "tools/simhost/simhost_options.h"

#include <charconv>
#include <optional>
#include <string_view>

#include "standin/airport_lookup.h"

namespace corvane::simhost {
namespace {

std::optional<double> ParseNumber(std::string_view text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// "A<sep>B" into two numbers.
bool ParsePair(std::string_view text, char separator, double& first, double& second) {
  const std::size_t at = text.find(separator);
  if (at == std::string_view::npos) return false;
  const auto a = ParseNumber(text.substr(0, at)), b = ParseNumber(text.substr(at + 1));
  if (!a || !b) return false;
  first = *a;
  second = *b;
  return true;
}

}  // namespace

bool ParseSimhostOptions(std::span<char* const> args, SimhostOptions& options, std::string& error) {
  std::string at;
  std::string dataFolder = ".";
  standin::FlightModelOptions& model = options.model;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view name = args[i];
    if (name == "--xplane") {
      model.xplane = true;
      continue;
    }
    if (name == "--verbose") {
      options.verbose = true;
      continue;
    }
    if (name == "--xplane-udp") {
      // The address is optional: what follows is taken as one unless it is the next option.
      options.xplaneUdp = model.xplane = true;
      if (i + 1 < args.size() && !std::string_view(args[i + 1]).starts_with("-")) options.xplaneAddress = args[++i];
      continue;
    }
    if (name == "--help" || name == "-h") {
      options.help = true;
      continue;
    }
    if (name == "--version") {
      options.version = true;
      continue;
    }
    if (i + 1 >= args.size()) {
      error = "missing value after " + std::string(name);
      return false;
    }
    const std::string_view value = args[++i];
    const std::optional<double> number = ParseNumber(value);
    auto numberInto = [&](double& target, double low, double high) {
      if (!number || *number < low || *number > high) {
        error = "bad value for " + std::string(name) + ": '" + std::string(value) + "'";
        return false;
      }
      target = *number;
      return true;
    };
    double count = 0;
    bool ok = true;
    if (name == "--at")
      at = value;
    else if (name == "--data")
      dataFolder = value;
    else if (name == "--heading")
      ok = numberInto(model.headingDegTrue, -360, 720);
    else if (name == "--altitude")
      ok = numberInto(model.altitudeFt, -2000, 60000);
    else if (name == "--speed")
      ok = numberInto(model.airspeedKt, 0, 1000);
    else if (name == "--magvar")
      ok = numberInto(model.magneticVariationDeg, -180, 180);
    else if (name == "--rate")
      ok = numberInto(options.timeFactor, 0.01, 1000);
    else if (name == "--traffic") {
      ok = numberInto(count, 0, 96);
      model.trafficCount = static_cast<int>(count);
    } else if (name == "--seed") {
      ok = numberInto(count, 0, 4294967295.0);
      model.seed = static_cast<std::uint64_t>(count);
    } else if (name == "--flightgear") {
      const std::size_t colon = value.rfind(':');
      const std::optional<double> port =
          colon == std::string_view::npos ? std::nullopt : ParseNumber(value.substr(colon + 1));
      ok = colon > 0 && port && *port >= 1 && *port <= 65535 && *port == static_cast<int>(*port);
      if (!ok) error = "bad value for --flightgear (HOST:PORT expected): '" + std::string(value) + "'";
      if (ok) {
        options.flightGearHost = value.substr(0, colon);
        options.flightGearPort = static_cast<int>(*port);
      }
    } else if (name == "--wind") {
      ok = ParsePair(value, '/', model.windDirectionDegTrue, model.windSpeedKt) && model.windSpeedKt >= 0 &&
           model.windSpeedKt < 400;
      if (!ok) error = "bad value for --wind (DIR/KT expected): '" + std::string(value) + "'";
    } else {
      error = "unknown option " + std::string(name);
      return false;
    }
    if (!ok) return false;
  }
  if (at.empty()) return true;
  if (at.find(',') != std::string::npos) {
    if (!ParsePair(at, ',', model.latitude, model.longitude) || model.latitude < -90 || model.latitude > 90 ||
        model.longitude < -180 || model.longitude > 180) {
      error = "bad position for --at (LAT,LON in degrees expected): '" + at + "'";
      return false;
    }
    return true;
  }
  const std::optional<standin::AirportPosition> airport = standin::FindAirport(dataFolder, at, error);
  if (!airport) return false;
  model.latitude = airport->latitude;
  model.longitude = airport->longitude;
  return true;
}

}  // namespace corvane::simhost
