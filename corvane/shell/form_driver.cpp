// The form driver's script language, line by line.
#include "form_driver.h"

#include <stdexcept>
#include <vector>

#include "control_text.h"
#include "form1.h"
#include "form_handlers.h"
#include "formats/conversion_error.h"
#include "formats/field_cut.h"
#include "number_text.h"
#include "scripted_dialogs.h"

namespace corvane::shell {
namespace {

using formats::TrimBlanks;

// Splits off the first word; the rest keeps its inner blanks.
std::pair<std::string_view, std::string_view> FirstWord(std::string_view text) {
  text = TrimBlanks(text);
  const auto blank = text.find_first_of(" \t");
  if (blank == std::string_view::npos) return {text, {}};
  return {text.substr(0, blank), TrimBlanks(text.substr(blank))};
}

std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  while (!(text = TrimBlanks(text)).empty()) {
    auto [word, rest] = FirstWord(text);
    words.emplace_back(word);
    text = rest;
  }
  return words;
}

}  // namespace

FormDriver::FormDriver(TForm1& form, ScriptedDialogs& dialogs, Advance advance, Output output)
    : form_(form), dialogs_(dialogs), advance_(std::move(advance)), output_(std::move(output)) {}

FormDriver::LineResult FormDriver::Fail(std::string_view why) {
  output_("error: " + std::string(why));
  return LineResult::kBadLine;
}

void FormDriver::RunHandler(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const formats::ConversionError& error) {
    form_.dialogs().ShowMessage(error.what());
  }
}

FormDriver::LineResult FormDriver::Answer(std::string_view rest) {
  auto [kind, value] = FirstWord(rest);
  DialogAnswer answer;
  if (kind == "open" || kind == "save") {
    if (value.empty()) return Fail("answer " + std::string(kind) + " needs a path");
    answer.kind = kind == "open" ? DialogAnswer::Kind::Open : DialogAnswer::Kind::Save;
    answer.text = std::string(value);
  } else if (kind == "cancel") {
    answer.kind = DialogAnswer::Kind::Cancel;
  } else if (kind == "yes" || kind == "no") {
    answer.kind = kind == "yes" ? DialogAnswer::Kind::Yes : DialogAnswer::Kind::No;
  } else if (kind == "input") {
    answer.kind = DialogAnswer::Kind::Input;
    answer.text = std::string(value);
  } else if (kind == "color") {
    const auto color = ParseInteger(value);
    if (!color) return Fail("answer color needs a number, got '" + std::string(value) + "'");
    answer.kind = DialogAnswer::Kind::Color;
    answer.color = static_cast<Color>(*color);
  } else if (kind == "font") {
    const auto lastBlank = value.find_last_of(" \t");
    const auto size = lastBlank == std::string_view::npos ? std::nullopt : ParseInteger(value.substr(lastBlank + 1));
    if (!size || *size <= 0) return Fail("answer font needs a name and a size");
    answer.kind = DialogAnswer::Kind::Font;
    answer.text = std::string(TrimBlanks(value.substr(0, lastBlank)));
    answer.fontSize = *size;
  } else {
    return Fail("unknown answer '" + std::string(kind) + "'");
  }
  dialogs_.Queue(std::move(answer));
  return LineResult::kDone;
}

FormDriver::LineResult FormDriver::RunLine(std::string_view line) {
  line = TrimBlanks(line);
  if (line.empty() || line.front() == '#') return LineResult::kDone;
  auto [command, rest] = FirstWord(line);

  if (command == "resize") {
    const auto words = Words(rest);
    const auto width = words.size() == 2 ? ParseInteger(words[0]) : std::nullopt;
    const auto height = words.size() == 2 ? ParseInteger(words[1]) : std::nullopt;
    if (!width || !height || *width <= 0 || *height <= 0) return Fail("resize needs a width and a height");
    form_.SetPaintBoxSize(*width, *height);
    return LineResult::kDone;
  }
  if (command == "set") {
    auto [name, text] = FirstWord(rest);
    if (name.empty()) return Fail("set needs a control");
    if (auto error = SetControlFromText(form_, name, text)) return Fail(*error);
    return LineResult::kDone;
  }
  if (command == "answer") return Answer(rest);
  if (command == "advance") {
    const auto elapsed = ParseInteger(rest);
    if (!elapsed || *elapsed < 0) return Fail("advance needs milliseconds");
    advance_(static_cast<std::uint64_t>(*elapsed));
    return LineResult::kDone;
  }
  if (command == "print") {
    const auto text = DescribeForPrint(form_, rest);
    if (!text) return Fail("nothing to print named '" + std::string(rest) + "'");
    output_(*text);
    return LineResult::kDone;
  }
  if (command == "expect") {
    auto [what, expected] = FirstWord(rest);
    const auto actual = DescribeForPrint(form_, what);
    if (!actual) return Fail("nothing to check named '" + std::string(what) + "'");
    if (*actual == expected) return LineResult::kDone;
    output_("expect " + std::string(what) + ": wanted '" + std::string(expected) + "', got '" + *actual + "'");
    return LineResult::kExpectFailed;
  }
  if (const HandlerEntry* handler = FindHandler(command)) {
    const std::vector<std::string> arguments = Words(rest);
    try {
      RunHandler([&] { handler->run(form_, arguments); });
    } catch (const std::invalid_argument& error) {
      return Fail(std::string(command) + ": " + error.what());
    }
    return LineResult::kDone;
  }
  return Fail("unknown command or handler '" + std::string(command) + "'");
}

int FormDriver::RunScript(std::istream& script, std::string_view scriptName) {
  std::string line;
  int lineNumber = 0;
  while (std::getline(script, line)) {
    ++lineNumber;
    const LineResult result = RunLine(line);
    if (result == LineResult::kDone) continue;
    output_(std::string(scriptName) + ":" + std::to_string(lineNumber) + ": " + std::string(TrimBlanks(line)));
    return result == LineResult::kExpectFailed ? 1 : 2;
  }
  return 0;
}

}  // namespace corvane::shell
