// corvane.exe: the navigation companion's native Windows window.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "corvane/plan/plan_files.h"
#include "corvane/shell/settings_file.h"
#include "corvane/shell/simulator_choice.h"
#include "corvane/shell/window_command_line.h"
#include "formats/program_version.h"
#include "main_window.h"
#include "wide_text.h"
#include "windows_api.h"
// clang-format off
#include <shellapi.h>
// clang-format on

namespace {

// A window program has no console of its own: errors go to the one it was started from, or to a
// message box when there is none (started from the desktop).
void ReportError(const std::string& text) {
  HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  if ((error == nullptr || error == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS)) {
    error = GetStdHandle(STD_ERROR_HANDLE);
  }
  DWORD written = 0;
  if (error != nullptr && error != INVALID_HANDLE_VALUE &&
      WriteFile(error, text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) {
    return;
  }
  MessageBoxW(nullptr, corvane::shell::win32::ToWide(text).c_str(), L"Corvane", MB_OK | MB_ICONERROR);
}

void Report(const std::string& text) {
  HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  if ((output == nullptr || output == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS)) {
    output = GetStdHandle(STD_OUTPUT_HANDLE);
  }
  DWORD written = 0;
  if (output != nullptr && output != INVALID_HANDLE_VALUE) {
    WriteFile(output, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  }
}

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
  const std::string path = corvane::shell::win32::FromWide(screenshot.path.wstring());
  if (!window.SaveScreenshot(screenshot.path)) {
    ReportError("corvane: cannot write the screenshot " + path + "\n");
    screenshot.exitCode = 1;
  } else {
    Report("screenshot: " + path + "\n");
  }
  // A message box still open (a start-up report, say) must not keep the program running.
  EnumThreadWindows(GetCurrentThreadId(), CloseMessageBox, 0);
  PostMessageW(window.window(), WM_CLOSE, 0, 0);
}

}  // namespace

int main() {
  int argumentCount = 0;
  LPWSTR* wideArguments = CommandLineToArgvW(GetCommandLineW(), &argumentCount);
  std::vector<std::wstring> arguments(wideArguments, wideArguments + argumentCount);
  LocalFree(wideArguments);

  std::vector<std::string> utf8Arguments;
  for (size_t i = 1; i < arguments.size(); ++i) utf8Arguments.push_back(corvane::shell::win32::FromWide(arguments[i]));
  if (utf8Arguments.size() == 1 && (utf8Arguments[0] == "--help" || utf8Arguments[0] == "-h")) {
    Report(std::string(corvane::shell::kWindowUsage) + "       corvane --help | --version\n");
    return 0;
  }
  if (utf8Arguments.size() == 1 && utf8Arguments[0] == "--version") {
    Report(corvane::formats::VersionLine("corvane"));
    return 0;
  }
  const auto commandLine = corvane::shell::ParseWindowCommandLine(utf8Arguments);
  if (!commandLine) {
    ReportError(corvane::shell::kWindowUsage);
    return 2;
  }
  using corvane::shell::win32::ToWide;
  wchar_t programPath[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, programPath, MAX_PATH);
  corvane::shell::win32::WindowOptions options;
  options.settingsPath = commandLine->settingsPath.empty()
                             ? corvane::shell::SettingsPathFor(std::filesystem::path(programPath))
                             : std::filesystem::path(ToWide(commandLine->settingsPath));
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
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  screenshot.window = nullptr;
  return screenshot.exitCode;
}
