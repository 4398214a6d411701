// GdiCanvas read back from its DIB: the primitives' edges as the map painters rely on them.
#include "gdi_canvas.h"

#include <gtest/gtest.h>

#include "platform/win32/wide_text.h"

namespace corvane::shell::win32 {
using platform::win32::Latin1ToWide;
namespace {

constexpr map::Color kRed = 0x0000FF;
constexpr map::Color kGreen = 0x00FF00;
constexpr map::Color kBlue = 0xFF0000;

struct PixelCase {
  const char* what;
  int x, y;  // in the picture's own pixels
  map::Color expected;
};

// What both DPIs draw on a 100 x 80 canvas: a line, one coming in from outside, a filled rectangle, one in
// a system colour, and a red square copied two to one onto the right from a canvas of the same DPI.
void DrawPrimitives(GdiCanvas& canvas) {
  canvas.SetPenColor(kRed);
  canvas.MoveTo(10, 10);
  canvas.LineTo(20, 10);
  canvas.MoveTo(-50, 60);
  canvas.LineTo(5, 60);
  canvas.SetPenColor(kGreen);
  canvas.SetBrushColor(kBlue);
  canvas.Rectangle(30, 30, 40, 40);
  canvas.SetPenColor(0x80000000u | COLOR_WINDOW);
  canvas.SetBrushColor(0x80000000u | COLOR_WINDOW);
  canvas.Rectangle(50, 50, 54, 54);
  GdiCanvas source(10, 10, canvas.Dpi());
  source.SetPenColor(kRed);
  source.SetBrushColor(kRed);
  source.Rectangle(0, 0, 10, 10);
  canvas.CopyRect({80, 0, 100, 20}, source, {0, 0, 10, 10});
}

TEST(GdiCanvas, PrimitivesKeepTheirExclusiveEdges) {
  GdiCanvas canvas(100, 80);
  DrawPrimitives(canvas);
  const PixelCase cases[] = {
      {"line start", 10, 10, kRed},
      {"line before its end", 19, 10, kRed},
      {"line end left unpainted", 20, 10, map::kBlack},
      {"line coming in from outside", 4, 60, kRed},
      {"rectangle outline at left top", 30, 30, kGreen},
      {"rectangle outline at right bottom - 1", 39, 39, kGreen},
      {"rectangle fill", 35, 35, kBlue},
      {"right edge exclusive", 40, 35, map::kBlack},
      {"bottom edge exclusive", 35, 40, map::kBlack},
      {"system colour", 52, 52, GetSysColor(COLOR_WINDOW) & 0xFFFFFFu},
      {"copy scaled to its far corner", 99, 19, kRed},
      {"copy stops at its rectangle", 99, 20, map::kBlack},
  };
  for (const auto& c : cases) EXPECT_EQ(canvas.Pixel(c.x, c.y), c.expected) << c.what;
}

TEST(GdiCanvas, TextFillsItsCellWithTheBrushAndKeepsThePictureOnResize) {
  GdiCanvas canvas(120, 40);
  map::Font font;
  font.size = 10;
  font.color = kRed;
  canvas.SetBrushColor(kBlue);
  canvas.SetFont(font);
  canvas.TextOut(2, 2, "EHAM");
  font.color = kGreen;  // the same text in another colour is a picture of its own
  canvas.SetFont(font);
  canvas.TextOut(60, 2, "EHAM");
  canvas.Resize(200, 60);
  const auto count = [&](int left, map::Color color) {
    int found = 0;
    for (int y = 0; y < 40; ++y) {
      for (int x = left; x < left + 58; ++x) found += canvas.Pixel(x, y) == color;
    }
    return found;
  };
  EXPECT_GT(count(0, kRed), 20);
  EXPECT_GT(count(0, kBlue), 100);
  EXPECT_EQ(count(0, kGreen), 0);
  EXPECT_EQ(count(60, kGreen), count(0, kRed));
  EXPECT_EQ(canvas.Width(), 200);
}

// At 144 DPI the map keeps its 96-DPI layout and every length lands on 1.5 times as many pixels; text is
// drawn at that size, not stretched, and a change of DPI keeps the picture until the map is drawn anew.
TEST(GdiCanvas, AtAHigherDpiTheLayoutIsDrawnOnTheScreensOwnPixels) {
  GdiCanvas canvas(100, 80, 144);
  EXPECT_EQ(canvas.Width(), 100);
  EXPECT_EQ(canvas.PixelWidth(), 150);
  EXPECT_EQ(canvas.PixelHeight(), 120);
  DrawPrimitives(canvas);
  const PixelCase cases[] = {
      {"line start", 15, 15, kRed},
      {"line before its end", 29, 15, kRed},
      {"line end left unpainted", 30, 15, map::kBlack},
      {"rectangle outline", 45, 45, kGreen},
      {"rectangle fill", 50, 50, kBlue},
      {"rectangle outline at right bottom - 1", 59, 59, kGreen},
      {"right edge exclusive", 60, 50, map::kBlack},
      {"copy to its far corner", 149, 29, kRed},
      {"copy stops at its rectangle", 149, 30, map::kBlack},
  };
  for (const auto& c : cases) EXPECT_EQ(canvas.Pixel(c.x, c.y), c.expected) << c.what;

  // A label's cell (the brush around its glyphs) is half as high again.
  const auto cellRows = [](int dpi) {
    GdiCanvas label(80, 30, dpi);
    map::Font font;
    font.size = 10;
    label.SetBrushColor(kBlue);
    label.SetFont(font);
    label.TextOut(0, 0, "EHAM");
    int rows = 0;
    while (label.Pixel(0, rows) == kBlue) ++rows;
    return rows;
  };
  EXPECT_NEAR(cellRows(144), cellRows(96) * 1.5, 1.5);

  canvas.SetDpi(96);
  EXPECT_EQ(canvas.PixelWidth(), 100);
  EXPECT_EQ(canvas.Pixel(35, 35), kBlue) << "the picture stands, scaled, until it is drawn anew";
  canvas.SetBrushColor(kBlue);
  canvas.Rectangle(0, 60, 10, 70);
  EXPECT_EQ(canvas.Pixel(5, 65), kBlue);
  EXPECT_EQ(canvas.Pixel(10, 65), map::kBlack);
}

// A data file's name is 8-bit text: "Keflav\xEDk" is Keflavík, as the Qt canvas shows it, and two
// accented names draw two different pictures rather than one replacement character each.
TEST(GdiCanvas, DataTextIsLatin1) {
  EXPECT_EQ(Latin1ToWide("Keflav\xEDk"), L"Keflav\u00EDk");
  EXPECT_EQ(Latin1ToWide("\xC3\xA9\xFF"), L"\u00C3\u00A9\u00FF");
  const auto picture = [](const char* text) {
    GdiCanvas canvas(80, 24);
    map::Font font;
    font.size = 10;
    font.color = kRed;
    canvas.SetFont(font);
    canvas.TextOut(0, 0, text);
    return canvas.Pixels();
  };
  EXPECT_NE(picture("Keflav\xEDk"), picture("Keflav\xE8k"));
}

}  // namespace
}  // namespace corvane::shell::win32
