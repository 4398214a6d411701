// The real window under Wine's null graphics driver: its native controls show the model, their messages
// reach the handlers, a timer ticks and closing writes the settings.
#include "main_window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "corvane/shell/scripted_dialogs.h"
#include "corvane/shell/simulator_choice.h"
#include "platform/win32/wide_text.h"
#include "testing/scratch_folder.h"

namespace corvane::shell::win32 {
using platform::win32::WindowTextOf;
namespace {

WindowOptions OptionsIn(const test_support::ScratchFolder& folder, Dialogs& dialogs) {
  WindowOptions options;
  options.settingsPath = folder / "corvane.INI";
  options.dataFolder = folder.path();
  options.simulator = *MakeSimulatorConnection("none");
  options.dialogs = &dialogs;
  return options;
}

std::string FileText(const std::filesystem::path& path) {
  std::ifstream file(path);
  std::stringstream content;
  content << file.rdbuf();
  return content.str();
}

void DrainMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
}

TEST(Win32MainWindow, NativeControlsFollowTheModelAndReachTheHandlers) {
  test_support::ScratchFolder folder;
  std::vector<std::string> shown;
  ScriptedDialogs dialogs([&shown](const std::string& line) { shown.push_back(line); });
  const WindowOptions options = OptionsIn(folder, dialogs);
  {
    MainWindow window(options);
    window.Start();
    TForm1& form = window.form();
    const auto click = [&](const char* name) {
      HWND control = window.WindowFor(name);
      ASSERT_NE(control, nullptr) << name;
      SendMessageW(control, BM_CLICK, 0, 0);
    };
    const auto visible = [&](const char* name) { return IsWindowVisible(window.WindowFor(name)) != FALSE; };

    EXPECT_EQ(WindowTextOf(window.window()).rfind("Corvane V", 0), 0u) << WindowTextOf(window.window());
    EXPECT_EQ(WindowTextOf(window.WindowFor("btColor")), "CNF");
    // A colour swatch names what it colours in its tooltip.
    wchar_t tip[80] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = window.window();
    tool.uId = reinterpret_cast<UINT_PTR>(window.WindowFor("shARP"));
    tool.lpszText = tip;
    SendMessageW(window.ToolTips(), TTM_GETTEXTW, std::size(tip), reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(tip, L"Airports");
    EXPECT_TRUE(visible("PanAP"));
    EXPECT_FALSE(visible("PanCFG"));

    // A click through the button's own message opens the panel; the edits show what the handler set.
    click("btColor");
    EXPECT_TRUE(visible("PanCFG"));
    // The panel opened last lies over the autopilot settings that were open from the start.
    EXPECT_TRUE(visible("PanAPConf"));
    EXPECT_EQ(GetTopWindow(window.WindowFor("PB1")), window.WindowFor("PanCFG"));
    click("btCfgTmr");
    EXPECT_TRUE(visible("PanTMR"));
    EXPECT_EQ(WindowTextOf(window.WindowFor("edTmr1")), "300");

    // Typed text reaches the model; a bad number keeps the panel open and is reported.
    SetWindowTextW(window.WindowFor("edTmr2"), L"fast");
    EXPECT_EQ(form.edTmr2.text, "fast");
    shown.clear();
    click("btTmrOK");
    EXPECT_TRUE(visible("PanTMR"));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown.front().find("'fast'"), std::string::npos) << shown.front();

    // A check box shows the model's state and its click changes it.
    HWND climb = window.WindowFor("chClimb");
    EXPECT_EQ(SendMessageW(climb, BM_GETCHECK, 0, 0) == BST_CHECKED, form.chClimb.checked);
    const bool before = form.chClimb.checked;
    click("chClimb");
    EXPECT_EQ(form.chClimb.checked, !before);
    EXPECT_EQ(SendMessageW(climb, BM_GETCHECK, 0, 0) == BST_CHECKED, !before);

    // Key preview: Delete in the search box edits its text only; on the map it deletes the waypoint.
    form.plan[0] = {52.3f, 4.76f, "EHAM", "-11", plan::WaypointKind::kAirport};
    form.plan.tail = 1;
    SendMessageW(window.WindowFor("edSearch"), WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(form.plan.tail, 1);
    SendMessageW(window.WindowFor("PB1"), WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(form.plan.tail, 0);

    // The refresh timer's tick runs its handler: the map timer starts once the first pass is done.
    for (int tick = 0; tick < 300 && !form.Timer1.Enabled(); ++tick) SendMessageW(window.window(), WM_TIMER, 2, 0);
    EXPECT_TRUE(form.Timer1.Enabled());

    form.view.centre.latitude = 52.25;
    SendMessageW(window.window(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(window.Closed());
    EXPECT_FALSE(IsWindow(window.window()));
  }
  EXPECT_NE(FileText(folder / "corvane.INI").find("Ypos=52.25"), std::string::npos);
  DrainMessages();
}

// Moved to a monitor of 150 %, the window shows the same layout larger and sharp: the controls and fonts
// grow, the form keeps its 96-DPI sizes, a click lands where it did, and the settings keep the layout's size.
TEST(Win32MainWindow, AMoveToAHigherDpiScalesTheWindowButNotTheForm) {
  test_support::ScratchFolder folder;
  ScriptedDialogs dialogs([](const std::string&) {});
  const WindowOptions options = OptionsIn(folder, dialogs);
  {
    MainWindow window(options);
    window.Start();
    TForm1& form = window.form();
    const int dpi = window.Dpi();
    // Small enough to stay whole on the test's screen at 150 %: the system keeps a window within it.
    RECT small = {0, 0, MulDiv(500, dpi, 96), MulDiv(400, dpi, 96)};
    AdjustWindowRectEx(&small, WS_OVERLAPPEDWINDOW, FALSE, 0);
    SetWindowPos(window.window(), nullptr, 0, 0, small.right - small.left, small.bottom - small.top, SWP_NOZORDER);
    const int mapWidth = form.PB1.width;
    const int mapHeight = form.PB1.height;
    const auto fontHeight = [](HWND control) {
      LOGFONTW font{};
      GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
      return std::abs(font.lfHeight);
    };
    const int labelFont = fontHeight(window.WindowFor("edTmr1"));
    const int listFont = fontHeight(window.WindowFor("LB1"));

    const int higher = dpi * 3 / 2;
    RECT client{};
    GetClientRect(window.window(), &client);
    RECT suggested = {0, 0, MulDiv(client.right, higher, dpi), MulDiv(client.bottom, higher, dpi)};
    AdjustWindowRectEx(&suggested, WS_OVERLAPPEDWINDOW, FALSE, 0);
    SendMessageW(window.window(), WM_DPICHANGED, MAKEWPARAM(higher, higher), reinterpret_cast<LPARAM>(&suggested));
    ASSERT_EQ(window.Dpi(), higher);

    RECT button{};
    GetClientRect(window.WindowFor("btColor"), &button);
    EXPECT_EQ(button.right, MulDiv(form.btColor.width, higher, 96));
    EXPECT_EQ(button.bottom, MulDiv(form.btColor.height, higher, 96));
    EXPECT_NEAR(fontHeight(window.WindowFor("edTmr1")), labelFont * 3 / 2, 1);
    EXPECT_NEAR(fontHeight(window.WindowFor("LB1")), listFont * 3 / 2, 1);
    EXPECT_NEAR(form.PB1.width, mapWidth, 1);
    EXPECT_NEAR(form.PB1.height, mapHeight, 1);

    // A click in the north-up map recentres it on the point of the layout under the pointer.
    form.view.mode = map::MapMode::kMap;
    map::MapView expected = form.view;
    map::RecentreAt(expected, 100, 80);
    SendMessageW(window.WindowFor("PB1"), WM_LBUTTONUP, 0, MAKELPARAM(MulDiv(100, higher, 96), MulDiv(80, higher, 96)));
    EXPECT_NEAR(form.view.centre.latitude, expected.centre.latitude, 1e-9);
    EXPECT_NEAR(form.view.centre.longitude, expected.centre.longitude, 1e-9);
    SendMessageW(window.window(), WM_CLOSE, 0, 0);
  }
  // Read in text mode: the line ends are plain.
  EXPECT_NE(FileText(folder / "corvane.INI").find("\nWidth=500\n"), std::string::npos);
  DrainMessages();
}

}  // namespace
}  // namespace corvane::shell::win32
