// The compiler's window: checkboxes, scan root, Start and Stop, progress, messages and the lists.
#pragma once

#include <QWidget>

#include <array>
#include <memory>
#include <optional>

#include "tessel/qt/list_model.h"
#include "tessel/qt/qt_run_observer.h"
#include "tessel/tessel_form.h"
#include "tessel/window_script.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListView;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QThread;

namespace tessel {

class TesselWindow final : public QWidget {
  Q_OBJECT
 public:
  explicit TesselWindow(WindowScript script, QWidget* parent = nullptr);
  ~TesselWindow() override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void btStart_Click();
  void btStop_Click();
  void btDir_Click();
  void RunFinished(RunResult result);
  void SetRunning(bool running);
  void RefreshFromForm();
  void SaveScreenshot(const std::string& path);
  // Asks a running scan to stop and waits for its thread to end.
  void StopWorker();

  void OnStep(const QString& message, int tab);
  void OnProgress(qulonglong value, qulonglong maximum);

  TesselForm form_;
  WindowScript script_;
  QtRunObserver observer_;
  // Runs the form while a scan is on; the window waits for it before it lets it go.
  std::unique_ptr<QThread> worker_;
  std::size_t problemCount_ = 0;
  bool progressShotTaken_ = false;

  // Controls, named as in the window layout.
  QCheckBox* chARP;
  QCheckBox* chRWY;
  QCheckBox* chVOR;
  QCheckBox* chNDB;
  QCheckBox* chHEL;
  QCheckBox* chILS;
  QCheckBox* chAPV;
  QLineEdit* txtPath;
  QPushButton* btDir;
  QPushButton* btStart;
  QPushButton* btStop;
  QProgressBar* PB1;
  QLabel* lbMess;
  QLabel* lbError;
  QLabel* lbFile;
  QTabWidget* SSTab1;
  std::array<QListView*, kTabCount + 1> lists_{};  // the nine lists, then the problems
  std::array<LineListModel*, kTabCount + 1> models_{};
};

}  // namespace tessel
