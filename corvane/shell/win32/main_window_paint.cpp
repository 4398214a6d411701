// MainWindow's own painting: the buttons that show their state, the panels, group boxes and the controls'
// colours.
#include <cstdlib>

#include "main_window_parts.h"
#include "platform/win32/wide_text.h"

namespace corvane::shell::win32 {
using namespace main_window_parts;
using platform::win32::ToWide;

HFONT MainWindow::ButtonFont(bool bold, int height) {
  const auto key = std::make_pair(bold, height);
  const auto found = buttonFonts_.find(key);
  if (found != buttonFonts_.end()) return found->second;
  LOGFONTW description{};
  GetObjectW(fonts_.text(), sizeof(description), &description);
  description.lfHeight = height;
  description.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  HFONT font = CreateFontIndirectW(&description);
  buttonFonts_[key] = font;
  return font;
}

void MainWindow::DrawButton(const DRAWITEMSTRUCT& item) {
  NativeControl* native = NativeFor(item.hwndItem);
  if (native == nullptr || !std::holds_alternative<Button*>(native->control)) return;
  const Button& button = *std::get<Button*>(native->control);
  HDC dc = item.hDC;
  RECT face = item.rcItem;
  UINT state = DFCS_BUTTONPUSH;
  if (item.itemState & ODS_SELECTED) state |= DFCS_PUSHED;
  if (item.itemState & ODS_DISABLED) state |= DFCS_INACTIVE;
  DrawFrameControl(dc, &face, DFC_BUTTON, state);
  const std::wstring caption = ToWide(button.caption);
  // A caption wider than its button ("Hide Plane" on the strip) takes a smaller font.
  LOGFONTW base{};
  GetObjectW(fonts_.text(), sizeof(base), &base);
  int height = base.lfHeight;
  const int room = ToScreen(button.width - 6);
  HGDIOBJ before = SelectObject(dc, ButtonFont(button.bold, height));
  SIZE extent{};
  while (GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent) && extent.cx > room &&
         std::abs(height) > ToScreen(8)) {
    height += height < 0 ? 1 : -1;
    SelectObject(dc, ButtonFont(button.bold, height));
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, (item.itemState & ODS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT) : ControlColour(button.fontColor));
  if (item.itemState & ODS_SELECTED) OffsetRect(&face, 1, 1);
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &face,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, before);
}

HBRUSH MainWindow::SolidBrush(COLORREF color) {
  const auto found = brushes_.find(color);
  if (found != brushes_.end()) return found->second;
  HBRUSH brush = CreateSolidBrush(color);
  brushes_[color] = brush;
  return brush;
}

LRESULT MainWindow::ControlColours(HWND parent, HWND child, HDC dc) {
  COLORREF background = PanelColour(parent);
  COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
  if (const NativeControl* native = NativeFor(child); native != nullptr) {
    if (const auto* label = std::get_if<Label*>(&native->control)) {
      text = ControlColour((*label)->fontColor);
    } else if (const auto* shape = std::get_if<Shape*>(&native->control)) {
      background = ControlColour((*shape)->brushColor);
    } else if (const auto* memo = std::get_if<Memo*>(&native->control)) {
      background = ControlColour((*memo)->color);
    } else if (const auto* list = std::get_if<ListBox*>(&native->control)) {
      background = ControlColour((*list)->color);
    } else if (std::holds_alternative<Edit*>(native->control)) {
      background = GetSysColor(IsWindowEnabled(child) ? COLOR_WINDOW : COLOR_BTNFACE);
    }
  }
  SetTextColor(dc, text);
  SetBkColor(dc, background);
  return reinterpret_cast<LRESULT>(SolidBrush(background));
}

COLORREF MainWindow::PanelColour(HWND panel) {
  const NativeControl* native = NativeFor(panel);
  if (native == nullptr || !std::holds_alternative<Panel*>(native->control)) return GetSysColor(COLOR_BTNFACE);
  return ControlColour(std::get<Panel*>(native->control)->color);
}

// The frame and its caption on the panel's colour, inside as well: the system's group box leaves its
// inside unpainted, and the panel does not paint under its children.
void MainWindow::PaintGroupBox(const NativeControl& native) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(native.window, &paint);
  RECT area{};
  GetClientRect(native.window, &area);
  const COLORREF face = PanelColour(GetParent(native.window));
  FillRect(dc, &area, SolidBrush(face));
  HGDIOBJ before = SelectObject(dc, fonts_.text());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  RECT frame = area;
  frame.top += metrics.tmHeight / 2;
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  const std::wstring caption = ToWide(std::get<GroupBox*>(native.control)->caption);
  if (!caption.empty()) {
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, face);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    const std::wstring padded = L" " + caption + L" ";
    TextOutW(dc, ToScreen(6), 0, padded.c_str(), static_cast<int>(padded.size()));
  }
  SelectObject(dc, before);
  EndPaint(native.window, &paint);
}

void MainWindow::PaintPanel(HWND panel) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(panel, &paint);
  RECT face{};
  GetClientRect(panel, &face);
  FillRect(dc, &face, SolidBrush(PanelColour(panel)));
  DrawEdge(dc, &face, BDR_RAISEDINNER, BF_RECT);
  EndPaint(panel, &paint);
}

}  // namespace corvane::shell::win32
