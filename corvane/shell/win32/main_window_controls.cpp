// MainWindow's native controls: made from the form's control list, then kept in step with the model by
// a refresh that touches only what changed.
#include <algorithm>
#include <stdexcept>

#include "main_window_parts.h"
#include "platform/win32/child_windows.h"
#include "platform/win32/dpi.h"
#include "platform/win32/wide_text.h"

namespace corvane::shell::win32 {
using namespace main_window_parts;
using platform::win32::ToWide;
namespace {

// A multi-line edit separates its lines with CR LF.
std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  return text;
}

void RegisterWindowClasses(WNDPROC procedure) {
  static const bool registered = [procedure] {
    WNDCLASSW description = platform::win32::TopLevelWindowClass(procedure, kMainClass);
    RegisterClassW(&description);
    description.hIcon = nullptr;
    description.hbrBackground = nullptr;  // painted in the panel's own colour
    description.lpszClassName = kPanelClass;
    RegisterClassW(&description);
    description.style = CS_DBLCLKS;
    description.lpszClassName = kMapClass;  // the canvas covers it whole: no background
    RegisterClassW(&description);
    return true;
  }();
  (void)registered;
}

}  // namespace

void MainWindow::MakeFonts() {
  for (auto& [key, font] : buttonFonts_) DeleteObject(font);
  buttonFonts_.clear();
  fonts_.Make(dpi_);
}

void MainWindow::ApplyFonts() {
  const auto setFont = [](HWND window, HFONT font) {
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  };
  setFont(status_, fonts_.text());
  for (const auto& native : natives_) {
    const bool fixedPitch =
        std::holds_alternative<Memo*>(native->control) || std::holds_alternative<ListBox*>(native->control);
    setFont(native->window, fixedPitch ? fonts_.fixedPitch() : fonts_.text());
    for (const Companion& companion : native->companions) setFont(companion.window, fonts_.text());
  }
}

void MainWindow::BuildWindows() {
  RegisterWindowClasses(WindowProcedure);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  main_ = CreateWindowExW(0, kMainClass, L"Corvane", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, form_->formLeft,
                          form_->formTop, 200, 150, nullptr, nullptr, instance, this);
  if (main_ == nullptr) throw std::runtime_error("cannot create the main window");
  // The monitor's DPI is known once the window is on it. The settings hold the window's inner size in
  // the 96-DPI layout, as the Qt window keeps it.
  dpi_ = platform::win32::DpiOfWindow(main_);
  MakeFonts();
  imageCanvas_.SetDpi(dpi_);
  paintBoxCanvas_.SetDpi(dpi_);
  RECT frame = {0, 0, ToScreen(std::max(form_->formWidth, 200)), ToScreen(std::max(form_->formHeight, 150))};
  AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
  SetWindowPos(main_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  map_ = CreateWindowExW(0, kMapClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 200, 150,
                         main_, nullptr, instance, this);
  status_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_SUNKEN, 0, 0, 200,
                            ToScreen(kStatusHeight), main_, nullptr, instance, nullptr);
  INITCOMMONCONTROLSEX commonControls{sizeof(commonControls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&commonControls);
  toolTips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, main_, nullptr, instance, nullptr);
  LayOutClient();

  std::map<std::string, HWND> parents;
  for (const ControlEntry& entry : form_->Controls().Entries()) {
    const auto parentFound = parents.find(entry.parent);
    HWND parent = entry.parent.empty() || parentFound == parents.end() ? map_ : parentFound->second;
    auto native = std::make_unique<NativeControl>();
    native->name = entry.name;
    native->control = entry.control;
    std::visit(
        [&](auto* control) {
          using T = std::remove_pointer_t<decltype(control)>;
          constexpr DWORD kChild = WS_CHILD | WS_CLIPSIBLINGS;
          if constexpr (std::is_same_v<T, Panel>) {
            native->window = NewChild(kPanelClass, kChild | WS_CLIPCHILDREN, parent, *control);
          } else if constexpr (std::is_same_v<T, Button>) {
            // Drawn by the window itself: toggles show their state in a bold, coloured caption.
            native->window = NewChild(L"BUTTON", kChild | BS_OWNERDRAW, parent, *control);
          } else if constexpr (std::is_same_v<T, Edit>) {
            native->window =
                NewChild(L"EDIT", kChild | WS_TABSTOP | ES_AUTOHSCROLL, parent, *control, WS_EX_CLIENTEDGE);
            if (!control->caption.empty()) {
              native->companions.push_back(
                  NewLabel(control->caption, parent, 8, control->top + 2, std::max(control->left - 12, 10), 18));
            }
            if (!control->unit.empty()) {
              native->companions.push_back(
                  NewLabel(control->unit, parent, control->left + control->width + 4, control->top + 2, 50, 18));
            }
          } else if constexpr (std::is_same_v<T, Label>) {
            native->window = NewChild(L"STATIC", kChild | SS_LEFTNOWORDWRAP | SS_NOTIFY, parent, *control);
          } else if constexpr (std::is_same_v<T, CheckBox>) {
            native->window = NewChild(L"BUTTON", kChild | BS_AUTOCHECKBOX, parent, *control);
          } else if constexpr (std::is_same_v<T, RadioButton>) {
            native->window = NewChild(L"BUTTON", kChild | BS_RADIOBUTTON, parent, *control);
          } else if constexpr (std::is_same_v<T, Memo>) {
            native->window = NewChild(
                L"EDIT",
                kChild | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN,
                parent, *control, WS_EX_CLIENTEDGE);
          } else if constexpr (std::is_same_v<T, ListBox>) {
            native->window = NewChild(L"LISTBOX", kChild | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, parent,
                                      *control, WS_EX_CLIENTEDGE);
          } else if constexpr (std::is_same_v<T, Shape>) {
            native->window = NewChild(L"STATIC", kChild | SS_NOTIFY | WS_BORDER, parent, *control);
            AddToolTip(native->window, control->caption);
            if (!control->caption.empty()) {
              native->companions.push_back(NewLabel(control->caption, parent, control->left + control->width + 6,
                                                    control->top, 140, control->height));
            }
          } else if constexpr (std::is_same_v<T, GroupBox>) {
            native->window = NewChild(L"BUTTON", kChild | BS_GROUPBOX, parent, *control);
            SetWindowTextW(native->window, ToWide(control->caption).c_str());
          }
          // PB1 is the map window, IMG1 is off screen, SB1 is the status line, the timers are SetTimer's.
        },
        entry.control);
    if (native->window != nullptr) {
      if (std::holds_alternative<Panel*>(entry.control)) parents[entry.name] = native->window;
      Subclass(native->window);
      byWindow_[native->window] = native.get();
      natives_.push_back(std::move(native));
    }
  }
  // A child made later lies below the ones before it: group boxes go below everything they frame.
  for (const auto& native : natives_) {
    if (std::holds_alternative<GroupBox*>(native->control)) {
      SetWindowPos(native->window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
  ApplyFonts();
}

HWND MainWindow::NewChild(const wchar_t* windowClass, DWORD style, HWND parent, const Control& control,
                          DWORD extendedStyle) {
  return platform::win32::CreateChild(
      parent, {windowClass, style, extendedStyle, control.left, control.top, control.width, control.height, L""},
      fonts_.text(), dpi_, this);
}

MainWindow::Companion MainWindow::NewLabel(const std::string& text, HWND parent, int left, int top, int width,
                                           int height) {
  HWND label = platform::win32::CreateChild(
      parent, {L"STATIC", WS_VISIBLE | WS_CLIPSIBLINGS | SS_LEFTNOWORDWRAP, 0, left, top, width, height, ToWide(text)},
      fonts_.text(), dpi_);
  return {label, {left, top, left + width, top + height}};
}

void MainWindow::AddToolTip(HWND tool, const std::string& text) {
  if (toolTips_ == nullptr || text.empty()) return;
  std::wstring wide = ToWide(text);
  TOOLINFOW info{};
  info.cbSize = sizeof(info);
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = main_;
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = wide.data();
  SendMessageW(toolTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void MainWindow::Subclass(HWND window) {
  wchar_t className[32] = {};
  GetClassNameW(window, className, 32);
  if (std::wstring_view(className) == kPanelClass) return;  // our own class: its procedure is ours already
  SetPropW(window, kOwnerProperty, this);
  originalProcedures_[window] = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MainWindow::ControlProcedure)));
}

void MainWindow::Refresh() {
  if (main_ == nullptr || closed_) return;
  refreshing_ = true;
  if (shownCaption_ != form_->Caption) {
    shownCaption_ = form_->Caption;
    SetWindowTextW(main_, ToWide(shownCaption_).c_str());
  }
  if (shownStatus_ != form_->SB1.text) {
    shownStatus_ = form_->SB1.text;
    SetWindowTextW(status_, ToWide(shownStatus_).c_str());
  }
  std::vector<HWND> opened;
  for (const auto& native : natives_) {
    const bool wasVisible = native->shown.visible && !native->shown.fresh;
    RefreshControl(*native);
    const bool layer =
        std::holds_alternative<Panel*>(native->control) || std::holds_alternative<ListBox*>(native->control);
    if (layer && native->shown.visible && !wasVisible) opened.push_back(native->window);
  }
  // A panel that opens lies over the map and over the panels that were open before it.
  for (HWND window : opened) SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  refreshing_ = false;
  SyncTimers();
  InvalidateRect(map_, nullptr, FALSE);
}

void MainWindow::RefreshControl(NativeControl& native) {
  Shown& shown = native.shown;
  HWND window = native.window;
  std::visit(
      [&](auto* control) {
        using T = std::remove_pointer_t<decltype(control)>;
        if constexpr (std::is_base_of_v<Control, T>) {
          const RECT rect = {control->left, control->top, control->left + control->width,
                             control->top + control->height};
          if (shown.fresh || !EqualRect(&rect, &shown.rect)) {
            shown.rect = rect;
            platform::win32::PlaceChild(window, control->left, control->top, control->width, control->height, dpi_);
          }
          if (shown.fresh || shown.enabled != control->enabled) {
            shown.enabled = control->enabled;
            EnableWindow(window, control->enabled ? TRUE : FALSE);
          }
          if (shown.fresh || shown.visible != control->visible) {
            shown.visible = control->visible;
            ShowWindow(window, control->visible ? SW_SHOWNA : SW_HIDE);
            for (const Companion& companion : native.companions) {
              ShowWindow(companion.window, control->visible ? SW_SHOWNA : SW_HIDE);
            }
          }
        }
        if constexpr (std::is_same_v<T, Panel>) {
          if (shown.fresh || shown.color != control->color) {
            shown.color = control->color;
            InvalidateRect(window, nullptr, TRUE);
          }
        } else if constexpr (std::is_same_v<T, Button>) {
          if (shown.fresh || shown.text != control->caption || shown.bold != control->bold ||
              shown.fontColor != control->fontColor) {
            shown.text = control->caption;
            shown.bold = control->bold;
            shown.fontColor = control->fontColor;
            SetWindowTextW(window, ToWide(control->caption).c_str());
            InvalidateRect(window, nullptr, FALSE);
          }
        } else if constexpr (std::is_same_v<T, Edit>) {
          if (shown.fresh || shown.text != control->text) {
            shown.text = control->text;
            SetWindowTextW(window, ToWide(control->text).c_str());
          }
        } else if constexpr (std::is_same_v<T, Label>) {
          if (shown.fresh || shown.text != control->caption || shown.fontColor != control->fontColor) {
            shown.text = control->caption;
            shown.fontColor = control->fontColor;
            SetWindowTextW(window, ToWide(control->caption).c_str());
            InvalidateRect(window, nullptr, TRUE);
          }
        } else if constexpr (std::is_same_v<T, CheckBox> || std::is_same_v<T, RadioButton>) {
          if (shown.fresh || shown.text != control->caption) {
            shown.text = control->caption;
            SetWindowTextW(window, ToWide(control->caption).c_str());
          }
          if (shown.fresh || shown.checked != control->checked) {
            shown.checked = control->checked;
            SendMessageW(window, BM_SETCHECK, control->checked ? BST_CHECKED : BST_UNCHECKED, 0);
          }
        } else if constexpr (std::is_same_v<T, Memo>) {
          if (shown.fresh || shown.lines != control->lines) {
            shown.lines = control->lines;
            SetWindowTextW(window, ToWide(JoinLines(control->lines)).c_str());
          }
          if (shown.fresh || shown.color != control->color) {
            shown.color = control->color;
            InvalidateRect(window, nullptr, TRUE);
          }
        } else if constexpr (std::is_same_v<T, ListBox>) {
          if (shown.fresh || shown.lines != control->lines) {
            shown.lines = control->lines;
            SendMessageW(window, WM_SETREDRAW, FALSE, 0);
            SendMessageW(window, LB_RESETCONTENT, 0, 0);
            for (const std::string& line : control->lines) {
              SendMessageW(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(line).c_str()));
            }
            SendMessageW(window, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(window, nullptr, TRUE);
            shown.itemIndex = -2;  // the selection went with the old lines
          }
          if (shown.itemIndex != control->itemIndex) {
            shown.itemIndex = control->itemIndex;
            SendMessageW(window, LB_SETCURSEL, static_cast<WPARAM>(control->itemIndex), 0);
          }
          if (shown.fresh || shown.color != control->color) {
            shown.color = control->color;
            InvalidateRect(window, nullptr, TRUE);
          }
        } else if constexpr (std::is_same_v<T, Shape>) {
          if (shown.fresh || shown.color != control->brushColor) {
            shown.color = control->brushColor;
            InvalidateRect(window, nullptr, TRUE);
          }
        }
      },
      native.control);
  shown.fresh = false;
}

}  // namespace corvane::shell::win32
