// GdiCanvas: GDI draws into the DIB section selected into the memory DC; the window blits it on paint.
#include "gdi_canvas.h"

#include <algorithm>
#include <cstring>

#include "platform/win32/dib_section.h"
#include "platform/win32/wide_text.h"

namespace corvane::shell::win32 {
using platform::win32::Latin1ToWide;
using platform::win32::ToWide;
namespace {

// A frame uses a handful of fonts; a user changing fonts all day must not make the cache grow without end.
constexpr size_t kMaxCachedFonts = 16;
// Labels of a wide view with every layer on number a few thousand; a cache past this starts again.
constexpr size_t kMaxCachedLabels = 20000;
// Few colours per text: more than this and the oldest picture is drawn again.
constexpr size_t kMaxPicturesPerLabel = 4;

// Lines stay one pixel wide up to twice the layout's DPI, then grow by whole pixels.
int PenWidth(int dpi) { return std::max(1, dpi / platform::win32::kLayoutDpi); }

}  // namespace

LOGFONTW ToLogFont(const map::Font& font, int dpi) {
  LOGFONTW description{};
  description.lfHeight = -MulDiv(std::max(font.size, 1), dpi, 72);
  description.lfWeight = font.style.bold ? FW_BOLD : FW_NORMAL;
  description.lfItalic = font.style.italic ? TRUE : FALSE;
  description.lfUnderline = font.style.underline ? TRUE : FALSE;
  description.lfCharSet = DEFAULT_CHARSET;
  description.lfQuality = DEFAULT_QUALITY;
  const std::wstring name = ToWide(font.name).substr(0, LF_FACESIZE - 1);
  std::copy(name.begin(), name.end(), description.lfFaceName);
  return description;
}

COLORREF ToColorRef(map::Color color) {
  if (color & 0x80000000u) return GetSysColor(static_cast<int>(color & 0xFFu));
  return color & 0x00FFFFFFu;
}

GdiCanvas::GdiCanvas(int width, int height, int dpi) : dpi_(std::max(dpi, 1)) {
  dc_ = CreateCompatibleDC(nullptr);
  width_ = std::max(width, 1);
  height_ = std::max(height, 1);
  pixelWidth_ = std::max(ToPixels(width_), 1);
  pixelHeight_ = std::max(ToPixels(height_), 1);
  bitmap_ = NewBitmap(pixelWidth_, pixelHeight_, &bits_);
  originalBitmap_ = SelectObject(dc_, bitmap_);
  SelectNewPen();
  brush_ = CreateSolidBrush(ToColorRef(brushColor_));
  SelectObject(dc_, brush_);
  SetBkMode(dc_, OPAQUE);
  SetStretchBltMode(dc_, COLORONCOLOR);
}

GdiCanvas::~GdiCanvas() {
  SelectObject(dc_, originalBitmap_);
  SelectObject(dc_, GetStockObject(BLACK_PEN));
  SelectObject(dc_, GetStockObject(WHITE_BRUSH));
  SelectObject(dc_, GetStockObject(SYSTEM_FONT));
  DeleteObject(bitmap_);
  DeleteObject(pen_);
  DeleteObject(brush_);
  for (const CachedFont& cached : fonts_) DeleteObject(cached.font);
  DeleteDC(dc_);
}

HBITMAP GdiCanvas::NewBitmap(int width, int height, void** bits) const {
  HBITMAP bitmap = platform::win32::NewTopDownDib(dc_, width, height, bits);
  if (bitmap != nullptr) std::memset(*bits, 0, static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
  return bitmap;
}

void GdiCanvas::SelectNewPen() {
  HPEN pen = CreatePen(PS_SOLID, PenWidth(dpi_), ToColorRef(penColor_));
  SelectObject(dc_, pen);
  if (pen_ != nullptr) DeleteObject(pen_);
  pen_ = pen;
}

bool GdiCanvas::ReplacePicture(int pixelWidth, int pixelHeight, bool stretch) {
  void* bits = nullptr;
  HBITMAP bitmap = NewBitmap(pixelWidth, pixelHeight, &bits);
  if (bitmap == nullptr) return false;
  HDC copy = CreateCompatibleDC(dc_);
  HGDIOBJ before = SelectObject(copy, bitmap);
  SelectClipRgn(dc_, nullptr);
  if (stretch) {
    StretchBlt(copy, 0, 0, pixelWidth, pixelHeight, dc_, 0, 0, pixelWidth_, pixelHeight_, SRCCOPY);
  } else {
    BitBlt(copy, 0, 0, std::min(pixelWidth, pixelWidth_), std::min(pixelHeight, pixelHeight_), dc_, 0, 0, SRCCOPY);
  }
  SelectObject(copy, before);
  DeleteDC(copy);
  SelectObject(dc_, bitmap);
  DeleteObject(bitmap_);
  bitmap_ = bitmap;
  bits_ = bits;
  pixelWidth_ = pixelWidth;
  pixelHeight_ = pixelHeight;
  return true;
}

void GdiCanvas::Resize(int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (width == width_ && height == height_) return;
  // Out of memory: the old picture stays.
  if (!ReplacePicture(std::max(ToPixels(width), 1), std::max(ToPixels(height), 1), false)) return;
  width_ = width;
  height_ = height;
  ApplyClip();
}

void GdiCanvas::SetDpi(int dpi) {
  dpi = std::max(dpi, 1);
  if (dpi == dpi_) return;
  const int pixelWidth = std::max(MulDiv(width_, dpi, platform::win32::kLayoutDpi), 1);
  const int pixelHeight = std::max(MulDiv(height_, dpi, platform::win32::kLayoutDpi), 1);
  // The old picture, stretched, stands until the form draws anew; out of memory, it is drawn at the old DPI.
  if (!ReplacePicture(pixelWidth, pixelHeight, true)) return;
  dpi_ = dpi;
  // Fonts and their label pictures were made for the old DPI.
  for (const CachedFont& cached : fonts_) DeleteObject(cached.font);
  fonts_.clear();
  textFont_ = nullptr;
  SelectNewPen();
  ApplyClip();
}

void GdiCanvas::SetVisibleArea(int width, int height) {
  if (width == visibleWidth_ && height == visibleHeight_) return;
  visibleWidth_ = width;
  visibleHeight_ = height;
  ApplyClip();
}

void GdiCanvas::ApplyClip() {
  SelectClipRgn(dc_, nullptr);
  if (visibleWidth_ > 0 && visibleHeight_ > 0) {
    IntersectClipRect(dc_, 0, 0, ToPixels(visibleWidth_), ToPixels(visibleHeight_));
  }
}

map::Color GdiCanvas::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= pixelWidth_ || y >= pixelHeight_) return map::kBlack;
  GdiFlush();  // GDI may still hold drawing for the bitmap
  const auto* row =
      static_cast<const std::uint32_t*>(bits_) + static_cast<size_t>(y) * static_cast<size_t>(pixelWidth_);
  return platform::win32::ColorRefOfDibPixel(row[x]);
}

std::vector<map::Color> GdiCanvas::Pixels() const {
  GdiFlush();
  const auto* bits = static_cast<const std::uint32_t*>(bits_);
  std::vector<map::Color> pixels(static_cast<size_t>(pixelWidth_) * static_cast<size_t>(pixelHeight_));
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = platform::win32::ColorRefOfDibPixel(bits[i]);
  return pixels;
}

void GdiCanvas::SetPenColor(map::Color color) {
  if (color == penColor_) return;
  penColor_ = color;
  SelectNewPen();
}

void GdiCanvas::SetBrushColor(map::Color color) {
  if (color == brushColor_) return;
  brushColor_ = color;
  HBRUSH brush = CreateSolidBrush(ToColorRef(color));
  SelectObject(dc_, brush);
  DeleteObject(brush_);
  brush_ = brush;
}

void GdiCanvas::SetFont(const map::Font& font) {
  if (font == font_) return;
  // The colour alone does not change the glyphs: the font in the DC stays.
  if (font.name != font_.name || font.size != font_.size || font.style != font_.style) textFont_ = nullptr;
  font_ = font;
}

GdiCanvas::CachedFont& GdiCanvas::TextFont() {
  if (textFont_ != nullptr) return *textFont_;
  map::Font key = font_;
  key.color = map::kBlack;
  auto found = std::find_if(fonts_.begin(), fonts_.end(), [&](const CachedFont& cached) { return cached.key == key; });
  if (found == fonts_.end()) {
    if (fonts_.size() >= kMaxCachedFonts) {
      for (const CachedFont& cached : fonts_) DeleteObject(cached.font);
      fonts_.clear();
    }
    const LOGFONTW description = ToLogFont(font_, dpi_);
    fonts_.push_back({key, CreateFontIndirectW(&description), {}});
    found = std::prev(fonts_.end());
  }
  return *(textFont_ = &*found);
}

RECT GdiCanvas::VisibleRect() const {
  RECT visible = {0, 0, width_, height_};
  if (visibleWidth_ > 0 && visibleHeight_ > 0) {
    visible.right = std::min(visibleWidth_, width_);
    visible.bottom = std::min(visibleHeight_, height_);
  }
  return visible;
}

// Airways and coastlines run far beyond the view: a line wholly to one side of it is left out. GDI's own
// LineTo leaves the end point unpainted, as the Canvas promises.
void GdiCanvas::LineTo(int x, int y) {
  const RECT visible = VisibleRect();
  const bool outside = (x < visible.left && penX_ < visible.left) || (x >= visible.right && penX_ >= visible.right) ||
                       (y < visible.top && penY_ < visible.top) || (y >= visible.bottom && penY_ >= visible.bottom);
  if (!outside) {
    MoveToEx(dc_, ToPixels(penX_), ToPixels(penY_), nullptr);
    ::LineTo(dc_, ToPixels(x), ToPixels(y));
  }
  penX_ = x;
  penY_ = y;
}

const GdiCanvas::LabelPicture& GdiCanvas::Label(CachedFont& font, std::string_view text) {
  auto found = font.labels.find(text);
  if (found == font.labels.end()) {
    if (font.labels.size() >= kMaxCachedLabels) font.labels.clear();
    found = font.labels.emplace(std::string(text), std::vector<LabelPicture>{}).first;
  }
  std::vector<LabelPicture>& pictures = found->second;
  for (const LabelPicture& picture : pictures) {
    if (picture.textColor == font_.color && picture.cellColor == brushColor_) return picture;
  }
  if (pictures.size() >= kMaxPicturesPerLabel) pictures.erase(pictures.begin());
  // The text cell is filled with the brush, as the platform's TextOut does with a solid brush.
  const std::wstring wide = Latin1ToWide(text);
  const int length = static_cast<int>(wide.size());
  GdiCanvas cell(1, 1);
  HGDIOBJ before = SelectObject(cell.dc_, font.font);
  SIZE extent{};
  GetTextExtentPoint32W(cell.dc_, wide.data(), length, &extent);
  LabelPicture picture{font_.color, brushColor_, std::max<int>(extent.cx, 1), std::max<int>(extent.cy, 1), {}};
  cell.Resize(picture.width, picture.height);
  SetTextColor(cell.dc_, ToColorRef(font_.color));
  SetBkColor(cell.dc_, ToColorRef(brushColor_));
  TextOutW(cell.dc_, 0, 0, wide.data(), length);
  SelectObject(cell.dc_, before);
  GdiFlush();
  const auto* bits = static_cast<const std::uint32_t*>(cell.bits_);
  picture.pixels.assign(bits, bits + static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height));
  pictures.push_back(std::move(picture));
  return pictures.back();
}

void GdiCanvas::TextOut(int x, int y, std::string_view text) {
  if (text.empty()) return;
  const RECT visible = VisibleRect();
  if (x >= visible.right || y >= visible.bottom) return;
  const LabelPicture& picture = Label(TextFont(), text);
  // The label's rows are copied straight into the picture: a GDI call per label costs more than the copy.
  x = ToPixels(x);
  y = ToPixels(y);
  const int left = std::max<int>(x, 0);
  const int top = std::max<int>(y, 0);
  const int right = std::min<int>(x + picture.width, std::min(ToPixels(visible.right), pixelWidth_));
  const int bottom = std::min<int>(y + picture.height, std::min(ToPixels(visible.bottom), pixelHeight_));
  if (right <= left || bottom <= top) return;
  GdiFlush();  // what GDI drew before lies under the label
  auto* target = static_cast<std::uint32_t*>(bits_);
  const size_t rowBytes = static_cast<size_t>(right - left) * sizeof(std::uint32_t);
  for (int row = top; row < bottom; ++row) {
    std::memcpy(target + static_cast<size_t>(row) * static_cast<size_t>(pixelWidth_) + static_cast<size_t>(left),
                picture.pixels.data() + static_cast<size_t>(row - y) * static_cast<size_t>(picture.width) +
                    static_cast<size_t>(left - x),
                rowBytes);
  }
}

void GdiCanvas::Rectangle(int left, int top, int right, int bottom) {
  if (right <= left || bottom <= top) return;
  // GDI's Rectangle leaves the right and bottom edge out with a one-pixel pen.
  ::Rectangle(dc_, ToPixels(left), ToPixels(top), ToPixels(right), ToPixels(bottom));
}

void GdiCanvas::CopyRect(const map::Rect& destination, const map::Canvas& source, const map::Rect& sourceRect) {
  const auto* gdiSource = dynamic_cast<const GdiCanvas*>(&source);
  if (gdiSource == nullptr) return;
  // Each rectangle in its own picture's pixels: at one DPI a copy of equal size stays a 1:1 copy.
  const int toLeft = ToPixels(destination.left);
  const int toTop = ToPixels(destination.top);
  const int toWidth = ToPixels(destination.right) - toLeft;
  const int toHeight = ToPixels(destination.bottom) - toTop;
  const int fromLeft = gdiSource->ToPixels(sourceRect.left);
  const int fromTop = gdiSource->ToPixels(sourceRect.top);
  const int fromWidth = gdiSource->ToPixels(sourceRect.right) - fromLeft;
  const int fromHeight = gdiSource->ToPixels(sourceRect.bottom) - fromTop;
  if (toWidth <= 0 || toHeight <= 0 || fromWidth <= 0 || fromHeight <= 0) return;
  if (gdiSource != this) {
    StretchBlt(dc_, toLeft, toTop, toWidth, toHeight, gdiSource->dc_, fromLeft, fromTop, fromWidth, fromHeight,
               SRCCOPY);
    return;
  }
  // Within one picture the source part is copied out first, so overlapping parts do not smear.
  GdiCanvas part(fromWidth, fromHeight);
  BitBlt(part.dc_, 0, 0, fromWidth, fromHeight, dc_, fromLeft, fromTop, SRCCOPY);
  StretchBlt(dc_, toLeft, toTop, toWidth, toHeight, part.dc_, 0, 0, fromWidth, fromHeight, SRCCOPY);
}

}  // namespace corvane::shell::win32
