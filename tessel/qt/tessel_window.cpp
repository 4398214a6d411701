// The compiler's window: checkboxes, scan root, Start and Stop, progress, messages and the lists.
#include "tessel/qt/tessel_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QThread>
#include <QTimer>

namespace tessel {
namespace {
constexpr int kTwipsPerPixel = 15;
constexpr int kMarginPx = 8;
constexpr int kRowPx = 24;
constexpr int kTabTopPx = 96;
constexpr int kProblemsTab = static_cast<int>(kTabCount);
constexpr std::array<const char*, kTabCount> kListNames = {"lstDirs", "lstFiles", "lstNDB", "lstVOR", "lstILS",
                                                           "lstARP",  "lstRWY",   "lstHEL", "lstAPV"};

QString Latin1(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
}  // namespace

TesselWindow::TesselWindow(WindowScript script, QWidget* parent) : QWidget(parent), script_(std::move(script)) {
  form_.settingsFile = script_.places.settingsFile;
  form_.Form_Load(script_.places.outputFolder);
  if (script_.outputFolder) form_.outputFolder = *script_.outputFolder;
  if (script_.scanRoot) form_.txtPath = WithTrailingSeparator(*script_.scanRoot);
  setWindowTitle(Latin1(form_.caption));

  const auto checkbox = [this](const char* caption, bool checked) {
    auto* box = new QCheckBox(QString::fromLatin1(caption), this);
    box->setChecked(checked);
    return box;
  };
  chARP = checkbox("Airports", form_.kinds.airports);
  chRWY = checkbox("Runways", form_.kinds.runways);
  chVOR = checkbox("VORs", form_.kinds.vors);
  chNDB = checkbox("NDBs", form_.kinds.ndbs);
  chHEL = checkbox("Heliport", form_.kinds.heliports);
  chILS = checkbox("ILSs", form_.kinds.ilss);
  chAPV = checkbox("Airport View", form_.kinds.airportView);
  txtPath = new QLineEdit(Latin1(form_.txtPath), this);
  btDir = new QPushButton(QStringLiteral(">"), this);
  btStart = new QPushButton(QStringLiteral("Start"), this);
  btStop = new QPushButton(QStringLiteral("Stop"), this);
  btStop->setEnabled(false);
  PB1 = new QProgressBar(this);
  PB1->setRange(0, 1);
  PB1->setValue(0);
  lbMess = new QLabel(this);
  lbError = new QLabel(this);
  lbError->setStyleSheet(QStringLiteral("color: #b00000"));
  lbFile = new QLabel(this);
  lbFile->setTextFormat(Qt::PlainText);
  SSTab1 = new QTabWidget(this);
  // Each control answers to its name, as in the window layout.
  const std::pair<QWidget*, const char*> named[] = {
      {chARP, "chARP"},   {chRWY, "chRWY"},     {chVOR, "chVOR"},   {chNDB, "chNDB"},
      {chHEL, "chHEL"},   {chILS, "chILS"},     {chAPV, "chAPV"},   {txtPath, "txtPath"},
      {btDir, "btDir"},   {btStart, "btStart"}, {btStop, "btStop"}, {PB1, "PB1"},
      {lbMess, "lbMess"}, {lbError, "lbError"}, {lbFile, "lbFile"}, {SSTab1, "SSTab1"}};
  for (const auto& [widget, name] : named) widget->setObjectName(QString::fromLatin1(name));

  for (std::size_t i = 0; i <= kTabCount; ++i) {
    const LineList* lines = i < kTabCount ? &form_.lists.lines[i] : &form_.problems;
    models_[i] = new LineListModel(lines, this);
    lists_[i] = new QListView();
    lists_[i]->setObjectName(i < kTabCount ? QString::fromLatin1(kListNames[i]) : QStringLiteral("lstProblems"));
    lists_[i]->setModel(models_[i]);
    lists_[i]->setUniformItemSizes(true);
    lists_[i]->setFont(QFont(QStringLiteral("Monospace"), 9));
    lists_[i]->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A page holds its list at the list width of the layout rules, not stretched by a layout.
    auto* page = new QWidget();
    lists_[i]->setParent(page);
    SSTab1->addTab(page, i < kTabCount ? QString::fromLatin1(kTabCaptions[i].data(),
                                                             static_cast<qsizetype>(kTabCaptions[i].size()))
                                       : QStringLiteral("Problems"));
  }

  connect(btStart, &QPushButton::clicked, this, &TesselWindow::btStart_Click);
  connect(btStop, &QPushButton::clicked, this, &TesselWindow::btStop_Click);
  connect(btDir, &QPushButton::clicked, this, &TesselWindow::btDir_Click);
  connect(&observer_, &QtRunObserver::stepChanged, this, &TesselWindow::OnStep);
  connect(&observer_, &QtRunObserver::progressChanged, this, &TesselWindow::OnProgress);
  connect(&observer_, &QtRunObserver::fileChanged, this, [this](const QString& path) { lbFile->setText(path); });
  connect(&observer_, &QtRunObserver::bucketWarningChanged, lbError, &QLabel::setText);
  connect(&observer_, &QtRunObserver::problemReported, this, [this](const QString&) {
    ++problemCount_;
    SSTab1->setTabText(kProblemsTab, QStringLiteral("Problems (%1)").arg(problemCount_));
  });

  setMinimumSize(560, 420);
  move(form_.windowLeftTwips / kTwipsPerPixel, form_.windowTopTwips / kTwipsPerPixel);
  resize(900, 620);

  if (script_.scanRoot) {
    QTimer::singleShot(0, this, &TesselWindow::btStart_Click);
  } else if (script_.screenshotPath) {
    QTimer::singleShot(0, this, [this] {
      SaveScreenshot(*script_.screenshotPath);
      if (script_.quitAfterRun) close();
    });
  }
}

TesselWindow::~TesselWindow() { StopWorker(); }

void TesselWindow::StopWorker() {
  if (worker_ == nullptr) return;
  observer_.RequestStop();
  worker_->wait();
}

void TesselWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  form_.Form_Resize(width() * kTwipsPerPixel);
  const int tabWidth = form_.tabWidthTwips / kTwipsPerPixel;
  const int listWidth = form_.listWidthTwips / kTwipsPerPixel;
  const int progressWidth = form_.progressWidthTwips / kTwipsPerPixel;
  const int columnLeft = kMarginPx + tabWidth + kMarginPx;
  const int columnWidth = width() - columnLeft - kMarginPx / 2;

  txtPath->setGeometry(kMarginPx, kMarginPx, tabWidth - 32, kRowPx);
  btDir->setGeometry(kMarginPx + tabWidth - 28, kMarginPx, 28, kRowPx);
  btStart->setGeometry(columnLeft, kMarginPx, columnWidth, kRowPx);
  PB1->setGeometry((width() - progressWidth) / 2, kMarginPx + kRowPx + 8, progressWidth, 18);
  lbMess->setGeometry(kMarginPx, kMarginPx + 2 * kRowPx + 10, tabWidth / 3, 20);
  lbError->setGeometry(kMarginPx + tabWidth / 3, kMarginPx + 2 * kRowPx + 10, tabWidth / 3, 20);
  lbFile->setGeometry(kMarginPx, kMarginPx + 3 * kRowPx + 2, width() - 2 * kMarginPx, 14);
  lbFile->setStyleSheet(QStringLiteral("color: #555555; font-size: 8pt"));
  SSTab1->setGeometry(kMarginPx, kTabTopPx, tabWidth, height() - kTabTopPx - kMarginPx);

  int y = kTabTopPx + 24;
  for (QCheckBox* box : {chARP, chRWY, chVOR, chNDB, chHEL, chILS, chAPV}) {
    box->setGeometry(columnLeft, y, columnWidth, 22);
    y += 24;
  }
  btStop->setGeometry(columnLeft, y + 12, columnWidth, kRowPx);

  const int pageHeight = SSTab1->height() - SSTab1->tabBar()->height() - 8;
  for (QListView* list : lists_) list->setGeometry(2, 2, listWidth, pageHeight);
}

void TesselWindow::closeEvent(QCloseEvent* event) {
  StopWorker();
  form_.windowTopTwips = y() * kTwipsPerPixel;
  form_.windowLeftTwips = x() * kTwipsPerPixel;
  form_.txtPath = txtPath->text().toStdString();
  if (const auto problem = form_.Form_Unload())
    QMessageBox::warning(this, windowTitle(), QString::fromStdString(*problem));
  event->accept();
}

void TesselWindow::btDir_Click() {
  const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Scenery folder"), txtPath->text());
  if (folder.isEmpty()) {
    form_.btDir_FolderPicked(std::nullopt);
  } else {
    form_.btDir_FolderPicked(folder.toStdString());
  }
  txtPath->setText(Latin1(form_.txtPath));
}

void TesselWindow::btStart_Click() {
  if (worker_ != nullptr) return;
  form_.kinds = {chARP->isChecked(), chRWY->isChecked(), chVOR->isChecked(), chNDB->isChecked(),
                 chHEL->isChecked(), chILS->isChecked(), chAPV->isChecked()};
  form_.txtPath = WithTrailingSeparator(txtPath->text().toStdString());
  txtPath->setText(Latin1(form_.txtPath));
  problemCount_ = 0;
  progressShotTaken_ = false;
  lbError->clear();
  lbFile->clear();
  SSTab1->setTabText(kProblemsTab, QStringLiteral("Problems"));
  for (LineListModel* model : models_) model->SetFrozen(true);
  SetRunning(true);
  observer_.Reset();

  // The form belongs to the worker until it ends; the window shows only what the observer posts.
  worker_.reset(QThread::create([this] {
    const RunResult result = form_.btStart_Click(&observer_);
    QMetaObject::invokeMethod(
        this, [this, result] { RunFinished(result); }, Qt::QueuedConnection);
  }));
  worker_->start();
}

void TesselWindow::btStop_Click() {
  observer_.RequestStop();
  btStop->setEnabled(false);
}

void TesselWindow::RunFinished(RunResult result) {
  worker_->wait();
  worker_.reset();
  SetRunning(false);
  RefreshFromForm();
  if (!result.outputWritten) lbError->setText(QStringLiteral("Output not written, see Problems"));
  if (script_.screenshotPath) SaveScreenshot(*script_.screenshotPath);
  if (script_.quitAfterRun) close();
}

void TesselWindow::SetRunning(bool running) {
  btStart->setEnabled(!running);
  btStop->setEnabled(running);
  btDir->setEnabled(!running);
  txtPath->setReadOnly(running);
  for (QCheckBox* box : {chARP, chRWY, chVOR, chNDB, chHEL, chILS, chAPV}) box->setEnabled(!running);
}

void TesselWindow::RefreshFromForm() {
  for (LineListModel* model : models_) model->SetFrozen(false);
  lbMess->setText(Latin1(form_.lbMess));
  // Progress posts are thinned out on their way here; the bar ends where the run really ended.
  OnProgress(form_.PB1Value, form_.PB1Max);
  if (!form_.lbError.empty()) lbError->setText(Latin1(form_.lbError));
  SSTab1->setCurrentIndex(static_cast<int>(form_.SSTab1Tab));
  if (!form_.problems.empty()) {
    SSTab1->setTabText(kProblemsTab, QStringLiteral("Problems (%1)").arg(form_.problems.size()));
  }
  // The file list selects its last line, as after the walk.
  QListView* files = lists_[static_cast<std::size_t>(TabList::Files)];
  if (files->model()->rowCount() > 0) {
    files->setCurrentIndex(files->model()->index(files->model()->rowCount() - 1, 0));
  }
}

void TesselWindow::OnStep(const QString& message, int tab) {
  if (!message.isEmpty()) lbMess->setText(message);
  SSTab1->setCurrentIndex(tab);
}

void TesselWindow::OnProgress(qulonglong value, qulonglong maximum) {
  // The bar counts in thousandths so that very long lists still fit its int range.
  PB1->setRange(0, 1000);
  PB1->setValue(maximum == 0 ? 0 : static_cast<int>(std::min<qulonglong>(value, maximum) * 1000 / maximum));
  PB1->setFormat(QStringLiteral("%1 / %2").arg(value).arg(maximum));
  if (script_.progressShotPath && !progressShotTaken_ && lbMess->text() == QLatin1String(kStepScanningFiles) &&
      maximum > 0 && value * 2 >= maximum) {
    progressShotTaken_ = true;
    SaveScreenshot(*script_.progressShotPath);
  }
}

void TesselWindow::SaveScreenshot(const std::string& path) {
  if (!grab().save(QString::fromStdString(path))) {
    lbError->setText(QStringLiteral("Cannot save the screenshot"));
  }
}

}  // namespace tessel
