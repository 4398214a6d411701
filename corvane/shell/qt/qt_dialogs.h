// The standard dialogs as Qt shows them.
#pragma once

#include "corvane/shell/dialogs.h"

class QWidget;

namespace corvane::shell::qt {

// "NAV files|*.nav|All files|*.*" becomes "NAV files (*.nav);;All files (*)".
std::string ToQtFilter(std::string_view filter);
// "C:\" (and an empty folder) stands for the user's home folder.
std::string InitialFolder(std::string_view folder);

class QtDialogs final : public Dialogs {
 public:
  explicit QtDialogs(QWidget* parent) : parent_(parent) {}

  std::optional<std::string> OpenFile(const FileDialog& dialog) override;
  std::optional<std::string> SaveFile(const FileDialog& dialog) override;
  std::optional<Color> PickColor(Color initial) override;
  std::optional<map::Font> PickFont(const map::Font& initial) override;
  void ShowMessage(std::string_view text, std::string_view title) override;
  bool Confirm(std::string_view text, std::string_view title) override;
  std::string InputBox(std::string_view title, std::string_view prompt, std::string_view defaultText) override;

 private:
  std::optional<std::string> RunFileDialog(const FileDialog& dialog, bool save);
  QWidget* parent_;
};

}  // namespace corvane::shell::qt
