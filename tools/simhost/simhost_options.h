// Command line of the stand-in simulator.
#pragma once

#include <span>
#include <string>

#include "standin/flight_model.h"

namespace corvane::simhost {

struct SimhostOptions {
  standin::FlightModelOptions model;
  double timeFactor = 1.0;  // simulated seconds per real second
  // --flightgear HOST:PORT: serve FlightGear's property server instead of the stand-in's model.
  std::string flightGearHost;
  int flightGearPort = 0;
  // --xplane-udp [HOST[:PORT]]: serve X-Plane through its UDP link; no address: found by its beacon.
  bool xplaneUdp = false;
  std::string xplaneAddress;
  bool verbose = false;
  bool help = false;
  bool version = false;
};

inline constexpr const char* kSimhostUsage =
    "usage: simhost [options]\n"
    "  --at LAT,LON | --at IDENT   start position, or an airport looked up in --data\n"
    "  --data DIR                  folder with NAVapt.dat or fsxarp.dat (default: .)\n"
    "  --heading DEG               true heading (default 0)\n"
    "  --altitude FT               (default 3000)\n"
    "  --speed KT                  indicated airspeed (default 250)\n"
    "  --wind DIR/KT               wind from DIR degrees true (default 0/0)\n"
    "  --magvar DEG                magnetic variation, east positive (default 0)\n"
    "  --traffic N                 other aircraft around the user aircraft, 0 to 96 (default 0)\n"
    "  --seed N                    seed of the traffic (default 1)\n"
    "  --rate FACTOR               real-time factor (default 1)\n"
    "  --xplane                    answer as the X-Plane plug-in\n"
    "  --flightgear HOST:PORT      serve FlightGear through its property server (fgfs --telnet=PORT)\n"
    "                              instead of the stand-in's aircraft\n"
    "  --xplane-udp [HOST[:PORT]]  serve X-Plane through its own UDP link (port 49000 by default);\n"
    "                              without an address X-Plane is found by its beacon\n"
    "  --verbose                   log a line of aircraft state per second\n"
    "  --help, --version           this text, or the version\n";

// Parses argv (without the program name). False with `error` set on a bad option or value.
bool ParseSimhostOptions(std::span<char* const> args, SimhostOptions& options, std::string& error);

}  // namespace corvane::simhost
