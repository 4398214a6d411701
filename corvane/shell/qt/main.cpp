// corvane: the navigation companion's window.
#include <QApplication>
#include <QDir>
#include <QTimer>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "corvane/plan/plan_files.h"
#include "corvane/shell/settings_file.h"
#include "corvane/shell/simulator_choice.h"
#include "main_window.h"
#include "map_render_png.h"

namespace {

constexpr const char* kUsage =
    "usage: corvane [--data DIR] [--ini FILE] [--sim none|simhost|builtin] [--fly PLAN.nav] [--airport ICAO]\n"
    "               [--screenshot FILE --after SECONDS]\n"
    "       corvane --render OUT.png [--data DIR] [--center LAT,LON] [--range NM] [--mode arc|rose|map] ...\n"
    "       corvane --render OUT.png --airport ICAO [--sid NAME|--star NAME] [--zoom DEG] [--plan PLAN.nav] ...\n";

}  // namespace

int main(int argc, char** argv) {
  // "--render" draws one frame without a window, so it needs no display.
  const bool render = argc > 1 && std::strcmp(argv[1], "--render") == 0;
  if (render) setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  // Qt takes the numeric locale from the environment; every number in files and edits uses ".".
  std::setlocale(LC_NUMERIC, "C");
  if (render) return corvane::shell::qt::RunRenderCommand(std::vector<std::string>(argv + 2, argv + argc));
  QApplication::setApplicationName(QStringLiteral("Corvane"));

  corvane::shell::qt::WindowOptions options;
  options.settingsPath =
      corvane::shell::SettingsPathFor(std::filesystem::path(QApplication::applicationFilePath().toStdString()));
  std::string simulator = "simhost";
  std::string screenshotPath;
  std::string flyPlanPath;
  std::string airport;
  double screenshotAfterSeconds = 3.0;
  const QStringList arguments = QApplication::arguments();
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString argument = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    if (argument == "--data" && hasValue) {
      options.dataFolder = arguments[++i].toStdString();
    } else if (argument == "--ini" && hasValue) {
      options.settingsPath = arguments[++i].toStdString();
    } else if (argument == "--sim" && hasValue) {
      simulator = arguments[++i].toStdString();
    } else if (argument == "--fly" && hasValue) {
      flyPlanPath = arguments[++i].toStdString();
    } else if (argument == "--airport" && hasValue) {
      airport = arguments[++i].toStdString();
    } else if (argument == "--screenshot" && hasValue) {
      screenshotPath = arguments[++i].toStdString();
    } else if (argument == "--after" && hasValue) {
      bool valid = false;
      screenshotAfterSeconds = arguments[++i].toDouble(&valid);
      if (!valid || screenshotAfterSeconds < 0) {
        std::fputs(kUsage, stderr);
        return 2;
      }
    } else {
      std::fputs(kUsage, stderr);
      return 2;
    }
  }

  // The window reaches the simulator through the connection this program hands it.
  auto connection = corvane::shell::MakeSimulatorConnection(simulator);
  if (!connection) {
    std::fprintf(stderr, "corvane: unknown simulator '%s' (none, simhost or builtin)\n", simulator.c_str());
    return 2;
  }
  options.simulator = std::move(*connection);
  auto window = std::make_unique<corvane::shell::qt::MainWindow>(options);
  int exitCode = 0;
  if (!screenshotPath.empty()) {
    QTimer::singleShot(static_cast<int>(screenshotAfterSeconds * 1000), window.get(), [&] {
      if (!window->Screenshot().save(QString::fromStdString(screenshotPath), "PNG")) {
        std::fprintf(stderr, "corvane: cannot write the screenshot %s\n", screenshotPath.c_str());
        exitCode = 1;
      } else {
        std::printf("screenshot: %s\n", screenshotPath.c_str());
        std::fflush(stdout);
      }
      // A message box still open (a start-up report, say) must not keep the program running.
      while (QWidget* modal = QApplication::activeModalWidget()) modal->close();
      window->close();
      QApplication::quit();
    });
  }
  // The start sequence runs once the event loop turns, so its messages and captions can show.
  std::vector<std::string> flyPlanLines;
  if (!flyPlanPath.empty()) {
    try {
      flyPlanLines = corvane::plan::LoadPlanFile(flyPlanPath);
    } catch (const std::exception& error) {
      std::fprintf(stderr, "corvane: %s\n", error.what());
      return 1;
    }
  }
  QTimer::singleShot(0, window.get(), [&] {
    window->Start();
    if (!flyPlanLines.empty()) window->FlyPlan(flyPlanLines);
    // The airport view opens as from its panel's lower ">".
    if (!airport.empty()) {
      window->form().edICAO.text = airport;
      window->Call("btViewArClick");
    }
  });
  const int result = application.exec();
  return exitCode != 0 ? exitCode : result;
}
