// Dialogs answered from a queue of prepared answers; a dialog without an answer is cancelled.
#pragma once

#include <deque>
#include <functional>
#include <string>

#include "dialogs.h"

namespace corvane::shell {

struct DialogAnswer {
  enum class Kind { Open, Save, Cancel, Yes, No, Input, Color, Font };
  Kind kind = Kind::Cancel;
  std::string text;  // path, input text or font name
  Color color = 0;
  int fontSize = 0;
};

class ScriptedDialogs final : public Dialogs {
 public:
  // Every dialog shown is reported as one line ("message: ...", "open: ...").
  using Log = std::function<void(const std::string& line)>;
  explicit ScriptedDialogs(Log log) : log_(std::move(log)) {}

  void Queue(DialogAnswer answer) { answers_.push_back(std::move(answer)); }
  size_t Pending() const { return answers_.size(); }

  std::optional<std::string> OpenFile(const FileDialog& dialog) override;
  std::optional<std::string> SaveFile(const FileDialog& dialog) override;
  std::optional<Color> PickColor(Color initial) override;
  std::optional<map::Font> PickFont(const map::Font& initial) override;
  void ShowMessage(std::string_view text, std::string_view title) override;
  bool Confirm(std::string_view text, std::string_view title) override;
  std::string InputBox(std::string_view title, std::string_view prompt, std::string_view defaultText) override;

 private:
  // Takes the next answer if it fits the dialog; an answer of another kind is left for a later dialog.
  std::optional<DialogAnswer> Take(std::initializer_list<DialogAnswer::Kind> fitting);

  std::deque<DialogAnswer> answers_;
  Log log_;
};

}  // namespace corvane::shell
