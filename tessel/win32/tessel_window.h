// tessel-gui.exe's window over TesselForm: the kind check boxes, the scan root and its folder dialog,
// Start and Stop, the progress bar and step texts, the tabbed lists and the problems. The scan runs on
// a worker thread; the window shows what the worker posts and stays responsive.
#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "platform/win32/dpi.h"
#include "platform/win32/windows_api.h"
#include "tessel/tessel_form.h"
#include "tessel/win32/posting_observer.h"
#include "tessel/window_script.h"

namespace tessel::win32 {

class TesselWindow {
 public:
  // Reads TESSEL.INI and makes the window, not yet shown; throws std::runtime_error when the system
  // cannot make it.
  explicit TesselWindow(WindowScript script);
  ~TesselWindow();
  TesselWindow(const TesselWindow&) = delete;
  TesselWindow& operator=(const TesselWindow&) = delete;

  // Shows the window and starts the run the script asks for.
  void Show();
  HWND window() const { return main_; }
  // A control by its name in the layout ("btStart", "lstFiles", "lstProblems", ...); null if none.
  HWND Control(const std::string& name) const;
  bool Running() const { return worker_.joinable(); }
  bool Closed() const { return closed_; }
  // The form, which the worker owns while a run is on.
  const TesselForm& form() const { return form_; }
  const RunResult& LastResult() const { return lastResult_; }

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void BuildControls();
  HFONT FontFor(std::string_view controlName) const;
  void LayOut();
  void OnCommand(HWND control, int code);
  void DrawListLine(const DRAWITEMSTRUCT& item);
  void ShowTab(std::size_t tab);

  void btStart_Click();
  void btStop_Click();
  void btDir_Click();
  void OnRunPosted();
  void OnRunFinished();
  void SetRunning(bool running);
  void RefreshFromForm();
  void ShowProgress(std::size_t value, std::size_t maximum);
  void SaveScreenshot(const std::string& path);
  void OnClose();
  // Asks a running scan to stop and waits for its thread to end.
  void StopWorker();

  TesselForm form_;
  WindowScript script_;
  HWND main_ = nullptr;
  std::unique_ptr<PostingObserver> observer_;
  std::thread worker_;
  RunResult result_;      // written by the worker, read once it has ended
  RunResult lastResult_;  // the last finished run's
  bool progressShotTaken_ = false;
  bool closed_ = false;
  int dpi_ = 96;
  corvane::platform::win32::ControlFonts fonts_;
  std::size_t shownTab_ = 0;

  struct Named {
    std::string name;
    HWND window = nullptr;
  };
  std::array<HWND, 7> kindBoxes_{};
  HWND txtPath_ = nullptr;
  HWND btDir_ = nullptr;
  HWND btStart_ = nullptr;
  HWND btStop_ = nullptr;
  HWND progress_ = nullptr;
  HWND lbMess_ = nullptr;
  HWND lbError_ = nullptr;
  HWND lbFile_ = nullptr;
  HWND tabs_ = nullptr;
  std::array<HWND, kTabCount + 1> lists_{};  // the nine lists, then the problems
  std::vector<Named> named_;
};

}  // namespace tessel::win32
