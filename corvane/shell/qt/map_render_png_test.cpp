// "--render" on the real canvas: the pixels of a known airport label and of the aircraft symbol.
#include "map_render_png.h"
#include "qt_canvas.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdlib>
#include <fstream>

namespace corvane::shell::qt {

class MapRenderPngTest : public QObject {
  Q_OBJECT

 private:
  // Text is smoothed at its edges, so a pixel counts when it is close to the colour.
  static int CountPixels(const QImage& image, const QRect& area, QRgb colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) {
        const QRgb pixel = image.pixel(x, y);
        count += std::abs(qRed(pixel) - qRed(colour)) < 40 && std::abs(qGreen(pixel) - qGreen(colour)) < 40 &&
                 std::abs(qBlue(pixel) - qBlue(colour)) < 40;
      }
    }
    return count;
  }

 private Q_SLOTS:
  void airportLabelAndAircraftAreWhereTheyBelong() {
    QTemporaryDir folder;
    std::ofstream(folder.filePath("NAVapt.dat").toStdString(), std::ios::binary)
        << "EHAM  52.000000   5.500000   -11  Schiphol\r\n";
    RenderRequest request;
    request.dataFolder = folder.path().toStdString();
    request.centre = {52.0, 5.0};
    request.rangeNm = 40;
    request.widthPx = 200;
    request.heightPx = 150;
    request.layers.rangeRings = false;
    const RenderedFrame frame = RenderFrame(request);
    QCOMPARE(frame.picture.size(), QSize(200, 150));

    // "# EHAM " at (124, 85) in the airport colour (255, 128, 64) on its black box; nothing of it elsewhere.
    const QRgb airport = qRgb(255, 128, 64);
    QVERIFY(CountPixels(frame.picture, QRect(124, 85, 60, 16), airport) > 10);
    QCOMPARE(CountPixels(frame.picture, QRect(0, 0, 120, 150), airport), 0);
    // The aircraft at the centre (100, 75), north-up: white wings across, the fuselage along.
    QCOMPARE(frame.picture.pixel(90, 75) & 0xFFFFFF, 0xFFFFFFu);
    QCOMPARE(frame.picture.pixel(100, 85) & 0xFFFFFF, 0xFFFFFFu);
    QCOMPARE(frame.picture.pixel(5, 5) & 0xFFFFFF, 0u);
  }

  // Lines and labels that reach into the visible part are drawn; beyond it nothing is.
  void theCanvasDrawsOnlyTheVisiblePart() {
    QtCanvas canvas(100, 100);
    canvas.SetVisibleArea(50, 50);
    canvas.SetPenColor(0xFFFFFF);
    canvas.MoveTo(-30, 25);
    canvas.LineTo(40, 25);  // from outside into the view
    canvas.MoveTo(10, -20);
    canvas.LineTo(10, 80);  // across the view
    canvas.MoveTo(70, 10);
    canvas.LineTo(70, 40);  // beside it
    canvas.SetBrushColor(0x000000);
    map::Font font;
    font.color = 0x00FFFF;
    canvas.SetFont(font);
    canvas.TextOut(-12, 35, "WWWWWW");  // starts left of the view
    const QImage& image = canvas.image();
    QCOMPARE(image.pixel(20, 25) & 0xFFFFFF, 0xFFFFFFu);
    QCOMPARE(image.pixel(0, 25) & 0xFFFFFF, 0xFFFFFFu);
    QCOMPARE(image.pixel(10, 30) & 0xFFFFFF, 0xFFFFFFu);
    QCOMPARE(image.pixel(10, 60) & 0xFFFFFF, 0u);
    QCOMPARE(image.pixel(70, 20) & 0xFFFFFF, 0u);
    QVERIFY(CountPixels(image, QRect(0, 35, 20, 14), qRgb(255, 255, 0)) > 5);
  }

  // A label is kept as a picture once drawn: the same text in another colour or on another cell must not
  // come back in the first one's colours.
  void oneTextInSeveralColoursKeepsEachColour() {
    QtCanvas canvas(120, 60);
    map::Font font;
    canvas.SetBrushColor(0x000000);
    for (int round = 0; round < 2; ++round) {  // the second round draws from the kept pictures
      font.color = 0x0000FF;                   // red
      canvas.SetFont(font);
      canvas.TextOut(0, 0, "UL602");
      font.color = 0x00FF00;  // green
      canvas.SetFont(font);
      canvas.TextOut(60, 0, "UL602");
      canvas.SetBrushColor(0xFFFFFF);  // on a white cell
      canvas.TextOut(0, 30, "UL602");
      canvas.SetBrushColor(0x000000);
    }
    const QImage& image = canvas.image();
    QVERIFY(CountPixels(image, QRect(0, 0, 55, 16), qRgb(255, 0, 0)) > 10);
    QCOMPARE(CountPixels(image, QRect(0, 0, 55, 16), qRgb(0, 255, 0)), 0);
    QVERIFY(CountPixels(image, QRect(60, 0, 55, 16), qRgb(0, 255, 0)) > 10);
    QCOMPARE(CountPixels(image, QRect(60, 0, 55, 16), qRgb(255, 0, 0)), 0);
    QVERIFY(CountPixels(image, QRect(0, 30, 20, 10), qRgb(255, 255, 255)) > 20);
  }

  void theCommandWritesThePictureAndRefusesBadWords() {
    QTemporaryDir folder;
    const std::string out = folder.filePath("map.png").toStdString();
    QCOMPARE(RunRenderCommand({out, "--data", folder.path().toStdString(), "--size", "320x200", "--mode", "rose"}), 0);
    QImage written(QString::fromStdString(out));
    QCOMPARE(written.size(), QSize(320, 200));
    QCOMPARE(RunRenderCommand({out, "--mode", "sideways"}), 2);
    QCOMPARE(RunRenderCommand(
                 {folder.filePath("no/such/folder/map.png").toStdString(), "--data", folder.path().toStdString()}),
             1);
  }
};

}  // namespace corvane::shell::qt

QTEST_MAIN(corvane::shell::qt::MapRenderPngTest)
#include "map_render_png_test.moc"
