// Fuzzes the settings file: read into a new window as the program starts, written back as it closes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "corvane/map/recording_canvas.h"
#include "corvane/shell/form1.h"
#include "corvane/shell/no_simulator_transport.h"
#include "corvane/shell/scripted_dialogs.h"
#include "corvane/shell/settings_file.h"
#include "fuzz/fuzz_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace corvane;
  const auto path = fuzzing::WriteFuzzFile("corvane.INI", fuzzing::AsText(data, size));
  shell::ScriptedDialogs dialogs([](const std::string&) {});
  shell::NoSimulatorTransport noSimulator;
  map::RecordingCanvas canvas(300, 225);
  map::RecordingCanvas paintBox(102, 76);
  shell::TForm1 form(shell::FormOptions{path, fuzzing::FuzzFolder(), &noSimulator, [](std::chrono::milliseconds) {}},
                     dialogs, canvas, paintBox);
  shell::SaveSettings(form, path);
  return 0;
}
