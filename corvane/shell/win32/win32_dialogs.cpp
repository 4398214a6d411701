// Win32Dialogs: GetOpenFileNameW, GetSaveFileNameW, ChooseColorW, ChooseFontW, MessageBoxW and an input
// box built in code.
#include "win32_dialogs.h"

#include <algorithm>
#include <vector>

#include "gdi_canvas.h"
#include "platform/win32/child_windows.h"
#include "platform/win32/dpi.h"
#include "platform/win32/wide_text.h"

namespace corvane::shell::win32 {
using platform::win32::FromWide;
using platform::win32::ToWide;
using platform::win32::WindowTextOf;
namespace {

constexpr wchar_t kProgramName[] = L"Corvane";

// The input box: a prompt, an edit and OK / Cancel in a small popup with its own modal loop.
class InputBoxWindow {
 public:
  static std::string Run(HWND owner, std::string_view title, std::string_view prompt, std::string_view defaultText) {
    InputBoxWindow box;
    box.text_ = std::string(defaultText);
    box.Show(owner, title, prompt);
    return box.accepted_ ? box.text_ : std::string(defaultText);
  }

 private:
  static constexpr int kOk = IDOK;
  static constexpr int kCancel = IDCANCEL;

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* box = static_cast<InputBoxWindow*>(platform::win32::OwnerOfWindow(window, message, lParam));
    if (box != nullptr) {
      if (message == WM_COMMAND && (LOWORD(wParam) == kOk || LOWORD(wParam) == kCancel)) {
        box->Finish(LOWORD(wParam) == kOk);
        return 0;
      }
      if (message == WM_CLOSE) {
        box->Finish(false);
        return 0;
      }
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  void Finish(bool accepted) {
    if (accepted) text_ = WindowTextOf(edit_);
    accepted_ = accepted;
    done_ = true;
  }

  void Show(HWND owner, std::string_view title, std::string_view prompt) {
    static const ATOM windowClass = [] {
      WNDCLASSW description = platform::win32::TopLevelWindowClass(Procedure, L"CorvaneInputBox");
      description.hIcon = nullptr;  // a dialog's caption shows none
      return RegisterClassW(&description);
    }();
    if (windowClass == 0) return;
    // Laid out at 96 DPI, shown at the DPI of the window it belongs to.
    const int dpi = platform::win32::DpiOfWindow(owner);
    const auto scaled = [dpi](int length) { return platform::win32::Scaled(length, dpi); };
    HFONT font = platform::win32::NewMessageFont(dpi);
    RECT frame = {0, 0, scaled(360), scaled(112)};
    AdjustWindowRectEx(&frame, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_DLGMODALFRAME);
    RECT ownerRect = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (owner != nullptr) GetWindowRect(owner, &ownerRect);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int left = (ownerRect.left + ownerRect.right - width) / 2;
    const int top = (ownerRect.top + ownerRect.bottom - height) / 2;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND window =
        CreateWindowExW(WS_EX_DLGMODALFRAME, L"CorvaneInputBox", ToWide(title).c_str(),
                        WS_POPUP | WS_CAPTION | WS_SYSMENU, left, top, width, height, owner, nullptr, instance, this);
    if (window == nullptr) {
      DeleteObject(font);
      return;
    }
    auto child = [&](const wchar_t* kind, const std::wstring& text, DWORD style, int x, int y, int w, int h, int id) {
      HWND control = CreateWindowExW(std::wstring_view(kind) == L"EDIT" ? WS_EX_CLIENTEDGE : 0, kind, text.c_str(),
                                     WS_CHILD | WS_VISIBLE | style, scaled(x), scaled(y), scaled(w), scaled(h), window,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
      SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
      return control;
    };
    child(L"STATIC", ToWide(prompt), SS_LEFT, 10, 10, 340, 20, 0);
    edit_ = child(L"EDIT", ToWide(text_), WS_TABSTOP | ES_AUTOHSCROLL, 10, 34, 340, 24, 0);
    child(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 190, 72, 75, 26, kOk);
    child(L"BUTTON", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON, 275, 72, 75, 26, kCancel);
    SendMessageW(edit_, EM_SETSEL, 0, -1);
    if (owner != nullptr) EnableWindow(owner, FALSE);
    ShowWindow(window, SW_SHOW);
    SetFocus(edit_);
    MSG message;
    while (!done_ && GetMessageW(&message, nullptr, 0, 0) > 0) {
      // Enter and Escape answer the box as the dialog manager's keys do.
      if (message.message == WM_KEYDOWN && (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE) &&
          (message.hwnd == window || IsChild(window, message.hwnd))) {
        Finish(message.wParam == VK_RETURN);
        continue;
      }
      if (!IsDialogMessageW(window, &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
    if (owner != nullptr) EnableWindow(owner, TRUE);
    DestroyWindow(window);
    DeleteObject(font);
    if (owner != nullptr) SetActiveWindow(owner);
    if (!done_) PostQuitMessage(0);  // the quit taken from the queue belongs to the program's own loop
  }

  std::string text_;
  HWND edit_ = nullptr;
  bool accepted_ = false;
  bool done_ = false;
};

}  // namespace

std::wstring ToNativeFilter(std::string_view filter) {
  std::wstring result = ToWide(filter);
  if (result.empty()) result = L"All files|*.*";
  std::replace(result.begin(), result.end(), L'|', L'\0');
  result.push_back(L'\0');
  result.push_back(L'\0');
  return result;
}

std::optional<std::string> Win32Dialogs::RunFileDialog(const FileDialog& dialog, bool save) {
  std::vector<wchar_t> path(32768, L'\0');
  const std::wstring filter = ToNativeFilter(dialog.filter);
  const std::wstring title = ToWide(dialog.title);
  const std::wstring folder = ToWide(dialog.initialDir);
  std::wstring extension = ToWide(dialog.defaultExt);
  if (!extension.empty() && extension.front() == L'.') extension.erase(0, 1);
  OPENFILENAMEW request{};
  request.lStructSize = sizeof(request);
  request.hwndOwner = owner_;
  request.lpstrFilter = filter.c_str();
  request.nFilterIndex = 1;
  request.lpstrFile = path.data();
  request.nMaxFile = static_cast<DWORD>(path.size());
  request.lpstrTitle = title.empty() ? nullptr : title.c_str();
  request.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  request.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  request.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY |
                  (save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
  const BOOL chosen = save ? GetSaveFileNameW(&request) : GetOpenFileNameW(&request);
  if (!chosen) return std::nullopt;
  return FromWide(path.data());
}

std::optional<std::string> Win32Dialogs::OpenFile(const FileDialog& dialog) { return RunFileDialog(dialog, false); }
std::optional<std::string> Win32Dialogs::SaveFile(const FileDialog& dialog) { return RunFileDialog(dialog, true); }

std::optional<Color> Win32Dialogs::PickColor(Color initial) {
  CHOOSECOLORW request{};
  request.lStructSize = sizeof(request);
  request.hwndOwner = owner_;
  request.rgbResult = ToColorRef(initial);
  request.lpCustColors = customColors_;
  request.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!ChooseColorW(&request)) return std::nullopt;
  return static_cast<Color>(request.rgbResult & 0x00FFFFFF);
}

std::optional<map::Font> Win32Dialogs::PickFont(const map::Font& initial) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  LOGFONTW description = ToLogFont(initial, dpi);
  CHOOSEFONTW request{};
  request.lStructSize = sizeof(request);
  request.hwndOwner = owner_;
  request.lpLogFont = &description;
  request.Flags = CF_INITTOLOGFONTSTRUCT | CF_SCREENFONTS | CF_EFFECTS;
  request.rgbColors = ToColorRef(initial.color);
  if (!ChooseFontW(&request)) return std::nullopt;
  map::Font result = initial;
  result.name = FromWide(description.lfFaceName);
  result.size = request.iPointSize > 0 ? request.iPointSize / 10 : initial.size;  // tenths of a point
  result.style = {description.lfWeight >= FW_BOLD, description.lfItalic != 0, description.lfUnderline != 0};
  result.color = static_cast<Color>(request.rgbColors & 0x00FFFFFF);
  return result;
}

void Win32Dialogs::ShowMessage(std::string_view text, std::string_view title) {
  const std::wstring caption = title.empty() ? std::wstring(kProgramName) : ToWide(title);
  MessageBoxW(owner_, ToWide(text).c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION);
}

bool Win32Dialogs::Confirm(std::string_view text, std::string_view title) {
  return MessageBoxW(owner_, ToWide(text).c_str(), ToWide(title).c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

std::string Win32Dialogs::InputBox(std::string_view title, std::string_view prompt, std::string_view defaultText) {
  return InputBoxWindow::Run(owner_, title, prompt, defaultText);
}

}  // namespace corvane::shell::win32
