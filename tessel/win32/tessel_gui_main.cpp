// tessel-gui.exe: the scenery compiler's native Windows window, with the options of tessel-gui.
#include <exception>
#include <filesystem>
#include <string>
#include <system_error>

#include "formats/program_folders.h"
#include "formats/program_version.h"
#include "platform/win32/console_output.h"
#include "platform/win32/dpi.h"
#include "platform/win32/message_loop.h"
#include "tessel/win32/tessel_window.h"
#include "tessel/window_script.h"

int main() {
  using namespace corvane::platform::win32;
  const std::vector<std::string> arguments = ProgramArguments();
  if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
    ReportToConsole(tessel::kWindowUsage);
    return 0;
  }
  if (arguments.size() == 1 && arguments[0] == "--version") {
    ReportToConsole(corvane::formats::VersionLine("tessel-gui"));
    return 0;
  }
  std::optional<tessel::WindowScript> script = tessel::ParseWindowScript(arguments);
  if (!script) {
    ReportErrorToConsole(tessel::kWindowUsage, L"TESSEL");
    return 2;
  }
  DeclareDpiAwareness();
  const std::filesystem::path program = ProgramFile();
  // TESSEL.INI and the DAT files beside the program, or in %APPDATA% and %LOCALAPPDATA% where it
  // cannot write; that output folder is made at start, so that the first run can write there.
  script->places = tessel::ChooseTesselPlaces(corvane::formats::RunsInstalled(program),
                                              corvane::formats::UserFoldersOfEnvironment(), program.parent_path());
  std::error_code noFolder;
  if (script->places.settingsFile) std::filesystem::create_directories(script->places.outputFolder, noFolder);
  try {
    tessel::win32::TesselWindow window(std::move(*script));
    window.Show();
    return RunMessageLoop();
  } catch (const std::exception& error) {
    ReportErrorToConsole(std::string("tessel-gui: ") + error.what() + "\n", L"TESSEL");
    return 1;
  }
}
