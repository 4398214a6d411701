// corvane: the navigation companion's window.
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTimer>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "corvane/plan/plan_files.h"
#include "corvane/shell/simulator_choice.h"
#include "corvane/shell/start_folders.h"
#include "corvane/shell/window_command_line.h"
#include "formats/program_version.h"
#include "main_window.h"
#include "map_render_png.h"

namespace {

// The window's options, and the picture drawn without a window.
std::string Usage() {
  return std::string(corvane::shell::kWindowUsage) +
         "       corvane --render OUT.png [--data DIR] [--center LAT,LON] [--range NM] [--mode arc|rose|map] ...\n"
         "       corvane --render OUT.png --airport ICAO [--sid NAME|--star NAME] [--zoom DEG] [--plan PLAN.nav] ...\n"
         "       corvane --help | --version\n";
}

}  // namespace

int main(int argc, char** argv) {
  // Answered before the application object, which would need a display.
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::fputs(Usage().c_str(), stdout);
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::fputs(corvane::formats::VersionLine("corvane").c_str(), stdout);
    return 0;
  }
  // "--render" draws one frame without a window, so it needs no display.
  const bool render = argc > 1 && std::strcmp(argv[1], "--render") == 0;
  if (render) setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  // Qt takes the numeric locale from the environment; every number in files and edits uses ".".
  std::setlocale(LC_NUMERIC, "C");
  if (render) return corvane::shell::qt::RunRenderCommand(std::vector<std::string>(argv + 2, argv + argc));
  QApplication::setApplicationName(QStringLiteral("Corvane"));

  std::vector<std::string> arguments;
  for (const QString& argument : QApplication::arguments().mid(1)) arguments.push_back(argument.toStdString());
  const auto commandLine = corvane::shell::ParseWindowCommandLine(arguments);
  if (!commandLine) {
    std::fputs(Usage().c_str(), stderr);
    return 2;
  }
  const std::filesystem::path program(QApplication::applicationFilePath().toStdString());
  std::error_code noFolder;
  const corvane::shell::StartFolders folders = corvane::shell::ChooseStartFolders(
      *commandLine, program, corvane::formats::RunsInstalled(program), corvane::formats::UserFoldersOfEnvironment(),
      std::filesystem::current_path(noFolder));
  // An installed corvane's folder in the user's configuration folder is made at its first start.
  if (commandLine->settingsPath.empty())
    std::filesystem::create_directories(folders.settingsFile.parent_path(), noFolder);
  corvane::shell::qt::WindowOptions options;
  options.settingsPath = folders.settingsFile;
  options.dataFolder = folders.dataFolder;

  // The window reaches the simulator through the connection this program hands it.
  auto connection = corvane::shell::MakeSimulatorConnection(commandLine->simulator);
  if (!connection) {
    std::fprintf(stderr, "corvane: unknown simulator '%s' (none, simhost or builtin)\n",
                 commandLine->simulator.c_str());
    return 2;
  }
  options.simulator = std::move(*connection);
  auto window = std::make_unique<corvane::shell::qt::MainWindow>(options);
  int exitCode = 0;
  if (!commandLine->screenshotPath.empty()) {
    QTimer::singleShot(static_cast<int>(commandLine->screenshotAfterSeconds * 1000), window.get(), [&] {
      if (!window->Screenshot().save(QString::fromStdString(commandLine->screenshotPath), "PNG")) {
        std::fprintf(stderr, "corvane: cannot write the screenshot %s\n", commandLine->screenshotPath.c_str());
        exitCode = 1;
      } else {
        std::printf("screenshot: %s\n", commandLine->screenshotPath.c_str());
        std::fflush(stdout);
      }
      // A message box still open (a start-up report, say) must not keep the program running, nor one that
      // the close itself shows (settings that cannot be written): that one is printed and closed.
      while (QWidget* modal = QApplication::activeModalWidget()) modal->close();
      auto* closer = new QTimer(&application);
      QObject::connect(closer, &QTimer::timeout, [] {
        while (QWidget* modal = QApplication::activeModalWidget()) {
          if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            std::fprintf(stderr, "corvane: %s\n", box->text().toUtf8().constData());
          }
          modal->close();
        }
      });
      closer->start(20);
      window->close();
      QApplication::quit();
    });
  }
  // The start sequence runs once the event loop turns, so its messages and captions can show.
  std::vector<std::string> flyPlanLines;
  if (!commandLine->flyPlanPath.empty()) {
    try {
      flyPlanLines = corvane::plan::LoadPlanFile(commandLine->flyPlanPath);
    } catch (const std::exception& error) {
      std::fprintf(stderr, "corvane: %s\n", error.what());
      return 1;
    }
  }
  window->form().SB1.text = folders.status;
  QTimer::singleShot(0, window.get(), [&] {
    window->Start();
    if (!flyPlanLines.empty()) window->FlyPlan(flyPlanLines);
    // The airport view opens as from its panel's lower ">".
    if (!commandLine->airport.empty()) {
      window->form().edICAO.text = commandLine->airport;
      window->Call("btViewArClick");
    }
  });
  const int result = application.exec();
  return exitCode != 0 ? exitCode : result;
}
