// MainWindow's messages: the window procedures, and the events forwarded to the form's handlers.
#include "corvane/shell/form_handlers.h"
#include "main_window_parts.h"
#include "platform/win32/child_windows.h"
#include "platform/win32/dpi.h"
#include "platform/win32/wide_text.h"

namespace corvane::shell::win32 {
using namespace main_window_parts;
using platform::win32::WindowTextOf;
namespace {

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

const char* MouseButtonName(UINT message) {
  switch (message) {
    case WM_RBUTTONUP: return "right";
    case WM_MBUTTONUP: return "middle";
    default: return "left";
  }
}

}  // namespace

// A mouse release as the form's handlers take it: the button, then the place in the 96-DPI layout.
std::vector<std::string> MainWindow::MouseUpArguments(UINT message, LPARAM lParam) const {
  return {MouseButtonName(message), std::to_string(ToLayout(MouseX(lParam))), std::to_string(ToLayout(MouseY(lParam)))};
}

LRESULT CALLBACK MainWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<MainWindow*>(platform::win32::OwnerOfWindow(window, message, lParam));
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
    self->Call(native->name + "MouseUp", self->MouseUpArguments(message, lParam));
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
        // The picture's pixels are the layout's, scaled and rounded: a last column or row may lie beyond it.
        const RECT right = {paintBoxCanvas_.PixelWidth(), area.top, area.right, area.bottom};
        const RECT below = {area.left, paintBoxCanvas_.PixelHeight(), area.right, area.bottom};
        for (const RECT& beyond : {right, below}) {
          if (beyond.right > beyond.left && beyond.bottom > beyond.top) {
            FillRect(dc, &beyond, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
          }
        }
        EndPaint(window, &paint);
        return 0;
      }
      case WM_SIZE: OnMapResized(LOWORD(lParam), HIWORD(lParam)); return 0;
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN: SetFocus(window); return 0;
      case WM_LBUTTONUP:
      case WM_RBUTTONUP:
      case WM_MBUTTONUP: Call("PB1MouseUp", MouseUpArguments(message, lParam)); return 0;
      case WM_KEYDOWN: Call("FormKeyDown", {std::to_string(static_cast<int>(wParam))}); return 0;
      case WM_GETDLGCODE: return DLGC_WANTALLKEYS;
      default: break;
    }
  } else if (window == main_) {
    switch (message) {
      case WM_SIZE: LayOutClient(); return 0;
      case WM_SETFOCUS: SetFocus(map_); return 0;
      case WM_DPICHANGED: OnDpiChanged(HIWORD(wParam), lParam); return 0;
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

}  // namespace corvane::shell::win32
