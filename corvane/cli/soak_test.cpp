// Hours of flight on virtual time: Amsterdam to Keflavik, then holding over Keflavik until the hours
// are up. The resident memory after the first minutes stays where it was, and no minute of flight costs
// more wall time at the end than at the start. Twelve hours take well under a second; CORVANE_SOAK_HOURS
// sets another length.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "corvane/plan/plan_files.h"
#include "corvane/shell/plan_engage.h"
#include "corvane/shell/simulator_choice.h"
#include "flying_form.h"
#include "testing/scratch_folder.h"

namespace corvane::shell {
namespace {

std::filesystem::path SourceDir() {
  const char* source = std::getenv("CORVANE_SOURCE_DIR");
  return source != nullptr ? source : ".";
}

// The process's resident memory in kB, from the system's own count; 0 where there is none.
long ResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string key;
  long value = 0;
  while (status >> key) {
    if (key == "VmRSS:" && status >> value) return value;
    status.ignore(1 << 10, '\n');
  }
  return 0;
}

// AddressSanitizer holds freed blocks back from reuse, so resident memory grows with every allocation
// there; the memory figure counts only without it (its own leak check covers that build).
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kFreedMemoryIsReused = false;
#else
constexpr bool kFreedMemoryIsReused = true;
#endif

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

TEST(Soak, APlanThenAHoldForHoursStaysFlatInMemoryAndTime) {
  const char* hoursText = std::getenv("CORVANE_SOAK_HOURS");
  const int hours = std::max(1, hoursText != nullptr ? std::atoi(hoursText) : 12);
  const std::vector<std::string> planLines = plan::LoadPlanFile(SourceDir() / "docs" / "eham-bikf.nav");
  standin::FlightModelOptions start;
  start.xplane = true;
  start.latitude = 52.3086;
  start.longitude = 4.7639;
  start.headingDegTrue = 20;
  start.altitudeFt = 1500;
  start.airspeedKt = 250;
  test_support::ScratchFolder folder;
  FlyingForm flying(folder / "corvane.INI", SourceDir() / "data" / "demo", MakeBuiltInSimulator(start));
  TForm1& form = flying.form();
  form.FormCreate();
  flying.Advance(3000);
  ASSERT_TRUE(EngagePlan(form, planLines, "33000"));

  constexpr std::uint64_t kMinuteMs = 60000;
  std::vector<double> wallMsPerMinute;
  std::vector<long> residentKb;  // at the end of each minute
  bool holding = false;
  for (int minute = 0; minute < hours * 60; ++minute) {
    const auto before = std::chrono::steady_clock::now();
    flying.Advance(kMinuteMs);
    wallMsPerMinute.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - before).count());
    residentKb.push_back(ResidentKb());
    if (!holding && !form.Timer4.Enabled()) {
      // The plan flown: hold over the arrival until the hours are up.
      form.HoldFix = {form.plan[form.plan.tail].lat, form.plan[form.plan.tail].lon, "BIKF"};
      form.edHldHdg.text = "190";
      form.edHldTm.text = "1";
      form.btHldOKClick();
      ASSERT_TRUE(form.Timer4.Enabled()) << "the hold starts at minute " << minute;
      holding = true;
    }
  }
  EXPECT_TRUE(holding) << "the plan was flown within " << hours << " hours";
  EXPECT_TRUE(form.Timer4.Enabled()) << "still holding at the end";

  const std::size_t last = residentKb.size() - 1;
  std::printf("soak: %d h of flight, resident %ld kB at 1 min, %ld kB at 10 min, %ld kB at 1 h, %ld kB at %d h\n",
              hours, residentKb[0], residentKb[9], residentKb[59], residentKb[last], hours);
  const std::vector<double> firstMinutes(wallMsPerMinute.begin() + 10, wallMsPerMinute.begin() + 40);
  const std::vector<double> lastMinutes(wallMsPerMinute.end() - 30, wallMsPerMinute.end());
  std::printf("soak: wall time per minute of flight, median %.2f ms at the start, %.2f ms at the end\n",
              Median(firstMinutes), Median(lastMinutes));
  // Flat: what the first minutes took (data, caches) is all; a leak of a few bytes a tick over
  // hours would pass 2 MB.
  if (kFreedMemoryIsReused && residentKb[0] > 0) {
    EXPECT_LT(residentKb[last] - residentKb[9], 2048);
  }
  // A shared machine makes single minutes slow; the medians of half an hour are steady. A tick slower by
  // the hour (a list growing with the flight) would double them.
  EXPECT_LT(Median(lastMinutes), 2 * Median(firstMinutes) + 1.0);
}

}  // namespace
}  // namespace corvane::shell
