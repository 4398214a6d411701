// The main window: one native child window per control of TForm1, events forwarded to its handlers,
// then a refresh that pushes the model's state into the controls where it changed. The form lays out and
// draws in pixels at 96 DPI; the window shows that layout at the DPI of its monitor, and the map's
// picture has the screen's own pixels.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "corvane/shell/form1.h"
#include "corvane/shell/simulator_connection.h"
#include "gdi_canvas.h"
#include "platform/win32/dpi.h"
#include "platform/win32/windows_api.h"
#include "win32_dialogs.h"

namespace corvane::shell::win32 {

struct WindowOptions {
  std::filesystem::path settingsPath;
  std::filesystem::path dataFolder;
  SimulatorConnection simulator;  // chosen by the program; the window keeps it while it lives
  Dialogs* dialogs = nullptr;     // nullptr: the native dialogs; must outlive the window otherwise
};

class MainWindow {
 public:
  // Builds the form (its construction steps) and the native windows, not yet shown; throws
  // std::invalid_argument when the options hand it no simulator transport, std::runtime_error when
  // the windows cannot be made.
  explicit MainWindow(const WindowOptions& options);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Shows the window, sizes the strips to the map, then runs the create event (the start sequence).
  void Start();
  // Has the plan flown as a pilot would ask for it, and shows it heading-up in the arc view.
  void FlyPlan(const std::vector<std::string>& planLines);
  // Runs a handler by name if one is built; a conversion error is shown in a message box and the
  // program goes on. Every call ends with one refresh of the controls. False when there is no handler.
  bool Call(const std::string& handler, const std::vector<std::string>& arguments = {});

  TForm1& form() { return *form_; }
  HWND window() const { return main_; }
  HWND WindowFor(const std::string& controlName) const;
  // The tooltip window that names each colour swatch, as the Qt window's swatches do.
  HWND ToolTips() const { return toolTips_; }
  bool Closed() const { return closed_; }
  // The DPI the window is shown at: its monitor's when it was made or last moved.
  int Dpi() const { return dpi_; }
  // The window with a band on top showing its caption, as a screenshot shows it; false when the file
  // cannot be written.
  bool SaveScreenshot(const std::filesystem::path& path);

 private:
  // What a native control was last given, so a refresh touches only what changed.
  struct Shown {
    bool fresh = true;
    RECT rect{};
    bool visible = false;
    bool enabled = true;
    bool checked = false;
    bool bold = false;
    Color color = 0;
    Color fontColor = 0;
    int itemIndex = -1;
    std::string text;
    std::vector<std::string> lines;
  };
  // A label beside a control (an edit's caption and unit, a swatch's caption), in the 96-DPI layout.
  struct Companion {
    HWND window = nullptr;
    RECT layout{};
  };
  struct NativeControl {
    std::string name;
    ControlRef control;
    HWND window = nullptr;
    std::vector<Companion> companions;
    Shown shown;
  };

  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ControlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleControl(NativeControl& native, UINT message, WPARAM wParam, LPARAM lParam);

  void BuildWindows();
  HWND NewChild(const wchar_t* windowClass, DWORD style, HWND parent, const Control& control, DWORD extendedStyle = 0);
  Companion NewLabel(const std::string& text, HWND parent, int left, int top, int width, int height);
  // The fonts at the window's DPI, then set on every control: the lists and memos fixed-pitch.
  void MakeFonts();
  void ApplyFonts();
  // WM_DPICHANGED: the new DPI and the system's suggested window rectangle.
  void OnDpiChanged(int dpi, LPARAM suggested);
  // A length of the form's layout on this screen, and back.
  int ToScreen(int length) const;
  int ToLayout(int length) const;
  std::vector<std::string> MouseUpArguments(UINT message, LPARAM lParam) const;
  void Subclass(HWND window);
  void AddToolTip(HWND tool, const std::string& text);
  void OnCommand(HWND child, int code);
  void OnMapResized(int width, int height);
  void OnClose();
  void LayOutClient();
  void DrawButton(const DRAWITEMSTRUCT& item);
  LRESULT ControlColours(HWND parent, HWND child, HDC dc);
  void PaintPanel(HWND panel);
  void PaintGroupBox(const NativeControl& native);
  COLORREF PanelColour(HWND panel);
  HFONT ButtonFont(bool bold, int height);
  HBRUSH SolidBrush(COLORREF color);
  NativeControl* NativeFor(HWND window);

  void Refresh();
  void RefreshControl(NativeControl& native);
  void SyncTimers();
  void Guarded(const std::function<void()>& action);

  Win32Dialogs nativeDialogs_;
  GdiCanvas imageCanvas_;
  GdiCanvas paintBoxCanvas_;
  SimulatorConnection connection_;
  std::unique_ptr<TForm1> form_;
  HWND main_ = nullptr;
  HWND map_ = nullptr;
  HWND status_ = nullptr;
  HWND toolTips_ = nullptr;
  std::string shownCaption_;
  std::string shownStatus_;
  std::vector<std::unique_ptr<NativeControl>> natives_;
  std::map<HWND, NativeControl*> byWindow_;
  std::map<HWND, WNDPROC> originalProcedures_;
  std::map<std::pair<bool, int>, HFONT> buttonFonts_;
  std::map<COLORREF, HBRUSH> brushes_;
  platform::win32::ControlFonts fonts_;
  int dpi_ = 96;
  std::array<bool, 5> timerRunning_{};
  bool started_ = false;
  bool closed_ = false;
  bool refreshing_ = false;
  std::uint64_t clockStartMs_ = 0;
};

}  // namespace corvane::shell::win32
