// The Canvas on a memory DC with a DIB section: the map image IMG1 and the visible map PB1 of the window.
// The map is laid out in pixels at 96 DPI, as the form knows them; on a screen of more dots per inch the
// picture has more pixels than the canvas's size, and every length and font is drawn at the screen's DPI,
// so lines and text stay sharp rather than being stretched.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "corvane/map/canvas.h"
#include "platform/win32/dpi.h"
#include "platform/win32/windows_api.h"

namespace corvane::shell::win32 {

// 0x00BBGGRR as GDI takes it; system colours (top bit set) are the system's colour of that index.
COLORREF ToColorRef(map::Color color);
// The model's font for a device of dpi dots per inch (its points as a character cell's height); its colour
// is not part of a GDI font.
LOGFONTW ToLogFont(const map::Font& font, int dpi);

class GdiCanvas final : public map::Canvas {
 public:
  // width x height in 96-DPI pixels, drawn at dpi.
  GdiCanvas(int width, int height, int dpi = platform::win32::kLayoutDpi);
  ~GdiCanvas() override;
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;

  // A new size keeps what fits of the old picture.
  void Resize(int width, int height);
  // Another DPI: the old picture is stretched onto the new pixels until the form draws anew.
  void SetDpi(int dpi);
  int Dpi() const { return dpi_; }
  // Only the top-left width x height part is ever shown: nothing is drawn beyond it. 0 x 0: the whole image.
  void SetVisibleArea(int width, int height);
  HDC dc() const { return dc_; }
  // The picture's own pixels, which the window copies 1:1 to the screen.
  int PixelWidth() const { return pixelWidth_; }
  int PixelHeight() const { return pixelHeight_; }
  // The colour of one of the picture's pixels as 0x00BBGGRR; black outside the picture.
  map::Color Pixel(int x, int y) const;
  // Every pixel of the picture as 0x00BBGGRR, row by row from the top.
  std::vector<map::Color> Pixels() const;

  void SetPenColor(map::Color color) override;
  void SetBrushColor(map::Color color) override;
  void SetFont(const map::Font& font) override;
  const map::Font& CurrentFont() const override { return font_; }

  void MoveTo(int x, int y) override { penX_ = x, penY_ = y; }
  void LineTo(int x, int y) override;
  void TextOut(int x, int y, std::string_view text) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void CopyRect(const map::Rect& destination, const map::Canvas& source, const map::Rect& sourceRect) override;

  int Width() const override { return width_; }
  int Height() const override { return height_; }

 private:
  // A label is drawn once into pixels of its own (the text on its filled cell) and copied from there every
  // frame after: copying pixels costs far less than laying glyphs out again. The same text comes in a few
  // colours (an airway name in two layers, an ident as a point and as a route label).
  struct LabelPicture {
    map::Color textColor = 0;
    map::Color cellColor = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
  };
  // Labels are looked up by their text without building a string first.
  struct LabelHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };
  using LabelPictures = std::unordered_map<std::string, std::vector<LabelPicture>, LabelHash, std::equal_to<>>;
  struct CachedFont {
    map::Font key;  // colour left out: it does not change the glyphs
    HFONT font = nullptr;
    LabelPictures labels;
  };

  // A length of the map's layout in the picture's pixels.
  int ToPixels(int length) const { return platform::win32::Scaled(length, dpi_); }
  HBITMAP NewBitmap(int width, int height, void** bits) const;
  // A new picture of that many pixels, holding the old one copied or stretched; false when out of memory.
  bool ReplacePicture(int pixelWidth, int pixelHeight, bool stretch);
  void SelectNewPen();
  void ApplyClip();
  CachedFont& TextFont();
  const LabelPicture& Label(CachedFont& font, std::string_view text);
  RECT VisibleRect() const;

  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ originalBitmap_ = nullptr;
  void* bits_ = nullptr;
  int dpi_ = platform::win32::kLayoutDpi;
  int width_ = 0;
  int height_ = 0;
  int pixelWidth_ = 0;
  int pixelHeight_ = 0;
  int visibleWidth_ = 0;
  int visibleHeight_ = 0;
  int penX_ = 0;
  int penY_ = 0;
  map::Color penColor_ = map::kBlack;
  map::Color brushColor_ = 0xFFFFFF;
  HPEN pen_ = nullptr;
  HBRUSH brush_ = nullptr;
  map::Font font_;
  CachedFont* textFont_ = nullptr;  // the entry for font_, found again after a SetFont
  std::vector<CachedFont> fonts_;
};

}  // namespace corvane::shell::win32
