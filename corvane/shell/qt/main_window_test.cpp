// Smoke test of the real window on the offscreen platform: buttons, panels, captions and the map surface.
#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "corvane/airport/airport_view.h"
#include "corvane/shell/simulator_choice.h"
#include "corvane/shell/version.h"
#include "main_window.h"

namespace corvane::shell::qt {

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir folder_;
  QTimer dismisser_;
  QStringList dismissed_;  // the texts of the message boxes closed so far

  std::unique_ptr<MainWindow> NewWindow() {
    WindowOptions options;
    options.settingsPath = (folder_.path() + "/corvane.INI").toStdString();
    options.dataFolder = folder_.path().toStdString();
    options.simulator = *MakeSimulatorConnection("none");
    auto window = std::make_unique<MainWindow>(options);
    window->resize(1024, 768);
    window->Start();
    return window;
  }

  static void Click(MainWindow& window, const char* button) {
    auto* widget = qobject_cast<QPushButton*>(window.WidgetFor(button));
    QVERIFY2(widget != nullptr, button);
    QTest::mouseClick(widget, Qt::LeftButton);
  }

 private Q_SLOTS:
  // Message boxes are answered as a user would: read and closed; input boxes are cancelled.
  void initTestCase() {
    connect(&dismisser_, &QTimer::timeout, this, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        dismissed_ << box->text();
        box->close();
      } else if (auto* input = qobject_cast<QInputDialog*>(modal)) {
        input->reject();
      }
    });
    dismisser_.start(20);
  }

  void startsWithTheLayoutAndCaption() {
    auto window = NewWindow();
    QVERIFY(window->windowTitle().startsWith("Corvane V" + QString::fromStdString(std::string(ProgramFileVersion()))));
    QVERIFY(window->WidgetFor("PanDisplay")->isVisible());
    QVERIFY(window->WidgetFor("PanAP")->isVisible());
    QVERIFY(window->WidgetFor("PanAPConf")->isVisible());
    QVERIFY(!window->WidgetFor("PanCFG")->isVisible());
    QVERIFY(!window->WidgetFor("PanFP")->isVisible());
    QWidget* map = window->WidgetFor("PB1");
    QCOMPARE(window->WidgetFor("PanAP")->x(), map->width() - 53);
    QCOMPARE(window->WidgetFor("PanAP")->height(), map->height());
    QVERIFY(qobject_cast<QPushButton*>(window->WidgetFor("bbARP"))->font().bold());
  }

  void buttonsOpenTheirPanels() {
    auto window = NewWindow();
    Click(*window, "btColor");
    QVERIFY(window->WidgetFor("PanCFG")->isVisible());
    QWidget* map = window->WidgetFor("PB1");
    QCOMPARE(window->WidgetFor("PanCFG")->x(), map->width() / 2 - 400 / 2);
    Click(*window, "btCfgTmr");
    QVERIFY(window->WidgetFor("PanTMR")->isVisible());
    QCOMPARE(qobject_cast<QLineEdit*>(window->WidgetFor("edTmr1"))->text(), QString("300"));
    Click(*window, "btTmrOK");
    QVERIFY(!window->WidgetFor("PanTMR")->isVisible());
    Click(*window, "btColOK");
    QVERIFY(!window->WidgetFor("PanCFG")->isVisible());
    Click(*window, "btFP");
    QVERIFY(window->WidgetFor("PanFP")->isVisible());
    // The panel opened last lies over the autopilot settings that are open from the start.
    const QObjectList& stack = window->WidgetFor("PB1")->children();
    QVERIFY(stack.indexOf(window->WidgetFor("PanFP")) > stack.indexOf(window->WidgetFor("PanAPConf")));
    QVERIFY(!window->WidgetFor("btOK")->isEnabled());
    Click(*window, "btCancel");
    QVERIFY(!window->WidgetFor("PanFP")->isVisible());
    Click(*window, "btHide");
    QCOMPARE(qobject_cast<QPushButton*>(window->WidgetFor("btHide"))->text(), QString("Show"));
  }

  // Import asks for the route; cancelled, it imports the default route, whose departure the empty
  // data folder lacks.
  void importReachesItsHandlerThroughTheInputBox() {
    auto window = NewWindow();
    Click(*window, "btFP");
    dismissed_.clear();
    Click(*window, "btImp");
    QCOMPARE(dismissed_, QStringList{"Can not finish route!"});
    QVERIFY(!window->WidgetFor("btOK")->isEnabled());
  }

  void connectWithoutSimulatorSaysNotConnected() {
    auto window = NewWindow();
    Click(*window, "btCenter");
    QVERIFY(window->windowTitle().endsWith(" - NOT Connected"));
  }

  void aBadTimerFieldKeepsThePanelOpen() {
    auto window = NewWindow();
    Click(*window, "btColor");
    Click(*window, "btCfgTmr");
    const unsigned before = window->form().Timer2.Interval();
    auto* edit = qobject_cast<QLineEdit*>(window->WidgetFor("edTmr2"));
    edit->selectAll();
    QTest::keyClicks(edit, "fast");
    dismissed_.clear();
    Click(*window, "btTmrOK");
    QVERIFY(window->WidgetFor("PanTMR")->isVisible());
    QCOMPARE(dismissed_.size(), 1);
    QVERIFY2(dismissed_.front().contains("'fast'"), qPrintable(dismissed_.front()));
    QCOMPARE(window->form().Timer2.Interval(), before);
  }

  void deleteInTheSearchBoxEditsTheTextOnly() {
    auto window = NewWindow();
    plan::FlightPlan& plan = window->form().plan;
    plan[0] = {52.3f, 4.76f, "EHAM", "-11", plan::WaypointKind::kAirport};
    plan.tail = 1;
    auto* search = qobject_cast<QLineEdit*>(window->WidgetFor("edSearch"));
    search->setFocus();
    QTest::keyClick(search, Qt::Key_Delete);
    QCOMPARE(plan.tail, 1);
    QTest::keyClick(window->WidgetFor("PB1"), Qt::Key_Delete);
    QCOMPARE(plan.tail, 0);
  }

  void screenshotShowsTheCaptionAndTheMap() {
    auto window = NewWindow();
    const QImage image = window->Screenshot();
    QVERIFY(image.width() >= window->width());
    QVERIFY(image.height() > window->height());
  }

  // After the first refresh cycle the map timer runs and the picture reaches the paint box, in every mode.
  void theMapAppearsAfterTheFirstRefreshInEveryMode() {
    const QString demo =
        qEnvironmentVariable("CORVANE_SOURCE_DIR", QString::fromUtf8(CORVANE_SOURCE_DIR)) + "/data/demo";
    if (!QFile::exists(demo + "/NAVapt.dat")) QSKIP("no demo data");
    WindowOptions options;
    options.settingsPath = (folder_.path() + "/map.INI").toStdString();
    options.dataFolder = demo.toStdString();
    options.simulator = *MakeSimulatorConnection("builtin");
    MainWindow window(options);
    window.resize(1024, 768);
    window.Start();
    for (int tick = 0; tick < 300 && !window.form().Timer1.Enabled(); ++tick) window.Call("Timer2Timer");
    QVERIFY(window.form().Timer1.Enabled());
    QVERIFY(!window.windowTitle().endsWith(" - Initializing display"));

    // The paint box's own picture, without the panels that lie over it.
    const auto& paintBox = dynamic_cast<const QtCanvas&>(window.form().paintBoxCanvas());
    const auto litPixels = [&] {
      window.Call("Timer1Timer");
      const QImage& picture = paintBox.image();
      int lit = 0;
      for (int y = 0; y < picture.height(); y += 2) {
        for (int x = 0; x < picture.width(); x += 2) lit += (picture.pixel(x, y) & 0xFFFFFF) != 0;
      }
      return lit;
    };
    QVERIFY(litPixels() > 500);  // north-up: coastlines, airports, rings
    Click(window, "bbMAP");
    QCOMPARE(window.form().view.mode, map::MapMode::kArc);
    QVERIFY(litPixels() > 500);
    Click(window, "bbMAP");
    QCOMPARE(window.form().view.mode, map::MapMode::kRose);
    QVERIFY(litPixels() > 500);
  }

  // The airport view as a pilot takes it on the demo data: the Amsterdam to Keflavik plan, ARP Info
  // on Keflavik, a STAR, the Schiphol view, a SID after the departure, a right click on the
  // Polderbaan's runway label that tunes its ILS, and BACK to the map.
  void airportViewFromArpInfoToBack() {
    const QString source = qEnvironmentVariable("CORVANE_SOURCE_DIR", QString::fromUtf8(CORVANE_SOURCE_DIR));
    if (!QFile::exists(source + "/data/demo/corvanxX_apt.dat")) QSKIP("no demo data");
    WindowOptions options;
    options.settingsPath = (folder_.path() + "/airport.INI").toStdString();
    options.dataFolder = (source + "/data/demo").toStdString();
    options.simulator = *MakeSimulatorConnection("builtin");
    MainWindow window(options);
    window.resize(1024, 768);
    window.Start();
    for (int tick = 0; tick < 300 && !window.form().Timer1.Enabled(); ++tick) window.Call("Timer2Timer");
    TForm1& form = window.form();
    Click(window, "btApSetOK");  // the autopilot settings, shown at start, would cover the diagram

    // The plan file's text in the plan panel, as LOAD puts it there (without its file dialog).
    Click(window, "btFP");
    QFile planFile(source + "/docs/eham-bikf.nav");
    QVERIFY(planFile.open(QIODevice::ReadOnly | QIODevice::Text));
    qobject_cast<QPlainTextEdit*>(window.WidgetFor("Memo1"))->setPlainText(QString::fromUtf8(planFile.readAll()));
    window.Call("btOKClick");  // the button itself is enabled by LOAD only
    QCOMPARE(form.plan.tail, 6);

    Click(window, "btArpInfo");
    QVERIFY(form.Timer3.Enabled());
    QCOMPARE(form.edICAO.text, std::string("BIKF"));
    Click(window, "btSTR");
    Click(window, "btSdNt");
    Click(window, "btSdEt");
    QCOMPARE(form.plan.tail, 10);  // GAKT1L's four points before the arrival
    QCOMPARE(form.plan[6].info, std::string("GAKT1L"));
    QCOMPARE(form.plan[10].ident.substr(0, 4), std::string("BIKF"));

    Click(window, "btViewDp");
    QVERIFY(form.plan.insertMode);
    Click(window, "btSID");
    Click(window, "btSdEt");
    QCOMPARE(form.plan.tail, 15);  // ANDI1S's five points right after the departure
    QCOMPARE(form.plan[1].info, std::string("ANDI1S"));
    QCOMPARE(form.plan[5].info, std::string("ANDI1S"));
    QVERIFY(form.plan[6].info != "ANDI1S");

    // Zoomed back in to the diagram, a right click on the text at the Polderbaan's northern threshold.
    form.AirportViewZoom = airport::kAirportViewStartZoom;
    window.Call("Timer3Timer");
    Click(window, "bbLNAV");
    QVERIFY(form.autopilot.AutopilotMode != 0);
    for (const airport::LayoutItem& item : form.airportLayout.items) {
      if (item.kind != airport::kLabelKind || item.label != "110.10 183") continue;
      const auto geometry =
          airport::MakeAirportViewGeometry(form.airportCentre, form.AirportViewZoom, form.PB1.width, form.PB1.height);
      const map::ScreenPoint p = airport::ProjectToAirportView(geometry, item.latitude, item.longitude);
      QTest::mouseClick(window.WidgetFor("PB1"), Qt::RightButton, {}, QPoint(p.x + 20, p.y + 6));
    }
    QCOMPARE(form.SB1.text, std::string("ILS Radio freq and course Set"));

    Click(window, "btClArp");
    QVERIFY(!form.Timer3.Enabled());
    QVERIFY(form.Timer1.Enabled());
    QVERIFY(!window.WidgetFor("PanAPV")->isVisible());
  }

  void closeWritesTheSettingsWithPointDecimals() {
    {
      auto window = NewWindow();
      window->form().view.centre.latitude = 52.25;
      window->close();
    }
    QFile file(folder_.path() + "/corvane.INI");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    QVERIFY(content.contains("Ypos=52.25"));
    QVERIFY(content.contains("[Timer]"));
  }
};

}  // namespace corvane::shell::qt

QTEST_MAIN(corvane::shell::qt::MainWindowTest)
#include "main_window_test.moc"
