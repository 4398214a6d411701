// tessel-gui: the compiler's window. Options for unattended runs: --scan ROOT, --out DIR,
// --screenshot FILE.png (saved when the run ends), --progress-shot FILE.png, --quit.
#include <QApplication>

#include <clocale>
#include <cstdio>
#include <string>

#include "tessel/qt/tessel_window.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // Numbers in files always use "."; the application object took the user's locale.
  std::setlocale(LC_NUMERIC, "C");

  tessel::WindowScript script;
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
      std::fprintf(stderr,
                   "usage: tessel-gui [--scan ROOT] [--out DIR] [--screenshot FILE.png] "
                   "[--progress-shot FILE.png] [--quit]\n");
      return 2;
    }
  }
  tessel::TesselWindow window(std::move(script));
  window.show();
  return QApplication::exec();
}
