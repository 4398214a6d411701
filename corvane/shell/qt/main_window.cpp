// MainWindow: builds the widgets from the form's control list and keeps them in step with the model.
#include "main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>
#include <stdexcept>

#include "corvane/shell/form_handlers.h"
#include "corvane/shell/plan_engage.h"
#include "formats/conversion_error.h"

namespace corvane::shell::qt {
namespace {

QString ToQString(const std::string& text) { return QString::fromStdString(text); }

std::vector<std::string> SplitLines(const QString& text) {
  std::vector<std::string> lines;
  if (text.isEmpty()) return lines;
  for (const QString& line : text.split('\n')) lines.push_back(line.toStdString());
  return lines;
}

QString JoinLines(const std::vector<std::string>& lines) {
  QStringList list;
  for (const std::string& line : lines) list << ToQString(line);
  return list.join('\n');
}

// The platform's virtual-key codes, which the handlers compare against.
int VirtualKey(const QKeyEvent& event) {
  const int key = event.key();
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return 'A' + (key - Qt::Key_A);
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return '0' + (key - Qt::Key_0);
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Delete: return 0x2E;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_Plus:
    case Qt::Key_Equal: return 0xBB;
    case Qt::Key_Minus: return 0xBD;
    case Qt::Key_Left: return 0x25;
    case Qt::Key_Up: return 0x26;
    case Qt::Key_Right: return 0x27;
    case Qt::Key_Down: return 0x28;
    default: return 0;
  }
}

void SetBackground(QWidget* widget, map::Color color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, ToQColor(color));
  palette.setColor(QPalette::Base, ToQColor(color));
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

void SetGeometry(QWidget* widget, const Control& control) {
  const QRect rect(control.left, control.top, control.width, control.height);
  if (widget->geometry() != rect) widget->setGeometry(rect);
  if (widget->isVisibleTo(widget->parentWidget()) != control.visible) widget->setVisible(control.visible);
  if (widget->isEnabled() != control.enabled) widget->setEnabled(control.enabled);
}

}  // namespace

MainWindow::MainWindow(const WindowOptions& options)
    : dialogs_(this), imageCanvas_(3000, 2250), paintBoxCanvas_(1024, 768) {
  if (options.simulator.transport == nullptr) throw std::invalid_argument("no simulator transport");
  connection_ = options.simulator;
  form_ = std::make_unique<TForm1>(
      FormOptions{options.settingsPath, options.dataFolder, connection_.transport, connection_.sleep}, dialogs_,
      imageCanvas_, paintBoxCanvas_);
  BuildWidgets();
  if (connection_.advanceTo) {
    // A simulator that runs in this process flies on the wall clock.
    auto* flight = new QTimer(this);
    connect(flight, &QTimer::timeout, this,
            [this] { connection_.advanceTo(static_cast<std::uint64_t>(clock_.elapsed())); });
    clock_.start();
    flight->start(50);
  }
  move(form_->formLeft, form_->formTop);
  resize(form_->formWidth, form_->formHeight);
  Refresh();
}

MainWindow::~MainWindow() {
  for (QTimer* timer : timers_) timer->stop();
  form_->FormDestroy();
}

void MainWindow::Start() {
  show();
  form_->SetPaintBoxSize(map_->width(), map_->height());
  imageCanvas_.SetVisibleArea(map_->width(), map_->height());
  Refresh();
  Guarded([this] { form_->FormCreate(); });
  Refresh();
}

void MainWindow::FlyPlan(const std::vector<std::string>& planLines) {
  Guarded([&] { FlyPlanInArcView(*form_, planLines); });
  Refresh();
}

QWidget* MainWindow::WidgetFor(const std::string& controlName) const {
  const auto found = widgets_.find(controlName);
  return found == widgets_.end() ? nullptr : found->second;
}

void MainWindow::Guarded(const std::function<void()>& action) {
  try {
    action();
  } catch (const formats::ConversionError& error) {
    QMessageBox::warning(this, QStringLiteral("Corvane"), QString::fromStdString(error.what()));
  }
}

bool MainWindow::Call(const std::string& handler, const std::vector<std::string>& arguments) {
  const HandlerEntry* entry = FindHandler(handler);
  if (entry == nullptr) return false;
  Guarded([&] { entry->run(*form_, arguments); });
  Refresh();
  return true;
}

void MainWindow::BuildWidgets() {
  setWindowTitle(QStringLiteral("Corvane"));
  map_ = new MapWidget(paintBoxCanvas_, this);
  setCentralWidget(map_);
  statusText_ = new QLabel(statusBar());
  statusBar()->addWidget(statusText_, 1);
  connect(map_, &MapWidget::Resized, this, [this](int width, int height) {
    // The map's corner texts are placed from the window's outer size.
    form_->formWidth = frameGeometry().width();
    form_->formHeight = frameGeometry().height();
    form_->SetPaintBoxSize(width, height);
    imageCanvas_.SetVisibleArea(width, height);
    Refresh();
  });
  connect(map_, &MapWidget::MouseReleased, this, [this](const QString& button, int x, int y) {
    Call("PB1MouseUp", {button.toStdString(), std::to_string(x), std::to_string(y)});
  });
  connect(map_, &MapWidget::Wheel, this, [this](int delta) { Call("FormMouseWheel", {std::to_string(delta)}); });
  map_->installEventFilter(this);

  int timerIndex = 0;
  for (const ControlEntry& entry : form_->Controls().Entries()) {
    QWidget* parent = entry.parent.empty() ? static_cast<QWidget*>(map_) : widgets_.at(entry.parent);
    const std::string name = entry.name;
    QWidget* widget = std::visit(
        [&](auto* control) -> QWidget* {
          using T = std::remove_pointer_t<decltype(control)>;
          if constexpr (std::is_same_v<T, Panel>) {
            auto* frame = new QFrame(parent);
            frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
            return frame;
          } else if constexpr (std::is_same_v<T, Button>) {
            auto* button = new QPushButton(parent);
            button->setFocusPolicy(Qt::NoFocus);
            connect(button, &QPushButton::clicked, this, [this, name] { Call(name + "Click"); });
            return button;
          } else if constexpr (std::is_same_v<T, Edit>) {
            auto* edit = new QLineEdit(parent);
            connect(edit, &QLineEdit::textEdited, this,
                    [control](const QString& text) { control->text = text.toStdString(); });
            edit->installEventFilter(this);
            if (!control->caption.empty()) {
              auto* label = new QLabel(ToQString(control->caption), parent);
              label->setGeometry(8, control->top + 2, std::max(control->left - 12, 10), 18);
              editLabels_.emplace_back(control, label);
            }
            if (!control->unit.empty()) {
              auto* unit = new QLabel(ToQString(control->unit), parent);
              unit->setGeometry(control->left + control->width + 4, control->top + 2, 50, 18);
              editLabels_.emplace_back(control, unit);
            }
            return edit;
          } else if constexpr (std::is_same_v<T, Label>) {
            auto* label = new QLabel(parent);
            label->setContextMenuPolicy(Qt::CustomContextMenu);
            connect(label, &QLabel::customContextMenuRequested, this, [this, name] { Call(name + "ContextPopup"); });
            return label;
          } else if constexpr (std::is_same_v<T, CheckBox>) {
            auto* box = new QCheckBox(parent);
            box->setFocusPolicy(Qt::NoFocus);
            connect(box, &QCheckBox::clicked, this, [this, control, name](bool checked) {
              control->checked = checked;
              if (!Call(name + "Click")) Refresh();
            });
            return box;
          } else if constexpr (std::is_same_v<T, RadioButton>) {
            auto* radio = new QRadioButton(parent);
            radio->setFocusPolicy(Qt::NoFocus);
            connect(radio, &QRadioButton::clicked, this, [this, control, name] {
              form_->Controls().CheckRadio(*control);
              if (!Call(name + "Click")) Refresh();
            });
            return radio;
          } else if constexpr (std::is_same_v<T, Memo>) {
            auto* memo = new QPlainTextEdit(parent);
            memo->setLineWrapMode(QPlainTextEdit::NoWrap);
            memo->setFont(QFont(QStringLiteral("Monospace"), 9));
            connect(memo, &QPlainTextEdit::textChanged, this,
                    [control, memo] { control->lines = SplitLines(memo->toPlainText()); });
            return memo;
          } else if constexpr (std::is_same_v<T, ListBox>) {
            auto* list = new QListWidget(parent);
            list->setFont(QFont(QStringLiteral("Monospace"), 9));
            list->viewport()->installEventFilter(this);
            names_[list->viewport()] = name;
            connect(list, &QListWidget::currentRowChanged, this, [control](int row) { control->itemIndex = row; });
            return list;
          } else if constexpr (std::is_same_v<T, Shape>) {
            auto* swatch = new QFrame(parent);
            swatch->setFrameStyle(QFrame::Box | QFrame::Plain);
            swatch->setToolTip(ToQString(control->caption));
            swatch->setContextMenuPolicy(Qt::CustomContextMenu);
            connect(swatch, &QFrame::customContextMenuRequested, this, [this, name] { Call(name + "ContextPopup"); });
            if (!control->caption.empty()) {
              auto* label = new QLabel(ToQString(control->caption), parent);
              label->setGeometry(control->left + control->width + 6, control->top, 140, control->height);
            }
            return swatch;
          } else if constexpr (std::is_same_v<T, GroupBox>) {
            auto* group = new QGroupBox(ToQString(control->caption), parent);
            group->lower();
            return group;
          } else if constexpr (std::is_same_v<T, Timer>) {
            auto* timer = new QTimer(this);
            const int index = timerIndex++;
            connect(timer, &QTimer::timeout, this, [this, index] {
              Guarded([&] { form_->TimerTick(index); });
              Refresh();
            });
            timers_[static_cast<size_t>(index)] = timer;
            return nullptr;
          } else {
            return nullptr;  // PB1 is the map widget, IMG1 is off screen, SB1 is the status bar
          }
        },
        entry.control);
    if (widget != nullptr) {
      widgets_[name] = widget;
      names_[widget] = name;
    }
  }
  widgets_["PB1"] = map_;
}

void MainWindow::Refresh() {
  const QString title = ToQString(form_->Caption);
  if (windowTitle() != title) setWindowTitle(title);
  for (const ControlEntry& entry : form_->Controls().Entries()) {
    QWidget* widget = WidgetFor(entry.name);
    std::visit(
        [&](auto* control) {
          using T = std::remove_pointer_t<decltype(control)>;
          if constexpr (std::is_same_v<T, StatusBar>) {
            if (statusText_->text() != ToQString(control->text)) statusText_->setText(ToQString(control->text));
          }
          if (widget == nullptr || widget == map_) return;
          // A panel or list that opens lies over the map and over those open before it.
          bool opens = false;
          if constexpr (std::is_base_of_v<Control, T>) {
            opens = control->visible && !widget->isVisibleTo(widget->parentWidget());
            SetGeometry(widget, *control);
          }
          if constexpr (std::is_same_v<T, Panel>) {
            SetBackground(widget, control->color);
            if (opens) widget->raise();
          } else if constexpr (std::is_same_v<T, Button>) {
            auto* button = static_cast<QPushButton*>(widget);
            if (button->text() != ToQString(control->caption)) button->setText(ToQString(control->caption));
            // A caption wider than its button ("Hide Plane" on the strip) takes a smaller font.
            QFont font = QApplication::font();
            font.setBold(control->bold);
            int pointSize = font.pointSize();
            while (pointSize > 6 && QFontMetrics(font).horizontalAdvance(button->text()) > control->width - 6) {
              font.setPointSize(--pointSize);
            }
            if (font != button->font()) button->setFont(font);
            QPalette palette = button->palette();
            palette.setColor(QPalette::ButtonText, ToQColor(control->fontColor));
            button->setPalette(palette);
          } else if constexpr (std::is_same_v<T, Edit>) {
            auto* edit = static_cast<QLineEdit*>(widget);
            if (edit->text() != ToQString(control->text)) edit->setText(ToQString(control->text));
          } else if constexpr (std::is_same_v<T, Label>) {
            auto* label = static_cast<QLabel*>(widget);
            if (label->text() != ToQString(control->caption)) label->setText(ToQString(control->caption));
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, ToQColor(control->fontColor));
            label->setPalette(palette);
          } else if constexpr (std::is_same_v<T, CheckBox> || std::is_same_v<T, RadioButton>) {
            auto* button = static_cast<QAbstractButton*>(widget);
            button->setText(ToQString(control->caption));
            if (button->isChecked() != control->checked) {
              button->setAutoExclusive(false);
              button->setChecked(control->checked);
              button->setAutoExclusive(std::is_same_v<T, RadioButton>);
            }
          } else if constexpr (std::is_same_v<T, Memo>) {
            auto* memo = static_cast<QPlainTextEdit*>(widget);
            const QString text = JoinLines(control->lines);
            if (memo->toPlainText() != text) {
              const QSignalBlocker blocker(memo);
              memo->setPlainText(text);
            }
            SetBackground(memo, control->color);
          } else if constexpr (std::is_same_v<T, ListBox>) {
            auto* list = static_cast<QListWidget*>(widget);
            QStringList items;
            for (const std::string& line : control->lines) items << ToQString(line);
            QStringList shown;
            for (int i = 0; i < list->count(); ++i) shown << list->item(i)->text();
            if (shown != items) {
              const QSignalBlocker blocker(list);
              list->clear();
              list->addItems(items);
            }
            SetBackground(list, control->color);
            if (opens) list->raise();
          } else if constexpr (std::is_same_v<T, Shape>) {
            SetBackground(widget, control->brushColor);
          }
        },
        entry.control);
  }
  for (auto [edit, label] : editLabels_) label->setVisible(edit->visible);
  SyncTimers();
  map_->update();
}

void MainWindow::SyncTimers() {
  const std::array<Timer*, 5> model = form_->Timers();
  for (size_t i = 0; i < model.size(); ++i) {
    const bool restart = model[i]->TakeRestartRequest();
    const bool run = model[i]->Enabled() && model[i]->Interval() > 0 && !closed_;
    if (!run) {
      timers_[i]->stop();
    } else if (restart || !timers_[i]->isActive()) {
      timers_[i]->start(static_cast<int>(model[i]->Interval()));
    }
  }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
    const auto* keyEvent = static_cast<QKeyEvent*>(event);
    const std::string key = std::to_string(VirtualKey(*keyEvent));
    const auto name = names_.find(watched);
    if (event->type() == QEvent::KeyPress) {
      // The form sees every key first, as a form with key preview does; but Delete typed into a text
      // field edits the text and must not also delete a waypoint.
      const bool textField = qobject_cast<QLineEdit*>(watched) != nullptr;
      if (!(textField && keyEvent->key() == Qt::Key_Delete)) Call("FormKeyDown", {key});
      if (name != names_.end()) Call(name->second + "KeyDown", {key});
    } else if (name != names_.end()) {
      Call(name->second + "KeyUp", {key});
    }
  } else if (event->type() == QEvent::MouseButtonRelease) {
    const auto name = names_.find(watched);
    if (name != names_.end()) {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      const char* button = mouse->button() == Qt::RightButton    ? "right"
                           : mouse->button() == Qt::MiddleButton ? "middle"
                                                                 : "left";
      Call(name->second + "MouseUp",
           {button, std::to_string(mouse->position().toPoint().x()), std::to_string(mouse->position().toPoint().y())});
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!closed_) {
    closed_ = true;
    form_->formLeft = x();
    form_->formTop = y();
    form_->formWidth = width();
    form_->formHeight = height();
    Guarded([this] { form_->FormClose(); });
    SyncTimers();
  }
  event->accept();
}

QImage MainWindow::Screenshot() {
  const QPixmap window = grab();
  constexpr int kTitleHeight = 26;
  QImage image(window.width(), window.height() + kTitleHeight, QImage::Format_RGB32);
  image.fill(QColor(0x2b, 0x3a, 0x4a));
  QPainter painter(&image);
  painter.setPen(Qt::white);
  QFont font = painter.font();
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(QRect(8, 0, image.width() - 16, kTitleHeight), Qt::AlignVCenter | Qt::AlignLeft, windowTitle());
  painter.drawPixmap(0, kTitleHeight, window);
  return image;
}

}  // namespace corvane::shell::qt
