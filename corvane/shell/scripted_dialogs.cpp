// ScriptedDialogs: answers in queue order; a cancel answer fits every dialog.
#include "scripted_dialogs.h"

#include <algorithm>

namespace corvane::shell {

std::optional<DialogAnswer> ScriptedDialogs::Take(std::initializer_list<DialogAnswer::Kind> fitting) {
  if (answers_.empty()) return std::nullopt;
  const DialogAnswer::Kind kind = answers_.front().kind;
  if (kind != DialogAnswer::Kind::Cancel && std::find(fitting.begin(), fitting.end(), kind) == fitting.end()) {
    return std::nullopt;
  }
  DialogAnswer answer = std::move(answers_.front());
  answers_.pop_front();
  if (answer.kind == DialogAnswer::Kind::Cancel) return std::nullopt;
  return answer;
}

std::optional<std::string> ScriptedDialogs::OpenFile(const FileDialog& dialog) {
  auto answer = Take({DialogAnswer::Kind::Open});
  log_("open: " + dialog.title + (answer ? " -> " + answer->text : " -> cancel"));
  if (!answer) return std::nullopt;
  return answer->text;
}

std::optional<std::string> ScriptedDialogs::SaveFile(const FileDialog& dialog) {
  auto answer = Take({DialogAnswer::Kind::Save});
  log_("save: " + dialog.title + (answer ? " -> " + answer->text : " -> cancel"));
  if (!answer) return std::nullopt;
  return answer->text;
}

std::optional<Color> ScriptedDialogs::PickColor(Color) {
  auto answer = Take({DialogAnswer::Kind::Color});
  log_(answer ? "color: " + std::to_string(answer->color) : "color: cancel");
  if (!answer) return std::nullopt;
  return answer->color;
}

std::optional<map::Font> ScriptedDialogs::PickFont(const map::Font& initial) {
  auto answer = Take({DialogAnswer::Kind::Font});
  log_(answer ? "font: " + answer->text + " " + std::to_string(answer->fontSize) : "font: cancel");
  if (!answer) return std::nullopt;
  map::Font font = initial;
  font.name = answer->text;
  font.size = answer->fontSize;
  return font;
}

void ScriptedDialogs::ShowMessage(std::string_view text, std::string_view title) {
  std::string line = "message: ";
  if (!title.empty()) line.append(title).append(": ");
  log_(line.append(text));
}

bool ScriptedDialogs::Confirm(std::string_view text, std::string_view title) {
  auto answer = Take({DialogAnswer::Kind::Yes, DialogAnswer::Kind::No});
  const bool yes = answer && answer->kind == DialogAnswer::Kind::Yes;
  log_("confirm: " + std::string(title) + ": " + std::string(text) + (yes ? " -> yes" : " -> no"));
  return yes;
}

std::string ScriptedDialogs::InputBox(std::string_view title, std::string_view prompt, std::string_view defaultText) {
  auto answer = Take({DialogAnswer::Kind::Input});
  std::string result = answer ? answer->text : std::string(defaultText);
  log_("input: " + std::string(title) + ": " + std::string(prompt) + " -> " + result);
  return result;
}

}  // namespace corvane::shell
