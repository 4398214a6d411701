// QtDialogs: QFileDialog, QColorDialog, QFontDialog, QMessageBox and QInputDialog.
#include "qt_dialogs.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>

#include "qt_canvas.h"

namespace corvane::shell::qt {
namespace {

QString ToQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

std::string ToQtFilter(std::string_view filter) {
  std::string result;
  size_t position = 0;
  while (position < filter.size()) {
    const size_t nameEnd = filter.find('|', position);
    if (nameEnd == std::string_view::npos) break;
    size_t patternEnd = filter.find('|', nameEnd + 1);
    if (patternEnd == std::string_view::npos) patternEnd = filter.size();
    std::string name(filter.substr(position, nameEnd - position));
    std::string patterns(filter.substr(nameEnd + 1, patternEnd - nameEnd - 1));
    for (char& c : patterns) c = c == ';' ? ' ' : c;
    if (patterns == "*.*") patterns = "*";
    // A name that already shows its patterns keeps them once.
    if (name.find('(') == std::string::npos) name += " (" + patterns + ")";
    if (!result.empty()) result += ";;";
    result += name;
    position = patternEnd + 1;
  }
  return result;
}

std::string InitialFolder(std::string_view folder) {
  if (folder.empty() || folder == "C:\\" || folder == "C:") return QDir::homePath().toStdString();
  return std::string(folder);
}

std::optional<std::string> QtDialogs::RunFileDialog(const FileDialog& dialog, bool save) {
  QFileDialog fileDialog(parent_, ToQString(dialog.title), ToQString(InitialFolder(dialog.initialDir)),
                         ToQString(ToQtFilter(dialog.filter)));
  fileDialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  fileDialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!dialog.defaultExt.empty()) fileDialog.setDefaultSuffix(ToQString(dialog.defaultExt));
  if (fileDialog.exec() != QDialog::Accepted || fileDialog.selectedFiles().isEmpty()) return std::nullopt;
  return fileDialog.selectedFiles().front().toStdString();
}

std::optional<std::string> QtDialogs::OpenFile(const FileDialog& dialog) { return RunFileDialog(dialog, false); }
std::optional<std::string> QtDialogs::SaveFile(const FileDialog& dialog) { return RunFileDialog(dialog, true); }

std::optional<Color> QtDialogs::PickColor(Color initial) {
  const QColor chosen = QColorDialog::getColor(ToQColor(initial), parent_);
  if (!chosen.isValid()) return std::nullopt;
  return FromQColor(chosen);
}

std::optional<map::Font> QtDialogs::PickFont(const map::Font& initial) {
  QFont font(ToQString(initial.name), std::max(initial.size, 1));
  font.setBold(initial.style.bold);
  font.setItalic(initial.style.italic);
  font.setUnderline(initial.style.underline);
  bool accepted = false;
  const QFont chosen = QFontDialog::getFont(&accepted, font, parent_);
  if (!accepted) return std::nullopt;
  map::Font result = initial;
  result.name = chosen.family().toStdString();
  result.size = chosen.pointSize() > 0 ? chosen.pointSize() : initial.size;
  result.style = {chosen.bold(), chosen.italic(), chosen.underline()};
  return result;
}

void QtDialogs::ShowMessage(std::string_view text, std::string_view title) {
  QMessageBox::information(parent_, title.empty() ? QStringLiteral("Corvane") : ToQString(title), ToQString(text));
}

bool QtDialogs::Confirm(std::string_view text, std::string_view title) {
  return QMessageBox::question(parent_, ToQString(title), ToQString(text), QMessageBox::Yes | QMessageBox::No) ==
         QMessageBox::Yes;
}

std::string QtDialogs::InputBox(std::string_view title, std::string_view prompt, std::string_view defaultText) {
  bool accepted = false;
  const QString text = QInputDialog::getText(parent_, ToQString(title), ToQString(prompt), QLineEdit::Normal,
                                             ToQString(defaultText), &accepted);
  return accepted ? text.toStdString() : std::string(defaultText);
}

}  // namespace corvane::shell::qt
