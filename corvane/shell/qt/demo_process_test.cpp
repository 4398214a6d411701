// The quick start's headless path as a user runs it: scripts/demo starts the stand-in and the window
// under Xvfb, saves a screenshot and stops; the picture must show a window, not a blank image.
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int kSkipped = 77;

int Fail(const char* why) {
  std::fprintf(stderr, "demo process test: %s\n", why);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  const QString source = QStringLiteral(CORVANE_SOURCE_DIR);
  const QString binary = QStringLiteral(CORVANE_BINARY_DIR);
  if (!QFile::exists(source + "/data/demo/NAVapt.dat")) {
    std::fputs("demo process test: no data/demo, skipped\n", stderr);
    return kSkipped;
  }
  if (QProcess::execute("sh", {"-c", "command -v xvfb-run >/dev/null"}) != 0) {
    std::fputs("demo process test: xvfb-run is not installed, skipped\n", stderr);
    return kSkipped;
  }
  QTemporaryDir folder;
  const QString screenshot = folder.path() + "/demo.png";
  QProcess demo;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("CORVANE_BUILD_DIR", binary);
  environment.insert("CORVANE_DEMO_SCREENSHOT", screenshot);
  environment.insert("CORVANE_DEMO_AFTER", "4");
  environment.insert("XDG_RUNTIME_DIR", folder.path());
  environment.remove("DISPLAY");
  demo.setProcessEnvironment(environment);
  demo.setProcessChannelMode(QProcess::MergedChannels);
  demo.start(source + "/scripts/demo", {"--headless", "--no-build"});
  if (!demo.waitForFinished(90000)) {
    demo.kill();
    return Fail("scripts/demo did not finish within 90 s");
  }
  const QByteArray output = demo.readAll();
  std::fwrite(output.constData(), 1, static_cast<size_t>(output.size()), stdout);
  if (demo.exitStatus() != QProcess::NormalExit || demo.exitCode() != 0) return Fail("scripts/demo failed");
  if (!output.contains("simhost: client") || !output.contains("connected"))
    return Fail("corvane never reached simhost");
  if (!output.contains("simhost: stopped")) return Fail("the stand-in was not stopped");

  const QImage image(screenshot);
  if (image.isNull()) return Fail("no screenshot was written");
  if (image.width() < 600 || image.height() < 400) return Fail("the screenshot is too small for the window");
  // A blank picture has one or two colours; the window has buttons, text and a black map.
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); y += 3) {
    for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
  }
  if (colours.size() < 16) return Fail("the screenshot is blank");
  std::printf("screenshot %dx%d with %lld colours\n", image.width(), image.height(),
              static_cast<long long>(colours.size()));
  return 0;
}
