// The real compiler window on the offscreen platform: its controls, a whole run through Start, and
// a run ended by Stop, with the progress the window shows meanwhile.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tessel/packed_values.h"
#include "tessel/qt/tessel_window.h"
#include "tessel/testing/bgl_writer.h"
#include "tessel/testing/test_support.h"
#include "tessel/testing/window_scenery.h"

namespace tessel {
namespace fs = std::filesystem;
using namespace tessel::testing;

namespace {

// One airport at 22.5 N 7.5 E, its surfaces near Schiphol.
BglBytes AirportWithTaxiways(const std::string& ident, const std::string& name, int points) {
  return testing::AirportWithTaxiways(AirportAt(ident, 22.5, 7.5), name, points, 52.3);
}

}  // namespace

class TesselWindowTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir folder_;

  fs::path Root() const { return fs::path(folder_.path().toStdString()) / "scenery"; }
  fs::path Out() const { return fs::path(folder_.path().toStdString()) / "out"; }

  std::unique_ptr<TesselWindow> NewWindow() {
    WindowScript script;
    script.outputFolder = Out().string();
    auto window = std::make_unique<TesselWindow>(script);
    window->resize(900, 620);
    window->show();
    return window;
  }

  template <typename Widget>
  static Widget* Control(TesselWindow& window, const char* name) {
    auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
    if (widget == nullptr) qFatal("no control %s", name);
    return widget;
  }

  static int Rows(TesselWindow& window, const char* list) {
    return Control<QListView>(window, list)->model()->rowCount();
  }

  static void Start(TesselWindow& window, const fs::path& root) {
    Control<QLineEdit>(window, "txtPath")->setText(QString::fromStdString(root.string()));
    QTest::mouseClick(Control<QPushButton>(window, "btStart"), Qt::LeftButton);
  }

  static bool Idle(TesselWindow& window) { return Control<QPushButton>(window, "btStart")->isEnabled(); }

 private Q_SLOTS:
  void init() {
    fs::remove_all(Root());
    fs::remove_all(Out());
    fs::create_directories(Root() / "sub");
    fs::create_directories(Out());
  }

  void showsTheCaptionAndEveryControl() {
    auto window = NewWindow();
    QCOMPARE(window->windowTitle(), QStringLiteral("TESSEL - FSX data to DAT file creator"));
    const std::pair<const char*, const char*> boxes[] = {
        {"chARP", "Airports"}, {"chRWY", "Runways"}, {"chVOR", "VORs"},        {"chNDB", "NDBs"},
        {"chHEL", "Heliport"}, {"chILS", "ILSs"},    {"chAPV", "Airport View"}};
    for (const auto& [name, caption] : boxes) {
      auto* box = Control<QCheckBox>(*window, name);
      QCOMPARE(box->text(), QString::fromLatin1(caption));
      QVERIFY2(box->isVisible() && box->isEnabled(), name);
    }
    QCOMPARE(window->findChildren<QCheckBox*>().size(), 7);
    QCOMPARE(Control<QPushButton>(*window, "btDir")->text(), QStringLiteral(">"));
    QCOMPARE(Control<QPushButton>(*window, "btStart")->text(), QStringLiteral("Start"));
    QVERIFY(!Control<QPushButton>(*window, "btStop")->isEnabled());
    QVERIFY(Control<QProgressBar>(*window, "PB1")->isVisible());
    auto* tabs = Control<QTabWidget>(*window, "SSTab1");
    const QStringList captions = {"Directories", "Files", "NDB", "VOR", "ILS", "ARP", "RWY", "HEL", "ARPView"};
    for (int i = 0; i < captions.size(); ++i) QCOMPARE(tabs->tabText(i), captions[i]);
    for (const char* list :
         {"lstDirs", "lstFiles", "lstNDB", "lstVOR", "lstILS", "lstARP", "lstRWY", "lstHEL", "lstAPV"}) {
      QCOMPARE(Rows(*window, list), 0);
    }
  }

  // A whole run: the lists show what the files hold, numbers are written with "." although the
  // user's locale writes ",", and closing the window keeps the settings.
  void runsAScanThroughStartAndFillsListsAndFiles() {
    BglFileBuilder().Section(kSectionAirport, {{AirportWithTaxiways("EHAM", "Schiphol", 5)}}).WriteTo(Root() / "a.bgl");
    BglFileBuilder()
        .Section(kSectionAirport, {{AirportWithTaxiways("EHRD", "Rotterdam", 3)}})
        .Section(kSectionVorIls,
                 {{NavaidWithLocalizer(kNavaidTypeIls, "IRD", "ILS 06"), NavaidWithLocalizer(2, "SPL", "SPIJKERBOOR")}})
        .WriteTo(Root() / "sub" / "b.BGL");
    auto window = NewWindow();
    Start(*window, Root());
    QTRY_VERIFY_WITH_TIMEOUT(Idle(*window), 30000);

    QCOMPARE(Control<QLabel>(*window, "lbMess")->text(), QStringLiteral("Ready"));
    QCOMPARE(Rows(*window, "lstDirs"), 1);
    QCOMPARE(Rows(*window, "lstFiles"), 2);
    QCOMPARE(Rows(*window, "lstARP"), 2);
    QCOMPARE(Rows(*window, "lstRWY"), 4);
    QCOMPARE(Rows(*window, "lstHEL"), 2);
    QCOMPARE(Rows(*window, "lstILS"), 1);
    QCOMPARE(Rows(*window, "lstVOR"), 1);
    QCOMPARE(Rows(*window, "lstNDB"), 0);
    // Two headers, two runway labels, two pads and one line per taxi path (4 + 2).
    QCOMPARE(Rows(*window, "lstAPV"), 12);
    auto* progress = Control<QProgressBar>(*window, "PB1");
    QCOMPARE(progress->value(), progress->maximum());

    const std::vector<std::string> airports = ReadCrLfLines(Out() / "FSXARP.dat");
    QCOMPARE(airports.size(), std::size_t{2});
    auto* arp = Control<QListView>(*window, "lstARP");
    QCOMPARE(arp->model()->index(0, 0).data().toString().toStdString(), airports[0]);
    QVERIFY2(airports[0].starts_with("EHAM  22.500000   7.500000"), airports[0].c_str());
    QVERIFY(fs::exists(Out() / "corvanfs_apt.dat"));
    QCOMPARE(ReadCrLfLines(Out() / "FSXILS.dat").size(), std::size_t{1});

    window->close();
    QVERIFY(fs::exists(Out() / "TESSEL.INI"));
  }

  // A longer run: the window keeps taking events and shows the file scan's progress while the
  // scan goes on; Stop ends it between two files, and a second Start runs from empty lists.
  void showsProgressWhileScanningAndStopsBetweenFiles() {
    std::vector<BglBytes> airports;
    for (int i = 0; i < 8; ++i)
      airports.push_back(AirportWithTaxiways("EH" + std::string(2, static_cast<char>('A' + i)), "Field", 250));
    const std::vector<std::byte> bytes = BglFileBuilder().Section(kSectionAirport, {airports}).Build();
    constexpr int kFiles = 600;
    for (int i = 0; i < kFiles; ++i) {
      const fs::path folder = Root() / ("f" + std::to_string(i % 6));
      fs::create_directories(folder);
      WriteBytes(folder / ("AP" + std::to_string(i) + ".BGL"), bytes);
    }
    auto window = NewWindow();
    auto* progress = Control<QProgressBar>(*window, "PB1");
    auto* message = Control<QLabel>(*window, "lbMess");
    auto* stop = Control<QPushButton>(*window, "btStop");
    // Stop is clicked from the first progress signal of the file scan. Whether the scan still has
    // files to go when it sees the stop depends on the machine (the stop between two files is the
    // compiler's own test); either way the run ends "Stopped", before the sorted files.
    bool scanProgressShown = false;
    connect(progress, &QProgressBar::valueChanged, this, [&](int value) {
      if (!scanProgressShown && message->text() == QLatin1String("Scanning files") && !Idle(*window) &&
          stop->isEnabled() && value < progress->maximum()) {
        scanProgressShown = true;
        QTest::mouseClick(stop, Qt::LeftButton);
      }
    });

    Start(*window, Root());
    QTRY_VERIFY_WITH_TIMEOUT(scanProgressShown, 30000);
    QTRY_VERIFY_WITH_TIMEOUT(Idle(*window), 30000);
    QCOMPARE(message->text(), QStringLiteral("Stopped"));
    QCOMPARE(Rows(*window, "lstFiles"), kFiles);
    // The sorted files wait for a whole scan; the scan-order files hold whole lines.
    QVERIFY(!fs::exists(Out() / "FSXARP.dat"));
    const std::string runways = ReadWholeFile(Out() / "FSXRWY.dat");
    QVERIFY(runways.ends_with("\r\n"));
    const std::size_t runwayLines = ReadCrLfLines(Out() / "FSXRWY.dat").size();
    QVERIFY(runwayLines > 0 && runwayLines <= std::size_t{kFiles} * 8 * 2);

    Start(*window, Root());
    QTRY_VERIFY_WITH_TIMEOUT(Idle(*window), 120000);
    QCOMPARE(message->text(), QStringLiteral("Ready"));
    QCOMPARE(Rows(*window, "lstFiles"), kFiles);
    QCOMPARE(Rows(*window, "lstRWY"), kFiles * 8 * 2);
    QCOMPARE(ReadCrLfLines(Out() / "FSXARP.dat").size(), std::size_t{8});  // identical rows once
    // The file line names the last file scanned, though most names were thinned out on the way.
    const QAbstractItemModel* files = Control<QListView>(*window, "lstFiles")->model();
    QCOMPARE(Control<QLabel>(*window, "lbFile")->text(), files->index(kFiles - 1, 0).data().toString());

    // A window that goes away during a run stops the scan and lets its thread go (the leak check sees it).
    Start(*window, Root());
    QVERIFY(!Idle(*window));
    window.reset();
  }
};

}  // namespace tessel

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  tessel::TesselWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "tessel_window_test.moc"
