// tessel-gui: the compiler's window. Options for unattended runs: --scan ROOT, --out DIR,
// --screenshot FILE.png (saved when the run ends), --progress-shot FILE.png, --quit.
#include <QApplication>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "formats/program_folders.h"
#include "formats/program_version.h"
#include "tessel/qt/tessel_window.h"

namespace {

constexpr const char* kUsage =
    "usage: tessel-gui [--scan ROOT] [--out DIR] [--screenshot FILE.png] [--progress-shot FILE.png] [--quit]\n"
    "       tessel-gui --help | --version\n";

}  // namespace

int main(int argc, char** argv) {
  // Answered before the application object, which would need a display.
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::fputs(corvane::formats::VersionLine("tessel-gui").c_str(), stdout);
    return 0;
  }
  QApplication application(argc, argv);
  // Numbers in files always use "."; the application object took the user's locale.
  std::setlocale(LC_NUMERIC, "C");

  tessel::WindowScript script;
  const std::filesystem::path program(QApplication::applicationFilePath().toStdString());
  script.places = tessel::ChooseTesselPlaces(corvane::formats::RunsInstalled(program),
                                             corvane::formats::UserFoldersOfEnvironment());
  // An installed tessel's own output folder is made at start, so that its first run can write there.
  std::error_code noFolder;
  if (script.places.settingsFile) std::filesystem::create_directories(script.places.outputFolder, noFolder);
  const QStringList arguments = QApplication::arguments();
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    if (argument == QLatin1String("--quit")) {
      script.quitAfterRun = true;
    } else if (hasValue && argument == QLatin1String("--scan")) {
      script.scanRoot = arguments[++i].toStdString();
    } else if (hasValue && argument == QLatin1String("--out")) {
      script.outputFolder = arguments[++i].toStdString();
    } else if (hasValue && argument == QLatin1String("--screenshot")) {
      script.screenshotPath = arguments[++i].toStdString();
    } else if (hasValue && argument == QLatin1String("--progress-shot")) {
      script.progressShotPath = arguments[++i].toStdString();
    } else {
      std::fputs(kUsage, stderr);
      return 2;
    }
  }
  tessel::TesselWindow window(std::move(script));
  window.show();
  return QApplication::exec();
}
