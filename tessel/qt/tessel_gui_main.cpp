// tessel-gui: the compiler's window. Options for unattended runs: --scan ROOT, --out DIR,
// --screenshot FILE.png (saved when the run ends), --progress-shot FILE.png, --quit.
#include <QApplication>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "formats/program_folders.h"
#include "formats/program_version.h"
#include "tessel/qt/tessel_window.h"
#include "tessel/window_script.h"

int main(int argc, char** argv) {
  // Answered before the application object, which would need a display.
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::fputs(tessel::kWindowUsage, stdout);
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::fputs(corvane::formats::VersionLine("tessel-gui").c_str(), stdout);
    return 0;
  }
  QApplication application(argc, argv);
  // Numbers in files always use "."; the application object took the user's locale.
  std::setlocale(LC_NUMERIC, "C");

  std::vector<std::string> arguments;
  for (const QString& argument : QApplication::arguments().mid(1)) arguments.push_back(argument.toStdString());
  std::optional<tessel::WindowScript> script = tessel::ParseWindowScript(arguments);
  if (!script) {
    std::fputs(tessel::kWindowUsage, stderr);
    return 2;
  }
  const std::filesystem::path program(QApplication::applicationFilePath().toStdString());
  script->places = tessel::ChooseTesselPlaces(corvane::formats::RunsInstalled(program),
                                              corvane::formats::UserFoldersOfEnvironment());
  // An installed tessel's own output folder is made at start, so that its first run can write there.
  std::error_code noFolder;
  if (script->places.settingsFile) std::filesystem::create_directories(script->places.outputFolder, noFolder);
  tessel::TesselWindow window(std::move(*script));
  window.show();
  return QApplication::exec();
}
