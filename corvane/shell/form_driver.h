// Runs TForm1 from a script: handler calls, control texts, dialog answers, virtual time, prints and checks.
#pragma once

#include <functional>
#include <istream>
#include <string>
#include <string_view>

namespace corvane::shell {

class TForm1;
class ScriptedDialogs;

class FormDriver {
 public:
  using Output = std::function<void(const std::string& line)>;
  // Moves virtual time forward by the given milliseconds, firing the timers that fall due.
  using Advance = std::function<void(std::uint64_t elapsedMs)>;

  enum class LineResult { kDone, kExpectFailed, kBadLine };

  FormDriver(TForm1& form, ScriptedDialogs& dialogs, Advance advance, Output output);

  // One script line; blank lines and lines starting with "#" do nothing.
  LineResult RunLine(std::string_view line);
  // Every line until the end or the first failed expect or bad line; the result is the exit code:
  // 0 all done, 1 an expect failed, 2 a line could not be run.
  int RunScript(std::istream& script, std::string_view scriptName);

  // Runs a handler and shows a conversion error as the window's message box would; the run goes on.
  void RunHandler(const std::function<void()>& handler);

 private:
  LineResult Answer(std::string_view rest);
  LineResult Fail(std::string_view why);

  TForm1& form_;
  ScriptedDialogs& dialogs_;
  Advance advance_;
  Output output_;
};

}  // namespace corvane::shell
