// The 14-read polling batch against a simhost already running, on the platform's own transport; prints
// the median and the 90th percentile of the round trips. Built on request (target link_round_trip), on
// Linux and for Windows alike, so that both figures come from the same program.
//   link_round_trip [BATCHES]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "corvane/simlink/aircraft_state.h"
#include "corvane/simlink/platform_transport.h"
#include "corvane/simlink/sim_link.h"

int main(int argc, char** argv) {
  using namespace corvane::simlink;
  using Clock = std::chrono::steady_clock;
  const int batches = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
  PlatformTransport transport;
  SimLink link(transport);
  SimLinkResult result;
  const auto deadline = Clock::now() + std::chrono::seconds(30);
  while (!link.Open(0, result)) {
    if (Clock::now() > deadline) {
      std::fprintf(stderr, "link_round_trip: no simulator, result %u\n", ResultCode(result));
      return 1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  AircraftState aircraft;
  for (int i = 0; i < 100; ++i) ReadAircraftState(link, aircraft);  // warm caches and the server's loop
  std::vector<double> microseconds;
  microseconds.reserve(static_cast<std::size_t>(batches));
  for (int i = 0; i < batches; ++i) {
    const auto start = Clock::now();
    if (!ReadAircraftState(link, aircraft)) {
      std::fprintf(stderr, "link_round_trip: batch %d failed\n", i);
      return 1;
    }
    microseconds.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  std::sort(microseconds.begin(), microseconds.end());
  std::printf("%d batches of 14 reads: median %.1f us, 90th percentile %.1f us\n", batches,
              microseconds[microseconds.size() / 2], microseconds[microseconds.size() * 9 / 10]);
  return 0;
}
