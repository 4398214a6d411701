// corvane.exe: the navigation companion's native Windows window.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "corvane/plan/plan_files.h"
#include "corvane/shell/settings_file.h"
#include "corvane/shell/simulator_choice.h"
#include "corvane/shell/window_command_line.h"
#include "formats/program_folders.h"
#include "formats/program_version.h"
#include "main_window.h"
#include "platform/win32/console_output.h"
#include "platform/win32/dpi.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"

namespace {

using corvane::platform::win32::ReportToConsole;

void ReportError(const std::string& text) { corvane::platform::win32::ReportErrorToConsole(text, L"Corvane"); }

// The screenshot is taken from a timer's own procedure, so a modal loop (a start-up message) runs it too.
struct Screenshot {
  corvane::shell::win32::MainWindow* window = nullptr;
  std::filesystem::path path;
  int exitCode = 0;
};
Screenshot screenshot;

BOOL CALLBACK CloseMessageBox(HWND window, LPARAM) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (std::wstring_view(className) == L"#32770") PostMessageW(window, WM_CLOSE, 0, 0);
  return TRUE;
}

void CALLBACK TakeScreenshot(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (screenshot.window == nullptr) return;
  corvane::shell::win32::MainWindow& window = *screenshot.window;
  screenshot.window = nullptr;
  const std::string path = corvane::platform::win32::FromWide(screenshot.path.wstring());
  if (!window.SaveScreenshot(screenshot.path)) {
    ReportError("corvane: cannot write the screenshot " + path + "\n");
    screenshot.exitCode = 1;
  } else {
    ReportToConsole("screenshot: " + path + "\n");
  }
  // A message box still open (a start-up report, say) must not keep the program running.
  EnumThreadWindows(GetCurrentThreadId(), CloseMessageBox, 0);
  PostMessageW(window.window(), WM_CLOSE, 0, 0);
}

}  // namespace

int main() {
  const std::vector<std::string> utf8Arguments = corvane::platform::win32::ProgramArguments();
  if (utf8Arguments.size() == 1 && (utf8Arguments[0] == "--help" || utf8Arguments[0] == "-h")) {
    ReportToConsole(std::string(corvane::shell::kWindowUsage) + "       corvane --help | --version\n");
    return 0;
  }
  if (utf8Arguments.size() == 1 && utf8Arguments[0] == "--version") {
    ReportToConsole(corvane::formats::VersionLine("corvane"));
    return 0;
  }
  const auto commandLine = corvane::shell::ParseWindowCommandLine(utf8Arguments);
  if (!commandLine) {
    ReportError(corvane::shell::kWindowUsage);
    return 2;
  }
  // Sharp on a high-DPI screen: the window scales its layout itself, before any window is made.
  corvane::platform::win32::DeclareDpiAwareness();
  using corvane::platform::win32::ToWide;
  const std::filesystem::path programPath = corvane::platform::win32::ProgramFile();
  corvane::shell::win32::WindowOptions options;
  if (commandLine->settingsPath.empty()) {
    // Beside the program unless it cannot write there and has no settings file there: then
    // %APPDATA%\corvane, made at the first start.
    options.settingsPath = corvane::formats::ChooseSettingsFile(corvane::shell::SettingsPathFor(programPath),
                                                                corvane::formats::RunsInstalled(programPath),
                                                                corvane::formats::UserFoldersOfEnvironment());
    std::error_code noFolder;
    std::filesystem::create_directories(options.settingsPath.parent_path(), noFolder);
  } else {
    options.settingsPath = std::filesystem::path(ToWide(commandLine->settingsPath));
  }
  options.dataFolder = ToWide(commandLine->dataFolder);

  // The window reaches the simulator through the connection this program hands it.
  auto connection = corvane::shell::MakeSimulatorConnection(commandLine->simulator);
  if (!connection) {
    ReportError("corvane: unknown simulator '" + commandLine->simulator + "' (none, simhost or builtin)\n");
    return 2;
  }
  std::vector<std::string> flyPlanLines;
  if (!commandLine->flyPlanPath.empty()) {
    try {
      flyPlanLines = corvane::plan::LoadPlanFile(std::filesystem::path(ToWide(commandLine->flyPlanPath)));
    } catch (const std::exception& error) {
      ReportError(std::string("corvane: ") + error.what() + "\n");
      return 1;
    }
  }
  options.simulator = std::move(*connection);
  std::unique_ptr<corvane::shell::win32::MainWindow> window;
  try {
    window = std::make_unique<corvane::shell::win32::MainWindow>(options);
  } catch (const std::exception& error) {
    ReportError(std::string("corvane: ") + error.what() + "\n");
    return 1;
  }
  if (!commandLine->screenshotPath.empty()) {
    screenshot.window = window.get();
    screenshot.path = ToWide(commandLine->screenshotPath);
    SetTimer(nullptr, 0, static_cast<UINT>(commandLine->screenshotAfterSeconds * 1000), TakeScreenshot);
  }
  window->Start();
  if (!flyPlanLines.empty()) window->FlyPlan(flyPlanLines);
  // The airport view opens as from its panel's lower ">".
  if (!commandLine->airport.empty()) {
    window->form().edICAO.text = commandLine->airport;
    window->Call("btViewArClick");
  }
  corvane::platform::win32::RunMessageLoop();
  screenshot.window = nullptr;
  return screenshot.exitCode;
}
