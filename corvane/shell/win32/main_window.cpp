// MainWindow: builds the native controls from the form's control list and keeps them in step with the model.
#include "main_window.h"

#include <algorithm>
#include <stdexcept>

#include "corvane/shell/form_handlers.h"
#include "corvane/shell/plan_engage.h"
#include "formats/conversion_error.h"
#include "wide_text.h"

namespace corvane::shell::win32 {
namespace {

constexpr wchar_t kMainClass[] = L"CorvaneMainWindow";
constexpr wchar_t kPanelClass[] = L"CorvanePanel";
constexpr wchar_t kMapClass[] = L"CorvaneMap";
constexpr wchar_t kOwnerProperty[] = L"CorvaneMainWindow";
constexpr int kStatusHeight = 20;
constexpr UINT_PTR kFirstTimerId = 1;  // Timer1 ... Timer5 are 1 ... 5
constexpr UINT_PTR kFlightTimerId = 100;
constexpr UINT kFlightIntervalMs = 50;

// A mouse message's position, signed: a drag may end left of or above the window.
int MouseX(LPARAM lParam) { return static_cast<short>(LOWORD(lParam)); }
int MouseY(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)); }

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  if (text.empty()) return lines;
  size_t start = 0;
  while (true) {
    const size_t end = text.find('\n', start);
    std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

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
    WNDCLASSW description{};
    description.lpfnWndProc = procedure;
    description.hInstance = GetModuleHandleW(nullptr);
    description.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    description.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    description.lpszClassName = kMainClass;
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

// The controls' colours. The "background" system colour, which the strips and their swatch take by default,
// is the desktop's colour to the system; on a window's controls it stands for the window's own face.
COLORREF ControlColour(Color color) {
  return ToColorRef(color == kColorSystemBackground ? kColorSystemButtonFace : color);
}

const char* MouseButtonName(UINT message) {
  switch (message) {
    case WM_RBUTTONUP: return "right";
    case WM_MBUTTONUP: return "middle";
    default: return "left";
  }
}

}  // namespace

MainWindow::MainWindow(const WindowOptions& options) : imageCanvas_(3000, 2250), paintBoxCanvas_(1024, 768) {
  if (options.simulator.transport == nullptr) throw std::invalid_argument("no simulator transport");
  connection_ = options.simulator;
  Dialogs& dialogs = options.dialogs != nullptr ? *options.dialogs : nativeDialogs_;
  form_ = std::make_unique<TForm1>(
      FormOptions{options.settingsPath, options.dataFolder, connection_.transport, connection_.sleep}, dialogs,
      imageCanvas_, paintBoxCanvas_);
  BuildWindows();
  nativeDialogs_.SetOwner(main_);
  if (connection_.advanceTo) {
    // A simulator that runs in this process flies on the wall clock.
    clockStartMs_ = GetTickCount64();
    SetTimer(main_, kFlightTimerId, kFlightIntervalMs, nullptr);
  }
  Refresh();
}

MainWindow::~MainWindow() {
  if (main_ != nullptr) {
    for (UINT_PTR id = kFirstTimerId; id < kFirstTimerId + timerRunning_.size(); ++id) KillTimer(main_, id);
    KillTimer(main_, kFlightTimerId);
  }
  form_->FormDestroy();
  if (main_ != nullptr && IsWindow(main_)) {
    closed_ = true;
    DestroyWindow(main_);
  }
  for (auto& [key, font] : buttonFonts_) DeleteObject(font);
  for (auto& [color, brush] : brushes_) DeleteObject(brush);
  DeleteObject(uiFont_);
  DeleteObject(fixedFont_);
}

void MainWindow::BuildWindows() {
  RegisterWindowClasses(WindowProcedure);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  uiFont_ = CreateFontIndirectW(&metrics.lfMessageFont);
  LOGFONTW fixed{};
  fixed.lfHeight = -12;
  fixed.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  fixed.lfCharSet = DEFAULT_CHARSET;
  std::wstring_view fixedName = L"Courier New";
  std::copy(fixedName.begin(), fixedName.end(), fixed.lfFaceName);
  fixedFont_ = CreateFontIndirectW(&fixed);

  HINSTANCE instance = GetModuleHandleW(nullptr);
  // The settings hold the window's inner size, as the Qt window keeps it.
  RECT frame = {0, 0, std::max(form_->formWidth, 200), std::max(form_->formHeight, 150)};
  AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
  main_ =
      CreateWindowExW(0, kMainClass, L"Corvane", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, form_->formLeft, form_->formTop,
                      frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, this);
  if (main_ == nullptr) throw std::runtime_error("cannot create the main window");
  map_ = CreateWindowExW(0, kMapClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 200, 150,
                         main_, nullptr, instance, this);
  status_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_SUNKEN, 0, 0, 200,
                            kStatusHeight, main_, nullptr, instance, nullptr);
  SendMessageW(status_, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont_), FALSE);
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
            SendMessageW(native->window, WM_SETFONT, reinterpret_cast<WPARAM>(fixedFont_), FALSE);
          } else if constexpr (std::is_same_v<T, ListBox>) {
            native->window = NewChild(L"LISTBOX", kChild | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, parent,
                                      *control, WS_EX_CLIENTEDGE);
            SendMessageW(native->window, WM_SETFONT, reinterpret_cast<WPARAM>(fixedFont_), FALSE);
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
}

HWND MainWindow::NewChild(const wchar_t* windowClass, DWORD style, HWND parent, const Control& control,
                          DWORD extendedStyle) {
  HWND window = CreateWindowExW(extendedStyle, windowClass, L"", style, control.left, control.top, control.width,
                                control.height, parent, nullptr, GetModuleHandleW(nullptr), this);
  if (window == nullptr) throw std::runtime_error("cannot create a control");
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont_), FALSE);
  return window;
}

HWND MainWindow::NewLabel(const std::string& text, HWND parent, int left, int top, int width, int height) {
  HWND label =
      CreateWindowExW(0, L"STATIC", ToWide(text).c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_LEFTNOWORDWRAP,
                      left, top, width, height, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont_), FALSE);
  return label;
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

void MainWindow::LayOutClient() {
  RECT client{};
  GetClientRect(main_, &client);
  const int width = client.right - client.left;
  const int height = std::max<int>(client.bottom - client.top - kStatusHeight, 1);
  MoveWindow(map_, 0, 0, width, height, TRUE);
  MoveWindow(status_, 0, height, width, kStatusHeight, TRUE);
}

HWND MainWindow::WindowFor(const std::string& controlName) const {
  if (controlName == "PB1") return map_;
  if (controlName == "SB1") return status_;
  for (const auto& native : natives_) {
    if (native->name == controlName) return native->window;
  }
  return nullptr;
}

MainWindow::NativeControl* MainWindow::NativeFor(HWND window) {
  const auto found = byWindow_.find(window);
  return found == byWindow_.end() ? nullptr : found->second;
}

void MainWindow::Start() {
  ShowWindow(main_, SW_SHOW);
  UpdateWindow(main_);
  started_ = true;
  RECT mapRect{};
  GetClientRect(map_, &mapRect);
  OnMapResized(mapRect.right, mapRect.bottom);
  Guarded([this] { form_->FormCreate(); });
  Refresh();
}

void MainWindow::FlyPlan(const std::vector<std::string>& planLines) {
  Guarded([&] { FlyPlanInArcView(*form_, planLines); });
  Refresh();
}

void MainWindow::Guarded(const std::function<void()>& action) {
  try {
    action();
  } catch (const formats::ConversionError& error) {
    form_->dialogs().ShowMessage(error.what(), "Corvane");
  }
}

bool MainWindow::Call(const std::string& handler, const std::vector<std::string>& arguments) {
  const HandlerEntry* entry = FindHandler(handler);
  if (entry == nullptr) return false;
  Guarded([&] { entry->run(*form_, arguments); });
  Refresh();
  return true;
}

LRESULT CALLBACK MainWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return self->Handle(window, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::ControlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<MainWindow*>(GetPropW(window, kOwnerProperty));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  const auto original = self->originalProcedures_.find(window);
  if (original == self->originalProcedures_.end()) return DefWindowProcW(window, message, wParam, lParam);
  const WNDPROC procedure = original->second;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
    RemovePropW(window, kOwnerProperty);
    self->originalProcedures_.erase(window);
    self->byWindow_.erase(window);
    return CallWindowProcW(procedure, window, message, wParam, lParam);
  }
  NativeControl* native = self->NativeFor(window);
  if (native != nullptr && self->HandleControl(*native, message, wParam, lParam) == 0) return 0;
  const LRESULT result = CallWindowProcW(procedure, window, message, wParam, lParam);
  // A list reports the release after it has moved its selection to the line clicked.
  if (native != nullptr && std::holds_alternative<ListBox*>(native->control) &&
      (message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP)) {
    self->Call(native->name + "MouseUp",
               {MouseButtonName(message), std::to_string(MouseX(lParam)), std::to_string(MouseY(lParam))});
  }
  return result;
}

// Returns 0 when the control's own procedure must not see the message, 1 otherwise.
LRESULT MainWindow::HandleControl(NativeControl& native, UINT message, WPARAM wParam, LPARAM) {
  const bool textField = std::holds_alternative<Edit*>(native.control);
  if (message == WM_KEYDOWN) {
    // The form sees every key first, as a form with key preview does; but Delete typed into a text field
    // edits the text and must not also delete a waypoint. A memo keeps its keys.
    if (std::holds_alternative<Memo*>(native.control) || std::holds_alternative<ListBox*>(native.control)) return 1;
    const std::string key = std::to_string(static_cast<int>(wParam));
    if (!(textField && wParam == VK_DELETE)) Call("FormKeyDown", {key});
    if (textField) Call(native.name + "KeyDown", {key});
  } else if (message == WM_KEYUP && textField) {
    Call(native.name + "KeyUp", {std::to_string(static_cast<int>(wParam))});
  } else if (message == WM_PAINT && std::holds_alternative<GroupBox*>(native.control)) {
    PaintGroupBox(native);
    return 0;
  } else if (message == WM_RBUTTONUP &&
             (std::holds_alternative<Label*>(native.control) || std::holds_alternative<Shape*>(native.control))) {
    Call(native.name + "ContextPopup");
    return 0;
  }
  return 1;
}

LRESULT MainWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (lParam != 0) {
        OnCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0;
      }
      break;
    case WM_DRAWITEM: DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN: return ControlColours(window, reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
    case WM_MOUSEWHEEL: Call("FormMouseWheel", {std::to_string(static_cast<short>(HIWORD(wParam)))}); return 0;
    default: break;
  }
  if (window == map_) {
    switch (message) {
      case WM_ERASEBKGND: return 1;  // the canvas covers the whole map
      case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        const RECT& area = paint.rcPaint;
        BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, paintBoxCanvas_.dc(), area.left,
               area.top, SRCCOPY);
        EndPaint(window, &paint);
        return 0;
      }
      case WM_SIZE: OnMapResized(LOWORD(lParam), HIWORD(lParam)); return 0;
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN: SetFocus(window); return 0;
      case WM_LBUTTONUP:
      case WM_RBUTTONUP:
      case WM_MBUTTONUP:
        Call("PB1MouseUp", {MouseButtonName(message), std::to_string(MouseX(lParam)), std::to_string(MouseY(lParam))});
        return 0;
      case WM_KEYDOWN: Call("FormKeyDown", {std::to_string(static_cast<int>(wParam))}); return 0;
      case WM_GETDLGCODE: return DLGC_WANTALLKEYS;
      default: break;
    }
  } else if (window == main_) {
    switch (message) {
      case WM_SIZE: LayOutClient(); return 0;
      case WM_SETFOCUS: SetFocus(map_); return 0;
      case WM_TIMER:
        if (wParam == kFlightTimerId) {
          if (connection_.advanceTo) connection_.advanceTo(GetTickCount64() - clockStartMs_);
        } else if (wParam >= kFirstTimerId && wParam < kFirstTimerId + timerRunning_.size()) {
          Guarded([&] { form_->TimerTick(static_cast<int>(wParam - kFirstTimerId)); });
          Refresh();
        }
        return 0;
      case WM_CLOSE: OnClose(); return 0;
      case WM_DESTROY: PostQuitMessage(0); return 0;
      default: break;
    }
  } else if (message == WM_PAINT) {
    PaintPanel(window);
    return 0;
  } else if (message == WM_ERASEBKGND) {
    return 1;  // the panel paints its whole face
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void MainWindow::OnCommand(HWND child, int code) {
  NativeControl* native = NativeFor(child);
  if (native == nullptr) return;
  std::visit(
      [&](auto* control) {
        using T = std::remove_pointer_t<decltype(control)>;
        if constexpr (std::is_same_v<T, Button>) {
          if (code != BN_CLICKED) return;
          Call(native->name + "Click");
          // Buttons take no focus: the keys go on reaching the map.
          if (GetFocus() == child) SetFocus(map_);
        } else if constexpr (std::is_same_v<T, CheckBox>) {
          if (code != BN_CLICKED) return;
          control->checked = SendMessageW(child, BM_GETCHECK, 0, 0) == BST_CHECKED;
          if (!Call(native->name + "Click")) Refresh();
          if (GetFocus() == child) SetFocus(map_);
        } else if constexpr (std::is_same_v<T, RadioButton>) {
          if (code != BN_CLICKED) return;
          form_->Controls().CheckRadio(*control);
          if (!Call(native->name + "Click")) Refresh();
          if (GetFocus() == child) SetFocus(map_);
        } else if constexpr (std::is_same_v<T, Edit>) {
          if (code != EN_CHANGE || refreshing_) return;
          control->text = WindowTextOf(child);
          native->shown.text = control->text;
        } else if constexpr (std::is_same_v<T, Memo>) {
          if (code != EN_CHANGE || refreshing_) return;
          control->lines = SplitLines(WindowTextOf(child));
          native->shown.lines = control->lines;
        } else if constexpr (std::is_same_v<T, ListBox>) {
          if (code != LBN_SELCHANGE) return;
          control->itemIndex = static_cast<int>(SendMessageW(child, LB_GETCURSEL, 0, 0));
          native->shown.itemIndex = control->itemIndex;
        }
      },
      native->control);
}

void MainWindow::OnMapResized(int width, int height) {
  if (form_ == nullptr || width <= 0 || height <= 0) return;
  paintBoxCanvas_.Resize(width, height);
  if (!started_) return;  // the form learns its size when the window is shown
  // The map's corner texts are placed from the window's outer size.
  RECT outer{};
  GetWindowRect(main_, &outer);
  form_->formWidth = outer.right - outer.left;
  form_->formHeight = outer.bottom - outer.top;
  form_->SetPaintBoxSize(width, height);
  imageCanvas_.SetVisibleArea(width, height);
  Refresh();
}

void MainWindow::OnClose() {
  if (!closed_) {
    closed_ = true;
    RECT outer{};
    GetWindowRect(main_, &outer);
    RECT inner{};
    GetClientRect(main_, &inner);
    form_->formLeft = outer.left;
    form_->formTop = outer.top;
    form_->formWidth = inner.right;
    form_->formHeight = inner.bottom;
    Guarded([this] { form_->FormClose(); });
    SyncTimers();
    KillTimer(main_, kFlightTimerId);
  }
  DestroyWindow(main_);
}

HFONT MainWindow::ButtonFont(bool bold, int height) {
  const auto key = std::make_pair(bold, height);
  const auto found = buttonFonts_.find(key);
  if (found != buttonFonts_.end()) return found->second;
  LOGFONTW description{};
  GetObjectW(uiFont_, sizeof(description), &description);
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
  GetObjectW(uiFont_, sizeof(base), &base);
  int height = base.lfHeight;
  const int room = button.width - 6;
  HGDIOBJ before = SelectObject(dc, ButtonFont(button.bold, height));
  SIZE extent{};
  while (GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent) && extent.cx > room &&
         std::abs(height) > 8) {
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
  HGDIOBJ before = SelectObject(dc, uiFont_);
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
    TextOutW(dc, 6, 0, padded.c_str(), static_cast<int>(padded.size()));
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
            SetWindowPos(window, nullptr, control->left, control->top, control->width, control->height,
                         SWP_NOZORDER | SWP_NOACTIVATE);
          }
          if (shown.fresh || shown.enabled != control->enabled) {
            shown.enabled = control->enabled;
            EnableWindow(window, control->enabled ? TRUE : FALSE);
          }
          if (shown.fresh || shown.visible != control->visible) {
            shown.visible = control->visible;
            ShowWindow(window, control->visible ? SW_SHOWNA : SW_HIDE);
            for (HWND companion : native.companions) ShowWindow(companion, control->visible ? SW_SHOWNA : SW_HIDE);
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

void MainWindow::SyncTimers() {
  const std::array<Timer*, 5> model = form_->Timers();
  for (size_t i = 0; i < model.size(); ++i) {
    const bool restart = model[i]->TakeRestartRequest();
    const bool run = model[i]->Enabled() && model[i]->Interval() > 0 && !closed_;
    const UINT_PTR id = kFirstTimerId + i;
    if (!run) {
      if (timerRunning_[i]) KillTimer(main_, id);
      timerRunning_[i] = false;
    } else if (restart || !timerRunning_[i]) {
      // Setting a running timer again starts its period anew.
      SetTimer(main_, id, model[i]->Interval(), nullptr);
      timerRunning_[i] = true;
    }
  }
}

}  // namespace corvane::shell::win32
