// The real compiler window under Wine's null graphics driver: a whole run through Start writes what the
// batch compiler writes, Stop ends a long run between two files, and closing mid-run stops it cleanly.
#include "tessel/win32/tessel_window.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "platform/win32/wide_text.h"
#include "tessel/packed_values.h"
#include "tessel/tessel_ini.h"
#include "tessel/tessel_run.h"
#include "tessel/testing/bgl_writer.h"
#include "tessel/testing/test_support.h"
#include "tessel/testing/window_scenery.h"

namespace tessel::win32 {
namespace {
namespace fs = std::filesystem;
using namespace tessel::testing;
using corvane::platform::win32::WindowTextOf;

BglBytes AirportWithTaxiways(const std::string& ident, const std::string& name, int points, double latitude) {
  return testing::AirportWithTaxiways(AirportAt(ident, latitude, 4.75), name, points, latitude);
}

// files scenery files in a few folders, each with airports, a VOR and an ILS; a name with "Keflav\xEDk".
void WriteTree(const fs::path& root, int files) {
  for (int i = 0; i < files; ++i) {
    const fs::path folder = root / ("scenery" + std::to_string(i % 4));
    fs::create_directories(folder);
    BglFileBuilder()
        .Section(kSectionAirport,
                 {{AirportWithTaxiways("E" + std::to_string(100 + i), "Keflav\xEDk", 40, 52.0 + i * 0.01),
                   AirportWithTaxiways("B" + std::to_string(100 + i), "Schiphol", 8, 40.0 - i * 0.01)}})
        .Section(kSectionVorIls, {{NavaidWithLocalizer(1, "V" + std::to_string(i % 90), "Spijkerboor"),
                                   NavaidWithLocalizer(kNavaidTypeIls, "I" + std::to_string(i % 90), "Runway 27")}})
        .WriteTo(folder / ("AP" + std::to_string(i) + ".BGL"));
  }
}

// Runs the window's messages until the condition holds or a minute went by.
bool PumpUntil(const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(2);
  }
  return true;
}

WindowScript ScriptFor(const ScratchFolder& scratch) {
  WindowScript script;
  script.outputFolder = (scratch / "out").string();
  script.places = {scratch / "out", std::nullopt};
  fs::create_directories(scratch / "out");
  return script;
}

void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }

TEST(TesselWin32Window, AWholeRunThroughStartWritesWhatTheBatchCompilerWrites) {
  ScratchFolder scratch;
  WriteTree(scratch / "root", 12);
  const std::string root = (scratch / "root").string() + static_cast<char>(fs::path::preferred_separator);
  fs::create_directories(scratch / "batch");
  RunOptions options;
  options.scanRoot = root;
  options.outputFolder = scratch / "batch";
  RunLists batchLists;
  RecordingObserver observer;
  ASSERT_TRUE(RunCompiler(options, batchLists, observer).outputWritten);

  TesselWindow window(ScriptFor(scratch));
  window.Show();
  SetWindowTextW(window.Control("txtPath"), corvane::platform::win32::ToWide(root).c_str());
  Click(window.Control("btStart"));
  EXPECT_FALSE(IsWindowEnabled(window.Control("btStart")));
  ASSERT_TRUE(PumpUntil([&] { return !window.Running(); }));
  EXPECT_TRUE(window.LastResult().outputWritten);
  EXPECT_EQ(window.LastResult().fileCount, 12u);
  EXPECT_EQ(WindowTextOf(window.window()), "TESSEL - FSX data to DAT file creator");
  EXPECT_EQ(WindowTextOf(window.Control("lbMess")), kStepReady);
  EXPECT_TRUE(IsWindowEnabled(window.Control("btStart")));
  std::size_t compared = 0;
  for (const auto& entry : fs::directory_iterator(scratch / "batch")) {
    if (entry.path().extension() != ".dat") continue;
    EXPECT_EQ(ReadWholeFile(scratch / "out" / entry.path().filename()), ReadWholeFile(entry.path()))
        << entry.path().filename();
    ++compared;
  }
  EXPECT_GE(compared, 8u);
  // Every list shows all its lines; the file list selects its last one.
  for (std::size_t tab = 0; tab < kTabCount; ++tab) {
    static const char* kNames[] = {"lstDirs", "lstFiles", "lstNDB", "lstVOR", "lstILS",
                                   "lstARP",  "lstRWY",   "lstHEL", "lstAPV"};
    EXPECT_EQ(static_cast<std::size_t>(SendMessageW(window.Control(kNames[tab]), LB_GETCOUNT, 0, 0)),
              batchLists.lines[tab].size())
        << kNames[tab];
  }
  EXPECT_EQ(SendMessageW(window.Control("lstFiles"), LB_GETCURSEL, 0, 0), 11);
  SendMessageW(window.window(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(fs::exists(scratch / "out" / kSettingsFileName));
}

TEST(TesselWin32Window, StopEndsALongRunBetweenTwoFilesAndTheWindowAnswersMeanwhile) {
  ScratchFolder scratch;
  WriteTree(scratch / "root", 1500);
  WindowScript script = ScriptFor(scratch);
  script.scanRoot = (scratch / "root").string();
  TesselWindow window(std::move(script));
  window.Show();  // the scan root starts the run
  ASSERT_TRUE(window.Running());
  // The first step the worker posts: the walk has begun.
  ASSERT_TRUE(PumpUntil([&] { return !WindowTextOf(window.Control("lbMess")).empty(); }));
  // The window answers while the worker scans.
  EXPECT_EQ(WindowTextOf(window.Control("btStart")), "Start");
  Click(window.Control("btStop"));
  ASSERT_TRUE(PumpUntil([&] { return !window.Running(); }));
  EXPECT_TRUE(window.LastResult().stopped);
  EXPECT_LT(window.LastResult().fileCount, 1500u);
  EXPECT_EQ(WindowTextOf(window.Control("lbMess")), kStepStopped);
  EXPECT_TRUE(IsWindowEnabled(window.Control("btStart")));
}

TEST(TesselWin32Window, ClosingMidRunStopsTheRunAndWritesTheSettings) {
  ScratchFolder scratch;
  WriteTree(scratch / "root", 1500);
  WindowScript script = ScriptFor(scratch);
  script.scanRoot = (scratch / "root").string();
  TesselWindow window(std::move(script));
  window.Show();
  ASSERT_TRUE(PumpUntil([&] { return !WindowTextOf(window.Control("lbMess")).empty(); }));
  SendMessageW(window.window(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(window.Closed());
  EXPECT_FALSE(window.Running());
  EXPECT_FALSE(IsWindow(window.window()));
  EXPECT_TRUE(window.LastResult().stopped);
  EXPECT_NE(ReadWholeFile(scratch / "out" / kSettingsFileName).find("root"), std::string::npos);
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
}

}  // namespace
}  // namespace tessel::win32
