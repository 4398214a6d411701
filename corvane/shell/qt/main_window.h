// The main window: one widget per control of TForm1, events forwarded to its handlers, then a refresh.
#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <array>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "corvane/shell/form1.h"
#include "corvane/shell/simulator_connection.h"
#include "map_widget.h"
#include "qt_canvas.h"
#include "qt_dialogs.h"

class QLabel;
class QTimer;

namespace corvane::shell::qt {

struct WindowOptions {
  std::filesystem::path settingsPath;
  std::filesystem::path dataFolder;
  SimulatorConnection simulator;  // chosen by the program; the window keeps it while it lives
};

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  // Builds the form (its construction steps) and the widgets; throws std::invalid_argument when the
  // options hand it no simulator transport.
  explicit MainWindow(const WindowOptions& options);
  ~MainWindow() override;

  // Shows the window, sizes the strips to the map, then runs the create event (the start sequence).
  void Start();

  // Has the plan flown as a pilot would ask for it, and shows it heading-up in the arc view.
  void FlyPlan(const std::vector<std::string>& planLines);

  // Runs a handler by name if one is built; a conversion error is shown in a message box and the
  // program goes on. Every call ends with one refresh of the widgets. False when there is no handler.
  bool Call(const std::string& handler, const std::vector<std::string>& arguments = {});

  TForm1& form() { return *form_; }
  QWidget* WidgetFor(const std::string& controlName) const;
  // The window with a band on top showing its caption, as a screenshot shows it.
  QImage Screenshot();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildWidgets();
  void Refresh();
  void SyncTimers();
  void Guarded(const std::function<void()>& action);

  QtDialogs dialogs_;
  QtCanvas imageCanvas_;
  QtCanvas paintBoxCanvas_;
  SimulatorConnection connection_;
  std::unique_ptr<TForm1> form_;
  MapWidget* map_ = nullptr;
  QLabel* statusText_ = nullptr;
  std::map<std::string, QWidget*> widgets_;
  std::map<QObject*, std::string> names_;
  std::vector<std::pair<const Edit*, QLabel*>> editLabels_;
  std::array<QTimer*, 5> timers_{};
  bool closed_ = false;
  QElapsedTimer clock_;
};

}  // namespace corvane::shell::qt
