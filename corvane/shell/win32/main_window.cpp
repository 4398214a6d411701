// MainWindow's life: made and destroyed, shown, sized, closed; the handlers it calls and the timers it runs.
#include "main_window.h"

#include <algorithm>
#include <stdexcept>

#include "corvane/shell/form_handlers.h"
#include "corvane/shell/plan_engage.h"
#include "formats/conversion_error.h"
#include "main_window_parts.h"
#include "platform/win32/child_windows.h"
#include "platform/win32/dpi.h"

namespace corvane::shell::win32 {
using namespace main_window_parts;

// The canvases start at the screen's DPI, the window's own on a single monitor: a large picture is then
// not made twice when the window finds its DPI.
MainWindow::MainWindow(const WindowOptions& options)
    : imageCanvas_(3000, 2250, platform::win32::DpiOfWindow(nullptr)),
      paintBoxCanvas_(1024, 768, platform::win32::DpiOfWindow(nullptr)) {
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
}

int MainWindow::ToScreen(int length) const { return platform::win32::Scaled(length, dpi_); }
int MainWindow::ToLayout(int length) const { return platform::win32::Unscaled(length, dpi_); }

void MainWindow::LayOutClient() {
  RECT client{};
  GetClientRect(main_, &client);
  const int width = client.right - client.left;
  const int statusHeight = ToScreen(kStatusHeight);
  const int height = std::max<int>(client.bottom - client.top - statusHeight, 1);
  MoveWindow(map_, 0, 0, width, height, TRUE);
  MoveWindow(status_, 0, height, width, statusHeight, TRUE);
}

void MainWindow::OnDpiChanged(int dpi, LPARAM suggested) {
  if (dpi <= 0 || dpi == dpi_) return;
  dpi_ = dpi;
  MakeFonts();
  ApplyFonts();
  imageCanvas_.SetDpi(dpi_);
  paintBoxCanvas_.SetDpi(dpi_);
  for (const auto& native : natives_) {
    native->shown.rect = {-1, -1, -1, -1};  // placed anew by the refresh
    for (const Companion& companion : native->companions) {
      platform::win32::PlaceChild(companion.window, companion.layout.left, companion.layout.top,
                                  companion.layout.right - companion.layout.left,
                                  companion.layout.bottom - companion.layout.top, dpi_);
    }
  }
  platform::win32::MoveToSuggestedRect(main_, suggested);
  LayOutClient();
  // Until the map timer's next frame the old picture would stand, stretched.
  if (started_ && form_->Timer1.Enabled()) Guarded([this] { form_->TimerTick(0); });
  Refresh();
  RedrawWindow(main_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
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

void MainWindow::OnMapResized(int pixelWidth, int pixelHeight) {
  const int width = ToLayout(pixelWidth);
  const int height = ToLayout(pixelHeight);
  if (form_ == nullptr || width <= 0 || height <= 0) return;
  paintBoxCanvas_.Resize(width, height);
  if (!started_) return;  // the form learns its size when the window is shown
  // The map's corner texts are placed from the window's outer size.
  RECT outer{};
  GetWindowRect(main_, &outer);
  form_->formWidth = ToLayout(outer.right - outer.left);
  form_->formHeight = ToLayout(outer.bottom - outer.top);
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
    // The settings keep the layout's size, so the window opens as large on a screen of any DPI.
    form_->formWidth = ToLayout(inner.right);
    form_->formHeight = ToLayout(inner.bottom);
    Guarded([this] { form_->FormClose(); });
    SyncTimers();
    KillTimer(main_, kFlightTimerId);
  }
  DestroyWindow(main_);
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
