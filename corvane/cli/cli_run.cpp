// corvane-cli run: the main window without a screen, on virtual time, driven by a script.
#include "cli_run.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>
#include <thread>

#include "corvane/map/discarding_canvas.h"
#include "corvane/shell/form1.h"
#include "corvane/shell/form_driver.h"
#include "corvane/shell/scripted_dialogs.h"
#include "corvane/shell/settings_file.h"
#include "corvane/shell/simulator_choice.h"

namespace corvane::cli {
namespace {

constexpr const char* kUsage = "usage: corvane-cli run [--data DIR] [--ini FILE] [--sim none|simhost|builtin] SCRIPT\n";

std::filesystem::path DefaultSettingsPath() {
  std::error_code error;
  const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
  return shell::SettingsPathFor(error ? std::filesystem::path("corvane-cli") : program);
}

}  // namespace

int RunRunCommand(std::span<char* const> args) {
  std::filesystem::path dataFolder;
  std::filesystem::path settingsPath;
  std::string simulator = "none";
  std::string scriptPath;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--data" && hasValue) {
      dataFolder = args[++i];
    } else if (arg == "--ini" && hasValue) {
      settingsPath = args[++i];
    } else if (arg == "--sim" && hasValue) {
      simulator = args[++i];
    } else if (!arg.starts_with("--") && scriptPath.empty()) {
      scriptPath = arg;
    } else {
      std::fputs(kUsage, stderr);
      return 2;
    }
  }
  if (scriptPath.empty()) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  std::ifstream scriptFile;
  std::istream* script = &std::cin;
  if (scriptPath != "-") {
    scriptFile.open(scriptPath);
    if (!scriptFile) {
      std::fprintf(stderr, "corvane-cli run: cannot read %s\n", scriptPath.c_str());
      return 2;
    }
    script = &scriptFile;
  }
  auto connection = shell::MakeSimulatorConnection(simulator);
  if (!connection) {
    std::fprintf(stderr, "corvane-cli run: unknown simulator '%s' (none, simhost or builtin)\n", simulator.c_str());
    return 2;
  }
  if (settingsPath.empty()) settingsPath = DefaultSettingsPath();

  auto print = [](const std::string& line) { std::cout << line << '\n' << std::flush; };
  shell::ScriptedDialogs dialogs(print);
  // A script asks for the controls, never for the drawing: nothing of it is kept.
  map::DiscardingCanvas imageCanvas(3000, 2250);
  map::DiscardingCanvas paintBoxCanvas(1024, 768);
  shell::TForm1 form({settingsPath, dataFolder, connection->transport, connection->sleep}, dialogs, imageCanvas,
                     paintBoxCanvas);

  std::unique_ptr<shell::VirtualClock> clock;
  // A running simulator flies on the wall clock, so the script's time keeps step with it.
  const bool wallTime = simulator == "simhost";
  const auto wallStart = std::chrono::steady_clock::now();
  shell::FormDriver driver(
      form, dialogs,
      [&](std::uint64_t elapsedMs) {
        if (wallTime) std::this_thread::sleep_until(wallStart + std::chrono::milliseconds(clock->NowMs() + elapsedMs));
        clock->Advance(elapsedMs);
        if (connection->advanceTo) connection->advanceTo(clock->NowMs());
      },
      print);
  clock = std::make_unique<shell::VirtualClock>(form.Timers(), [&](int timerIndex) {
    if (connection->advanceTo) connection->advanceTo(clock->NowMs());
    driver.RunHandler([&] { form.TimerTick(timerIndex); });
  });

  // As the window: create, then the script, then close and destroy.
  driver.RunHandler([&] { form.FormCreate(); });
  const int result = driver.RunScript(*script, scriptPath == "-" ? "stdin" : scriptPath);
  driver.RunHandler([&] { form.FormClose(); });
  form.FormDestroy();
  return result;
}

}  // namespace corvane::cli
